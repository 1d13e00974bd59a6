// The three gun kinds and the player's volleys.
#pragma once

enum { GUN_LASER = 0, GUN_ION = 1, GUN_NEUTRON = 2 };
enum { SHOTS_PLAYER = 0, SHOTS_ENEMY = 1 };

struct GunKind {
    int energy_cost;       // paid by a single-gun volley
    double forward_speed;  // screen units per frame
    double drift;          // sideways screen units per frame, away from the centre
    int width, height;     // design-screen pixels
    int damage;            // hull points taken from the target
    int texture;           // texture id of the shot picture
};
extern const GunKind gun_table[3];

// The two gun mounts of every fighter, as shares of its width from its left edge.
constexpr double LEFT_GUN_MOUNT = 0.15;
constexpr double RIGHT_GUN_MOUNT = 0.75;

// Fires one volley of the current gun_mode if the energy pays for it.
// Called by the fire key during stage play while the NAV is not complete.
void fire_guns();
// Writes one shot into `slot` of the player's (array 0) or enemy's (array 1)
// pool; an enemy shot's dy is negated. A slot outside 0..63 writes nothing.
void spawn_shot(int array, int slot, double x, double y, double dx, double dy,
                double width, double height, int texture, int damage);
// Lowest free slot of the pool, or -1 when all 64 are in flight.
int find_free_shot_slot(int array);
