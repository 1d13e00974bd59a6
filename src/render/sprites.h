// Everything that moves on the playfield of a stage, and the stage's message
// pictures. Drawn in screen units; record sizes are design-screen pixels
// (world.h). Each routine only reads the world.
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

// Every drawn element of one pool as a point, in index order, where it stands
// (the frame moves the pool right after). Called by the stage frames once per
// pool per frame.
void draw_particles(ParticlePoolId pool);

// The game-over picture of the death sequence, centred on the playfield left
// of the HUD panel. Called by each step of the death sequence.
void draw_game_over();
// The NAV-complete picture, centred on the whole screen since the HUD panel is
// on its way out; turns texturing on. Called by each step of the fly-out.
void draw_nav_complete();
