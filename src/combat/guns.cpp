#include "combat/guns.h"

#include "stage/stage_events.h"
#include "stage/world.h"

const GunKind gun_table[3] = {
    {10, 0.04, 0.0, 4, 8, 20, 517},    // laser
    {15, 0.03, 0.001, 8, 8, 25, 518},  // ion
    {20, 0.02, 0.003, 8, 8, 30, 519},  // neutron
};

// One row per gun_mode: what a volley costs, sounds like and fires. Single
// guns pay their kind's cost; full guns pair lasers with a second kind and
// have their own cost.
struct GunSet {
    int energy_cost;
    const char* sound;
    int first_kind;
    int second_kind;  // -1 for single guns
};
static const GunSet GUN_SETS[] = {
    {gun_table[GUN_LASER].energy_cost, "./sfx/sfx_gun_2.wav", GUN_LASER, -1},      // GUN_MODE_LASER
    {gun_table[GUN_ION].energy_cost, "./sfx/sfx_gun_6.wav", GUN_ION, -1},          // GUN_MODE_ION
    {gun_table[GUN_NEUTRON].energy_cost, "./sfx/sfx_gun_7.wav", GUN_NEUTRON, -1},  // GUN_MODE_NEUTRON
    {25, "./sfx/sfx_gun_2_6.wav", GUN_LASER, GUN_ION},                              // GUN_MODE_LASER_ION
    {30, "./sfx/sfx_gun_2_7.wav", GUN_LASER, GUN_NEUTRON},                          // GUN_MODE_LASER_NEUTRON
};
static_assert(sizeof GUN_SETS / sizeof GUN_SETS[0] == GUN_MODE_COUNT, "one row per gun_mode");

static Projectile* shot_pool(int array) {
    if (array == SHOTS_PLAYER) return player_shots;
    if (array == SHOTS_ENEMY) return enemy_shots;
    return nullptr;
}

// Left then right mount, each in the lowest slot free at that moment. Both
// shots leave from the fighter's top edge; the mounts drift apart.
static void fire_pair(int kind) {
    const GunKind& gun = gun_table[kind];
    double mount_y = player.y + player.height * PIXEL_HEIGHT;
    double left_x = player.x + player.width * PIXEL_WIDTH * LEFT_GUN_MOUNT;
    double right_x = player.x + player.width * PIXEL_WIDTH * RIGHT_GUN_MOUNT;
    spawn_shot(SHOTS_PLAYER, find_free_shot_slot(SHOTS_PLAYER), left_x, mount_y, -gun.drift,
               gun.forward_speed, gun.width, gun.height, gun.texture, gun.damage);
    spawn_shot(SHOTS_PLAYER, find_free_shot_slot(SHOTS_PLAYER), right_x, mount_y, gun.drift,
               gun.forward_speed, gun.width, gun.height, gun.texture, gun.damage);
}

void fire_guns() {
    if (player_destroyed == 1) return;
    if (!is_gun_mode(gun_mode)) return;
    const GunSet& set = GUN_SETS[gun_mode];
    if (player.gun_energy < set.energy_cost) return;  // silently: no shot, no sound
    player.gun_energy -= set.energy_cost;
    stage_sound(set.sound);
    fire_pair(set.first_kind);
    if (set.second_kind >= 0) fire_pair(set.second_kind);
}

void spawn_shot(int array, int slot, double x, double y, double dx, double dy, double width,
                double height, int texture, int damage) {
    Projectile* pool = shot_pool(array);
    if (pool == nullptr || slot < 0 || slot >= SHOT_POOL_SIZE) return;  // no slot: the shot is dropped
    Projectile& shot = pool[slot];
    shot.x = x;
    shot.y = y;
    shot.dx = dx;
    shot.dy = array == SHOTS_ENEMY ? -dy : dy;  // enemy shots travel down the screen
    shot.width = width;
    shot.height = height;
    shot.damage = damage;
    shot.texture = texture;
    shot.spare = 0;
    shot.active = 1;
}

int find_free_shot_slot(int array) {
    Projectile* pool = shot_pool(array);
    if (pool == nullptr) return -1;
    for (int slot = 0; slot < SHOT_POOL_SIZE; ++slot)
        if (pool[slot].active == 0) return slot;
    return -1;
}
