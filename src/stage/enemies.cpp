#include "stage/enemies.h"

// Not built yet: the stage simulation issue fills these in.
void fleet_step(Enemy*, int, int) {}
void nav_fighter_step() {}
void enemy_fire(int) {}
void move_projectiles() {}
int test_ram(Enemy*, int) { return SIDE_NONE; }
int test_enemy_shot(Projectile) { return SIDE_NONE; }
int test_shot_nav_fighter(Projectile) { return SIDE_NONE; }
int test_shot_fleet(Enemy*, Projectile, int) { return SIDE_NONE; }
