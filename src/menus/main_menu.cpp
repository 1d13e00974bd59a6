#include "menus/screens.h"

#include <GL/freeglut.h>

#include "input/screen_keys.h"
#include "menus/menu_elements.h"
#include "render/starfield.h"

constexpr int FIRST_ITEM_ID = 2;  // item k is texture id k + 1

// Item k fills the band 0.55 - 0.05k .. 0.60 - 0.05k: item 1 on top, item 6 lowest.
constexpr float ITEM_BAND_TOP = 0.60f;
constexpr float ITEM_BAND_BOTTOM = 0.55f;
constexpr float ITEM_BAND_STEP = 0.05f;
constexpr float ITEM_X0 = 0.34f, ITEM_X1 = 0.66f;
// The pointer overlaps the items' left edge; drawn first, it stays in front.
constexpr float POINTER_X0 = 0.33f, POINTER_X1 = 0.38f;

static float item_bottom(int item) { return ITEM_BAND_BOTTOM - ITEM_BAND_STEP * item; }
static float item_top(int item) { return ITEM_BAND_TOP - ITEM_BAND_STEP * item; }

void draw_main_menu() {
    glEnable(GL_TEXTURE_2D);
    draw_logo_banner();
    draw_menu_pointer(POINTER_X0, item_bottom(menu_cursor), POINTER_X1, item_top(menu_cursor));

    for (int item = 1; item <= MAIN_MENU_ITEMS; ++item) {
        set_item_colour(menu_cursor == item);
        draw_textured_rect(FIRST_ITEM_ID + item - 1, ITEM_X0, item_bottom(item), ITEM_X1, item_top(item));
    }

    begin_menu_text();
    draw_status_line();
    draw_starfield(0);
}
