#include "menus/screens.h"

#include <GL/freeglut.h>

#include "input/screen_keys.h"
#include "menus/menu_elements.h"
#include "persist/settings.h"
#include "render/starfield.h"
#include "render/textures.h"

// Texture ids of the settings set.
enum {
    TEX_SOUND_LABEL = 2,
    TEX_MUSIC_LABEL = 3,
    TEX_OFF = 4,
    TEX_ON = 5,
    TEX_SOUND_VOLUME_LABEL = 7,
    TEX_MUSIC_VOLUME_LABEL = 8,
    TEX_VIDEO_LABEL = 9,
    TEX_WINDOWED = 10,
    TEX_FULL_SCREEN = 11,
    TEX_RESTART_NOTICE = 12,
    TEX_CONTROLS_LABEL = 13,
};

// Row k fills the band 0.70 - 0.05k .. 0.75 - 0.05k.
constexpr float ROW_BAND_TOP = 0.75f;
constexpr float ROW_BAND_BOTTOM = 0.70f;
constexpr float ROW_BAND_STEP = 0.05f;

constexpr float POINTER_X0 = 0.23f, POINTER_X1 = 0.28f;
constexpr float LABEL_X0 = 0.30f;
constexpr float SHORT_LABEL_X1 = 0.46f;  // sound, music, video
constexpr float LONG_LABEL_X1 = 0.62f;   // the two volumes, controls
constexpr float VALUE_X0 = 0.70f;
constexpr float SWITCH_VALUE_X1 = 0.78f;  // on / off
// The video value and the restart notice run past the right edge; the window cuts them.
constexpr float WIDE_VALUE_X1 = 1.02f;
// A volume digit is a small picture inside its row, measured up from the row's bottom.
constexpr float DIGIT_X1 = 0.72f;
constexpr float DIGIT_Y0_ABOVE_ROW = 0.01f, DIGIT_Y1_ABOVE_ROW = 0.03f;

constexpr int HIGHEST_DIGIT = 9;

static const char* const SETTINGS_HINT = "Press [esc] or button 1 (Wii-mote) to return to the main menu";
constexpr float HINT_X = 0.32f, HINT_Y = 0.035f;

static float row_bottom(int row) { return ROW_BAND_BOTTOM - ROW_BAND_STEP * row; }
static float row_top(int row) { return ROW_BAND_TOP - ROW_BAND_STEP * row; }

static void draw_row_label(int row, int id, float x1) {
    set_item_colour(settings_cursor == row);
    draw_textured_rect(id, LABEL_X0, row_bottom(row), x1, row_top(row));
}

static void draw_switch_value(int row, int value) {
    set_item_colour(settings_cursor == row);
    draw_textured_rect(value != 0 ? TEX_ON : TEX_OFF, VALUE_X0, row_bottom(row), SWITCH_VALUE_X1, row_top(row));
}

// A volume read from the file is stored unchecked; only 0..9 have a digit
// picture, and any other value must not bind some unrelated texture id.
static void draw_volume_value(int row, int volume) {
    if (volume < 0 || volume > HIGHEST_DIGIT) return;
    set_item_colour(settings_cursor == row);
    draw_textured_rect(TEX_DIGIT_0 + volume, VALUE_X0, row_bottom(row) + DIGIT_Y0_ABOVE_ROW, DIGIT_X1,
                       row_bottom(row) + DIGIT_Y1_ABOVE_ROW);
}

// Start-up enters game mode for any non-zero value; the menu only knows 0 and 1.
static void draw_video_value() {
    set_item_colour(settings_cursor == SETTINGS_DISPLAY_MODE);
    draw_textured_rect(fullscreen == 1 ? TEX_FULL_SCREEN : TEX_WINDOWED, VALUE_X0, row_bottom(SETTINGS_DISPLAY_MODE),
                       WIDE_VALUE_X1, row_top(SETTINGS_DISPLAY_MODE));
}

void draw_settings_menu() {
    glEnable(GL_TEXTURE_2D);
    draw_logo_banner();
    draw_menu_pointer(POINTER_X0, row_bottom(settings_cursor), POINTER_X1, row_top(settings_cursor));

    draw_row_label(SETTINGS_SOUND, TEX_SOUND_LABEL, SHORT_LABEL_X1);
    draw_switch_value(SETTINGS_SOUND, sfx);
    draw_row_label(SETTINGS_MUSIC, TEX_MUSIC_LABEL, SHORT_LABEL_X1);
    draw_switch_value(SETTINGS_MUSIC, music);
    draw_row_label(SETTINGS_SOUND_VOLUME, TEX_SOUND_VOLUME_LABEL, LONG_LABEL_X1);
    draw_row_label(SETTINGS_MUSIC_VOLUME, TEX_MUSIC_VOLUME_LABEL, LONG_LABEL_X1);
    draw_row_label(SETTINGS_DISPLAY_MODE, TEX_VIDEO_LABEL, SHORT_LABEL_X1);
    draw_row_label(SETTINGS_CONTROLS, TEX_CONTROLS_LABEL, LONG_LABEL_X1);
    draw_volume_value(SETTINGS_SOUND_VOLUME, sfxvol);
    draw_volume_value(SETTINGS_MUSIC_VOLUME, musicvol);
    draw_video_value();

    // Once the mode was switched the notice stays, even if it was switched back.
    if (restart_notice == 1) {
        glColor3f(MENU_BRIGHT, MENU_BRIGHT, MENU_BRIGHT);
        draw_textured_rect(TEX_RESTART_NOTICE, VALUE_X0, row_bottom(SETTINGS_CONTROLS), WIDE_VALUE_X1,
                           row_top(SETTINGS_CONTROLS));
    }

    begin_menu_text();
    draw_status_line();
    draw_hint_line(HINT_X, HINT_Y, SETTINGS_HINT);
    draw_starfield(0);
}
