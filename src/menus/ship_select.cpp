#include "menus/screens.h"

#include <GL/freeglut.h>

#include "menus/menu_elements.h"
#include "render/starfield.h"
#include "stage/world.h"

// Texture ids of the ship-select set: big pictures 0..2 follow the fighter
// index, the heading is 3 and the name captions 4..6.
constexpr int TEX_SELECT_HEADING = 3;
constexpr int TEX_FIRST_CAPTION = 4;

constexpr float PICTURE_X0 = 0.18f, PICTURE_X1 = 0.82f;
constexpr float BIG_PICTURE_Y0 = 0.29f, BIG_PICTURE_Y1 = 0.71f;
constexpr float CAPTION_Y0 = 0.10f, CAPTION_Y1 = 0.21f;
constexpr float HEADING_Y0 = 0.85f, HEADING_Y1 = 0.91f;

static const char* const CYCLE_HINT =
    "Use the left and right arrow key to cycle through available ships. Press [enter] to select the current ship";
// On this screen the remote's button 2 chooses the fighter and button 1 goes
// back, so the hint names button 1 (the line once named button 2).
static const char* const BACK_HINT = "Press [esc] or button 1 (Wii-mote) to return back to the main menu.";
constexpr float CYCLE_HINT_X = 0.22f, CYCLE_HINT_Y = 0.035f;
constexpr float BACK_HINT_X = 0.31f, BACK_HINT_Y = 0.02f;

void draw_ship_select() {
    glEnable(GL_TEXTURE_2D);
    // Every picture here wears the pale red of the hint lines.
    glColor3f(MENU_TEXT_RED, MENU_TEXT_GREEN, MENU_TEXT_BLUE);
    if (selected_ship >= 0 && selected_ship < PLAYER_SHIP_COUNT) {
        draw_textured_rect(selected_ship, PICTURE_X0, BIG_PICTURE_Y0, PICTURE_X1, BIG_PICTURE_Y1);
        draw_textured_rect(TEX_FIRST_CAPTION + selected_ship, PICTURE_X0, CAPTION_Y0, PICTURE_X1, CAPTION_Y1);
    }
    draw_textured_rect(TEX_SELECT_HEADING, PICTURE_X0, HEADING_Y0, PICTURE_X1, HEADING_Y1);

    // Neither banner nor status line: the fighter fills the screen.
    begin_menu_text();
    draw_hint_line(CYCLE_HINT_X, CYCLE_HINT_Y, CYCLE_HINT);
    draw_hint_line(BACK_HINT_X, BACK_HINT_Y, BACK_HINT);
    draw_starfield(0);
}
