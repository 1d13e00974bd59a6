#include "app/gl_setup.h"

#include <GL/freeglut.h>

#include <cstdlib>
#include <ctime>

#include "app/screen_state.h"
#include "app/stage_link.h"
#include "platform/random.h"
#include "audio/sound.h"
#include "input/screen_keys.h"
#include "menus/screens.h"
#include "render/starfield.h"
#include "render/textures.h"
#include "render/visible_texels.h"
#include "stage/world.h"

void prefer_single_threaded_software_renderer() {
    constexpr int KEEP_PLAYERS_VALUE = 0;
    setenv("LP_NUM_THREADS", "0", KEEP_PLAYERS_VALUE);
}

void gl_setup(int first) {
    // Everything is drawn in 2D screen units: x 0..1 left to right, y 0..1 bottom to top.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 1, 0, 1);
    glMatrixMode(GL_MODELVIEW);

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);

    // All primitives lie at one depth with the default less-than test, so the first
    // opaque fragment drawn at a pixel in a frame stays: screens draw front to back.
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glEnable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);

    attach_stage_to_game();
    if (first == 1) {
        screen_state = STATE_LOGO_INTRO;
        credits_scroll = 0.0;
        menu_cursor = 1;
        hud_offset = HUD_OFFSET_START;
        settings_cursor = 1;
        stages_unlocked = 1;
        init_starfield();
        stars_on = 1;
        seed_rand15(static_cast<unsigned>(time(nullptr)));
        start_sound_backend();
    }

    load_state_textures(screen_state);

    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, ALPHA_TEST_REF);  // nearly transparent texels leave the pixel free
}
