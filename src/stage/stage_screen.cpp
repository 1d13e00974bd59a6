#include "stage/stage_screen.h"

#include "stage/frames.h"
#include "stage/screen_machine.h"
#include "stage/setup.h"
#include "stage/stage_events.h"
#include "stage/stage_view.h"
#include "stage/starfield.h"
#include "stage/world.h"

static void frame_stage_state() {
    const int state = screen_state;
    if (textures_loaded == 0) {
        stage_view->load_pictures(state);
        if (state == STATE_NAV1) setup_nav1();
        if (state == STATE_NAV2) setup_nav2();
        textures_loaded = 1;
    }
    if (music_started == 0) stage_event(STAGE_MUSIC);
    if (state == STATE_NAV1) frame_nav1();
    if (state == STATE_NAV2) frame_nav2();
}

void frame_quit_overlay() {
    // The HUD first, so it stays in front; it also goes on sliding in.
    stage_view->draw_hud();
    slide_hud_panel();
    stage_view->draw_quit_overlay();
    move_starfield(1);
    stage_view->draw_starfield();
}

void frame_stage_screen() {
    if (in_stage_range(screen_state)) frame_stage_state();
    if (screen_state == STATE_QUIT_OVERLAY) frame_quit_overlay();  // the stage stays frozen
}
