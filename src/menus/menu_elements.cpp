#include "menus/menu_elements.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/startup.h"
#include "render/picture.h"
#include "render/text.h"

// Where the banner sits: across the top, above every menu's items.
constexpr float BANNER_X0 = 0.18f, BANNER_Y0 = 0.747f, BANNER_X1 = 0.82f, BANNER_Y1 = 0.853f;

// The two texts of the status line and where they start.
constexpr float PROFILE_X = 0.01f, PROFILE_Y = 0.01f;
constexpr float VERSION_X = 0.84f, VERSION_Y = 0.01f;
static const char* const VERSION_TEXT = "version: 2008.02.09 PD [Wii]";

static void* const MENU_TEXT_FONT = GLUT_BITMAP_TIMES_ROMAN_10;

void draw_textured_rect(int id, float x0, float y0, float x1, float y1) { draw_upright_picture(id, x0, y0, x1, y1); }

void set_item_colour(int selected) {
    const float tint = selected ? MENU_BRIGHT : MENU_DIM;
    glColor3f(tint, tint, tint);
}

void draw_logo_banner() {
    glColor3f(MENU_DIM, MENU_DIM, MENU_DIM);
    draw_textured_rect(MENU_LOGO_ID, BANNER_X0, BANNER_Y0, BANNER_X1, BANNER_Y1);
}

void draw_menu_pointer(float x0, float y0, float x1, float y1) {
    // The pointer never lights up: it keeps the banner's dim tint.
    glColor3f(MENU_DIM, MENU_DIM, MENU_DIM);
    draw_textured_rect(MENU_POINTER_ID, x0, y0, x1, y1);
}

void begin_menu_text() {
    glDisable(GL_TEXTURE_2D);
    glColor3f(MENU_TEXT_RED, MENU_TEXT_GREEN, MENU_TEXT_BLUE);
}

void draw_status_line() {
    // A long profile name is cut to what the buffer holds rather than spilling over.
    char status[STATUS_TEXT_SIZE];
    snprintf(status, sizeof status, "active profile: %s", profile_name ? profile_name : "");
    draw_text(PROFILE_X, PROFILE_Y, MENU_TEXT_FONT, status);
    draw_text(VERSION_X, VERSION_Y, MENU_TEXT_FONT, VERSION_TEXT);
}

void draw_hint_line(float x, float y, const char* text) { draw_text(x, y, MENU_TEXT_FONT, text); }
