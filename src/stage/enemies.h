// Everything hostile: the fleet, the enemy fighter, shot motion and the four
// hit tests (which return side codes, see world.h).
#pragma once

#include "stage/world.h"

// Moves, destroys and respawns the first `count` fleet members; respawning
// stops once nav_timer passes `spawn_limit`. Called by the frames while the
// NAV is not complete.
void fleet_step(Enemy* fleet, int count, int spawn_limit);
// Moves the enemy fighter one step and fires its volley every 10 frames.
void nav_fighter_step();
// Fires one two-shot volley of gun_table row `weapon` from the enemy fighter.
void enemy_fire(int weapon);
// Advances every shot in flight and frees those that left the screen.
void move_projectiles();

// The player's fighter against the fleet (rams cost the member 50 hull).
int test_ram(Enemy* fleet, int count);
// An enemy shot against the player's fighter; changes nothing.
int test_enemy_shot(Projectile shot);
// A player shot against the enemy fighter; takes the damage, counts the hit.
int test_shot_nav_fighter(Projectile shot);
// A player shot against the fleet; takes the damage, counts the hit.
int test_shot_fleet(Enemy* fleet, Projectile shot, int count);
