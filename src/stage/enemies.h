// Everything hostile: the fleet, the enemy fighter and shot motion
// (enemies.cpp), and the four hit tests (hit_tests.cpp), which return side
// codes (see world.h). Rectangles are compared strictly: touching is no hit.
#pragma once

#include "stage/world.h"

// Moves, destroys and respawns the first `count` fleet members; a destroyed
// member scores and bursts. Respawning stops once nav_timer reaches
// `spawn_limit` (destroyed) or passes it (fallen out). Called by the frames
// while the NAV is not complete: NAV 1 (8, 1200), NAV 2 (4, 1500).
void fleet_step(Enemy* fleet, int count, int spawn_limit);
// Sweeps and sinks the enemy fighter and fires its volley every 10 frames once
// it is below the top edge. Called by frame_nav2 while the player lives, the
// fighter is alive and the NAV runs.
void nav_fighter_step();
// Fires one two-shot volley of gun_table row `weapon` (0..2) from the enemy
// fighter. Called by nav_fighter_step.
void enemy_fire(int weapon);
// Advances every shot in flight and frees those that crossed the top (player,
// counted as a miss before completion) or the bottom (enemy). Every frame.
void move_projectiles();

// The player's fighter against the active fleet members; a ram costs the
// member 50 hull. Called by the frames' hit handling.
int test_ram(Enemy* fleet, int count);
// An enemy shot against the player's fighter; changes nothing.
int test_enemy_shot(Projectile shot);
// A player shot against the enemy fighter (alive or not: the caller checks);
// takes the shot's damage and counts the hit.
int test_shot_nav_fighter(Projectile shot);
// A player shot against the active fleet members, whatever their hull; takes
// the damage and counts a hit for each member struck until one names a side.
int test_shot_fleet(Enemy* fleet, Projectile shot, int count);
