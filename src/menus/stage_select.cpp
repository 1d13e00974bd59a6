#include "menus/screens.h"

#include <GL/freeglut.h>

#include "menus/menu_elements.h"
#include "render/starfield.h"

int stages_unlocked = 1;

constexpr int TEX_FIRST_STAGE_TITLE = 2;

// The one entry there is: the first stage's title with the pointer beside it.
// A second entry would need a band of its own.
constexpr float ENTRY_Y0 = 0.60f, ENTRY_Y1 = 0.66f;
constexpr float POINTER_X0 = 0.23f, POINTER_X1 = 0.28f;
constexpr float TITLE_X0 = 0.30f, TITLE_X1 = 0.96f;

static const char* const STAGE_SELECT_HINT =
    "From this menu you can play any stage you have unlocked in the normal arcade mode. "
    "Press [esc] or button 1 (Wii-mote) to return back to the main menu.";
constexpr float HINT_X = 0.115f, HINT_Y = 0.035f;

void draw_stage_select() {
    glEnable(GL_TEXTURE_2D);
    draw_logo_banner();
    draw_menu_pointer(POINTER_X0, ENTRY_Y0, POINTER_X1, ENTRY_Y1);

    set_item_colour(stages_unlocked == 1);
    draw_textured_rect(TEX_FIRST_STAGE_TITLE, TITLE_X0, ENTRY_Y0, TITLE_X1, ENTRY_Y1);

    // This screen has a hint but no status line.
    begin_menu_text();
    draw_hint_line(HINT_X, HINT_Y, STAGE_SELECT_HINT);
    draw_starfield(0);
}
