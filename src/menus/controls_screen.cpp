#include "menus/screens.h"

#include <GL/freeglut.h>

#include "menus/menu_elements.h"
#include "render/starfield.h"

// Texture ids of the controls set.
enum { TEX_REMOTE_LAYOUT = 1, TEX_KEYBOARD_LAYOUT = 2 };

// The two layouts side by side, the remote on the left.
constexpr float LAYOUT_Y0 = 0.19f, LAYOUT_Y1 = 0.72f;
constexpr float REMOTE_X0 = 0.05f, REMOTE_X1 = 0.47f;
constexpr float KEYBOARD_X0 = 0.52f, KEYBOARD_X1 = 0.94f;

static const char* const CONTROLS_HINT = "Press [esc] or button 1 (Wii-mote) to return to the settings menu";
constexpr float HINT_X = 0.32f, HINT_Y = 0.035f;

void draw_controls_screen() {
    glEnable(GL_TEXTURE_2D);
    draw_logo_banner();

    glColor3f(MENU_BRIGHT, MENU_BRIGHT, MENU_BRIGHT);
    draw_textured_rect(TEX_REMOTE_LAYOUT, REMOTE_X0, LAYOUT_Y0, REMOTE_X1, LAYOUT_Y1);
    draw_textured_rect(TEX_KEYBOARD_LAYOUT, KEYBOARD_X0, LAYOUT_Y0, KEYBOARD_X1, LAYOUT_Y1);

    begin_menu_text();
    draw_status_line();
    draw_hint_line(HINT_X, HINT_Y, CONTROLS_HINT);
    draw_starfield(0);
}
