#include "stage/stage_view.h"

// Each field by its name (the order of stage/stage_view.h); every routine does nothing.
const StageView NULL_STAGE_VIEW = {
    .load_pictures = [](int) {},
    .draw_hud = [] {},
    .draw_kills_left = [] {},
    .draw_new_high_score = [] {},
    .begin_pictures = [] {},
    .draw_game_over = [] {},
    .draw_nav_complete = [] {},
    .draw_player_ship = [](int) {},
    .draw_stage_title = [](double) {},
    .draw_nav_fighter = [] {},
    .draw_enemies = [](int) {},
    .draw_shots = [] {},
    .end_pictures = [] {},
    .draw_results = [](bool) {},
    .draw_particles = [](ParticlePoolId) {},
    .draw_quit_overlay = [] {},
    .draw_starfield = [] {},
};

const StageView* stage_view = &NULL_STAGE_VIEW;
