// Everything that moves on the playfield of a stage, and the NAV-complete fly-out.
#pragma once

#include "stage/world.h"

extern int shield_flash_side;  // side code of the flash drawn in the previous frame

// Texturing on when called, except draw_particles (off).
void draw_player_ship(int hit_side);
void draw_nav_fighter();
void draw_stage_title(double brightness);
void draw_enemies(int count);
void draw_shots();

// Draws, then moves, every drawn element of one pool, in index order.
enum ParticlePoolId { POOL_DEBRIS, POOL_HIT_SPARKS, POOL_IMPACT_SPARKS, POOL_EXPLOSION };
void draw_particles(ParticlePoolId pool);

// One step of the 200-frame fly-out; at its end enters `next_state` (3 after
// NAV 1) or, for 0, records the score and resets the game.
void run_nav_complete(int next_state);
