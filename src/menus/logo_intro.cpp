#include "menus/screens.h"

#include <GL/freeglut.h>

#include "app/screen_state.h"
#include "audio/sound.h"
#include "menus/menu_elements.h"
#include "render/text.h"

float logo_fade = 0.0f;
int logo_fade_step = 1;

// Brightness change per frame, the turn from fading in to fading out, and the
// end: after the turn the screen stays black a while (negative brightness)
// before the main menu takes over. 283 frames in all.
constexpr double LOGO_FADE_RATE = 0.01;
constexpr double LOGO_FADE_PEAK = 1.0;
constexpr double LOGO_FADE_END = -0.8;

// Texture ids of the intro set and where each logo stands.
enum { TEX_STUDIO_LOGO = 0, TEX_GRAPHICS_LOGO = 1, TEX_SOUND_LOGO = 2 };
constexpr float STUDIO_X0 = 0.25f, STUDIO_Y0 = 0.35f, STUDIO_X1 = 0.75f, STUDIO_Y1 = 0.65f;
constexpr float GRAPHICS_X0 = 0.85f, GRAPHICS_Y0 = 0.02f, GRAPHICS_X1 = 0.97f, GRAPHICS_Y1 = 0.10f;
constexpr float SOUND_X0 = 0.03f, SOUND_Y0 = 0.02f, SOUND_X1 = 0.11f, SOUND_Y1 = 0.12f;

// The small print between the two small logos.
static const char* const INTRO_NOTICE = "Korvane Studio presents";
static const char* const INTRO_DISCLAIMER_1 =
    "Korvane Arcade is a playable demo. Every picture, sound and song in it was made by Korvane Studio.";
static const char* const INTRO_DISCLAIMER_2 = "Built with OpenGL, freeglut, SDL2_mixer, FluidSynth and libxwiimote.";
constexpr float NOTICE_X = 0.42f, NOTICE_Y = 0.055f;
constexpr float DISCLAIMER_1_X = 0.22f, DISCLAIMER_1_Y = 0.035f;
constexpr float DISCLAIMER_2_X = 0.32f, DISCLAIMER_2_Y = 0.02f;

static void* const INTRO_FONT = GLUT_BITMAP_TIMES_ROMAN_10;

// Everything the intro draws takes the same grey; GL clamps it to 0..1, so the
// stretch below zero is black and the top of the fade is white.
static void set_fade_colour() { glColor3f(logo_fade, logo_fade, logo_fade); }

void end_logo_intro() {
    release_first_sound_slot();  // the intro music sits in the ring's first slot
    enter_screen(STATE_MAIN_MENU, FRESH_MUSIC);  // the menu's pictures were never loaded
}

void draw_logo_intro() {
    glEnable(GL_TEXTURE_2D);
    set_fade_colour();
    draw_textured_rect(TEX_STUDIO_LOGO, STUDIO_X0, STUDIO_Y0, STUDIO_X1, STUDIO_Y1);
    set_fade_colour();
    draw_textured_rect(TEX_GRAPHICS_LOGO, GRAPHICS_X0, GRAPHICS_Y0, GRAPHICS_X1, GRAPHICS_Y1);
    set_fade_colour();
    draw_textured_rect(TEX_SOUND_LOGO, SOUND_X0, SOUND_Y0, SOUND_X1, SOUND_Y1);

    glDisable(GL_TEXTURE_2D);
    draw_text(NOTICE_X, NOTICE_Y, INTRO_FONT, INTRO_NOTICE);
    draw_text(DISCLAIMER_1_X, DISCLAIMER_1_Y, INTRO_FONT, INTRO_DISCLAIMER_1);
    draw_text(DISCLAIMER_2_X, DISCLAIMER_2_Y, INTRO_FONT, INTRO_DISCLAIMER_2);

    // The sum is taken in double and only then stored in single precision; the
    // checks below use the unrounded sum. This fixes the turn at the end of frame
    // 101 and the end at the end of frame 283.
    const double next = static_cast<double>(logo_fade) + logo_fade_step * LOGO_FADE_RATE;
    logo_fade = static_cast<float>(next);
    if (next > LOGO_FADE_PEAK && logo_fade_step == 1) logo_fade_step = -1;
    if (next < LOGO_FADE_END) end_logo_intro();
}
