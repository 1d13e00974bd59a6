#include "support/simulation_world.h"

#include <cstring>



void save_simulation_world(SimulationWorld& saved) {
    saved.player = player;
    saved.nav_fighter = nav_fighter;
    memcpy(saved.enemies, enemies, sizeof enemies);
    memcpy(saved.player_shots, player_shots, sizeof player_shots);
    memcpy(saved.enemy_shots, enemy_shots, sizeof enemy_shots);
    saved.score = score;
    saved.shots_hit = shots_hit;
    saved.shots_missed = shots_missed;
    saved.nav_kills_left = nav_kills_left;
    saved.player_hit_side = player_hit_side;
    saved.heading = nav_fighter_heading;
    saved.fire_timer = nav_fighter_fire_timer;
    saved.weapon = nav_fighter_weapon;
    saved.debris_ring = debris_ring;
    saved.hit_spark_ring = hit_spark_ring;
    saved.impact_spark_ring = impact_spark_ring;
    saved.explosion_ring = explosion_ring;
}

void restore_simulation_world(const SimulationWorld& saved) {
    player = saved.player;
    nav_fighter = saved.nav_fighter;
    memcpy(enemies, saved.enemies, sizeof enemies);
    memcpy(player_shots, saved.player_shots, sizeof player_shots);
    memcpy(enemy_shots, saved.enemy_shots, sizeof enemy_shots);
    score = saved.score;
    shots_hit = saved.shots_hit;
    shots_missed = saved.shots_missed;
    nav_kills_left = saved.nav_kills_left;
    player_hit_side = saved.player_hit_side;
    nav_fighter_heading = saved.heading;
    nav_fighter_fire_timer = saved.fire_timer;
    nav_fighter_weapon = saved.weapon;
    debris_ring = saved.debris_ring;
    hit_spark_ring = saved.hit_spark_ring;
    impact_spark_ring = saved.impact_spark_ring;
    explosion_ring = saved.explosion_ring;
}
