#include "menus/screens.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/replay_player.h"
#include "menus/menu_elements.h"
#include "persist/high_scores.h"
#include "persist/replay_store.h"
#include "render/starfield.h"
#include "render/text.h"
#include "render/text_fit.h"
#include "stage/world.h"

constexpr int TEX_SCORE_FRAME = 1;
constexpr float FRAME_X0 = 0.18f, FRAME_Y0 = 0.22f, FRAME_X1 = 0.82f, FRAME_Y1 = 0.65f;

// Place 1's baseline, and the step down to each following place.
constexpr float FIRST_ROW_Y = 0.52f;
constexpr float ROW_STEP = 0.02f;
// The four columns.
constexpr float PLACE_X = 0.25f;
constexpr float NAME_X = 0.27f;
constexpr float FIGHTER_X = 0.47f;
constexpr float SCORE_X = 0.63f;

// Each cell is composed in a buffer of this size; a name keeps what fits behind
// its ". " (29 characters) and is cut there.
constexpr int ROW_TEXT_SIZE = 32;
constexpr int NAME_CHARS_SHOWN = ROW_TEXT_SIZE - 3;

static void* const ROW_FONT = GLUT_BITMAP_HELVETICA_12;

static const char* const HIGH_SCORE_HINT = "Press [esc] or any action button on the Wii-mote to return to the main menu";
constexpr float HINT_X = 0.29f, HINT_Y = 0.035f;

// Above the hint: what the keys can play, or for a while what the last replay came to.
static const char* const REPLAY_HINT =
    "Watch a game: 1-9 or 0 that place's, L the last one (pad X / Y, Wii-mote + / -: place 1 / the last)";
constexpr float REPLAY_LINE_X = 0.29f, REPLAY_LINE_Y = 0.17f;
constexpr int REPLAY_LINE_PIXELS = 560;  // from its start to the screen's right edge
static void* const REPLAY_LINE_FONT = GLUT_BITMAP_TIMES_ROMAN_10;  // draw_hint_line's

static void draw_replay_line() {
    // The notice is counted down here, in the frames it is shown, as the HUD counts its own.
    if (replay_notice_frames > 0 && --replay_notice_frames == 0) replay_notice.clear();
    if (!replay_notice.empty()) {
        draw_hint_line(REPLAY_LINE_X, REPLAY_LINE_Y, text_fitting(replay_notice, REPLAY_LINE_FONT, REPLAY_LINE_PIXELS).c_str());
        return;
    }
    bool any_replay = last_game_has_replay() != 0;
    for (int i = 0; i < HIGH_SCORE_PLACES && !any_replay; ++i) any_replay = entry_has_replay(i) != 0;
    if (any_replay) draw_hint_line(REPLAY_LINE_X, REPLAY_LINE_Y, REPLAY_HINT);
}

static float row_y(int index) { return FIRST_ROW_Y - ROW_STEP * index; }

void draw_high_score_screen() {
    char cell[ROW_TEXT_SIZE];

    // The table first: the frame drawn afterwards stays behind the text. Text
    // would be textured too if a previous frame had left texturing on.
    glDisable(GL_TEXTURE_2D);
    glColor3f(MENU_BRIGHT, MENU_BRIGHT, MENU_BRIGHT);
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) {
        snprintf(cell, sizeof cell, "%d", i + 1);
        draw_text(PLACE_X, row_y(i), ROW_FONT, cell);
    }
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) {
        snprintf(cell, sizeof cell, ". %.*s", NAME_CHARS_SHOWN, high_scores[i].name);
        draw_text(NAME_X, row_y(i), ROW_FONT, cell);
    }
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) draw_text(FIGHTER_X, row_y(i), ROW_FONT, fighter_name(high_scores[i].ship));
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) {
        snprintf(cell, sizeof cell, "%d", get_high_score(i));
        draw_text(SCORE_X, row_y(i), ROW_FONT, cell);
    }

    glEnable(GL_TEXTURE_2D);
    draw_logo_banner();
    // Still in the banner's dim colour.
    draw_textured_rect(TEX_SCORE_FRAME, FRAME_X0, FRAME_Y0, FRAME_X1, FRAME_Y1);

    begin_menu_text();
    draw_status_line();
    draw_hint_line(HINT_X, HINT_Y, HIGH_SCORE_HINT);
    draw_replay_line();
    draw_starfield(0);
}
