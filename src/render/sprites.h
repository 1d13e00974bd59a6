// Everything that moves on the playfield of a stage, and the NAV-complete fly-out.
// Drawn in screen units; record sizes are design-screen pixels (world.h).
#pragma once

#include "render/picture.h"
#include "stage/world.h"

extern int shield_flash_side;  // side code of the shield flash drawn in the previous frame; 0 none

// Texture ids of the stage pictures that only the sprites use.
constexpr int TEX_SHIELD_FLASH = 8;
constexpr int TEX_NAV_FIGHTER = 9;

// The colour of the chosen fighter (0 Pilvet, 1 Vesker, 2 Brantor), used for
// its picture and for the explosion particles.
Colour fighter_colour(int ship);

// The drawing routines below expect texturing on, except draw_particles (off).

// The player's fighter with the shield flash of this hit and of the previous
// frame's; remembers `hit_side` (a side code, 0 none) for the next frame.
// Called by the stage frames while the player is not destroyed.
void draw_player_ship(int hit_side);
// The NAV 2 enemy fighter, upside down so it faces the player.
// Called by the NAV 2 frame while the fighter is alive.
void draw_nav_fighter();
// The stage title in grey `brightness` (0..1). Called by the NAV 1 frame while
// the title fades.
void draw_stage_title(double brightness);
// The first `count` fleet records that are active and have entered the
// screen; nothing once the NAV is complete. Called by the stage frames.
void draw_enemies(int count);
// All active player shots, then all active enemy shots. Called by the stage frames.
void draw_shots();

// Draws, then moves, every drawn element of one pool, in index order. Called
// by the stage frames once per pool per frame.
enum ParticlePoolId { POOL_DEBRIS, POOL_HIT_SPARKS, POOL_IMPACT_SPARKS, POOL_EXPLOSION };
void draw_particles(ParticlePoolId pool);

// Elements of each pool that are drawn and moved: its burst slots times the
// particles per burst (the last few of the capacity are never used).
constexpr int DEBRIS_DRAWN = DEBRIS_SLOTS * DEBRIS_PER_BURST;                      // 995
constexpr int HIT_SPARKS_DRAWN = HIT_SPARK_SLOTS * HIT_SPARK_PER_BURST;            // 190
constexpr int IMPACT_SPARKS_DRAWN = IMPACT_SPARK_SLOTS * IMPACT_SPARK_PER_BURST;   // 490
constexpr int EXPLOSION_DRAWN = EXPLOSION_SLOTS * EXPLOSION_PER_BURST;             // 995

// One step of the fly-out that ends a NAV: the NAV-complete picture, the
// fighter climbing, the HUD panel leaving. When outro_timer runs out it enters
// `next_state` (3 after NAV 1) or, for 0, records the score whatever it is and
// ends the game. Called by the stage frames every frame while nav_completed is 1
// and the player is not destroyed (a death sequence under way ends the game instead).
void run_nav_complete(int next_state);
