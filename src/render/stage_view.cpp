#include "render/stage_view.h"

#include <GL/freeglut.h>

#include "render/hud.h"
#include "render/quit_overlay.h"
#include "render/sprites.h"
#include "render/stage_texts.h"
#include "render/starfield.h"
#include "render/textures.h"

namespace {

void textures_on() { glEnable(GL_TEXTURE_2D); }
void textures_off() { glDisable(GL_TEXTURE_2D); }

}  // namespace

// Each field by its name (the order of stage/stage_view.h).
const StageView GL_STAGE_VIEW = {
    .load_pictures = load_state_textures,
    .draw_hud = draw_hud,
    .draw_kills_left = draw_kills_left,
    .draw_new_high_score = draw_new_high_score,
    .begin_pictures = textures_on,
    .draw_game_over = draw_game_over,
    .draw_nav_complete = draw_nav_complete,
    .draw_player_ship = draw_player_ship,
    .draw_stage_title = draw_stage_title,
    .draw_nav_fighter = draw_nav_fighter,
    .draw_enemies = draw_enemies,
    .draw_shots = draw_shots,
    .end_pictures = textures_off,
    .draw_results = draw_results,
    .draw_particles = draw_particles,
    .draw_quit_overlay = draw_quit_overlay,
    .draw_starfield = draw_stars,
};
