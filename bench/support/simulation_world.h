// Everything one stage frame's simulation may change: the ships, the fleet, both
// shot pools, the score and its counters, the enemy fighter's course and the
// particle rings. Benchmarks save it once and restore it before every measured
// frame, so each frame starts from the same world. The particles themselves and
// the stars are left out: copying them would cost more than the simulation.
#pragma once

#include "stage/world.h"

struct SimulationWorld {
    Ship player, nav_fighter;
    Enemy enemies[MAX_FLEET_SIZE];
    Projectile player_shots[SHOT_POOL_SIZE], enemy_shots[SHOT_POOL_SIZE];
    int score, shots_hit, shots_missed, nav_kills_left, player_hit_side;
    int heading, fire_timer, weapon;
    int debris_ring, hit_spark_ring, impact_spark_ring, explosion_ring;
};

void save_simulation_world(SimulationWorld& saved);
void restore_simulation_world(const SimulationWorld& saved);
