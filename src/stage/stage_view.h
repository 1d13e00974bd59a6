// The picture of a stage frame. The frame routines (stage/frames.cpp) step the
// world and call these in the frame's drawing order; each routine only reads
// the world. The game draws them with GL (render/stage_view.cpp); a run with
// no window keeps NULL_STAGE_VIEW, which draws nothing, and so steps the same
// world through the same frame routine.
#pragma once

#include "stage/world.h"

struct StageView {
    void (*load_pictures)(int state);         // a stage's first frame of a visit: its texture set
    void (*draw_hud)();                       // first in every stage and quit-overlay frame
    void (*draw_kills_left)();                // NAV 2: the enemy fighters still to destroy
    void (*draw_new_high_score)();            // a lost fighter: the place its score would take
    void (*begin_pictures)();                 // the pictures below follow: texturing on
    void (*draw_game_over)();                 // each step of the death sequence
    void (*draw_nav_complete)();              // each step of the fly-out
    void (*draw_player_ship)(int hit_side);   // side code of the latest hit, 0 none
    void (*draw_stage_title)(double brightness);
    void (*draw_nav_fighter)();
    void (*draw_enemies)(int count);
    void (*draw_shots)();
    void (*end_pictures)();                   // texturing off
    void (*draw_results)(bool last_nav);      // a completed NAV, after its bonuses were granted
    void (*draw_particles)(ParticlePoolId pool);  // before the pool moves
    void (*draw_quit_overlay)();              // the quit prompt's picture
    void (*draw_starfield)();                 // last: the stars where move_starfield left them
};

// Draws nothing at all.
extern const StageView NULL_STAGE_VIEW;
// What the frames draw through: NULL_STAGE_VIEW until the game attaches its own.
extern const StageView* stage_view;
