// Elements shared by the menu screens: the textured rectangle every picture is
// drawn with, the two item colours, the logo banner, the pointer, and the
// status and hint lines at the bottom edge.
#pragma once

// Tints laid over a picture (textures are modulated by the current colour).
constexpr float MENU_BRIGHT = 1.0f;  // the highlighted item
constexpr float MENU_DIM = 0.7f;     // every other item, the banner and the pointer

// Colour of the status line and of the hint lines: a pale red.
constexpr float MENU_TEXT_RED = 1.0f;
constexpr float MENU_TEXT_GREEN = 0.7f;
constexpr float MENU_TEXT_BLUE = 0.7f;

// Texture id of the title logo in every set that has a banner; the pointer's
// id in every set that has one.
constexpr int MENU_LOGO_ID = 0;
constexpr int MENU_POINTER_ID = 1;

// Size of the composed status text: "active profile: " and up to 47 characters.
constexpr int STATUS_TEXT_SIZE = 64;

// Draws texture `id` stretched over (x0, y0)..(x1, y1), the picture's lower-left
// corner at (x0, y0), in the colour current at the call. Texturing must be on.
// Called by every screen for every picture it draws.
void draw_textured_rect(int id, float x0, float y0, float x1, float y1);

// Sets the bright colour when `selected` is non-zero, else the dim one.
// Called by the menus before each item that may be highlighted.
void set_item_colour(int selected);

// Texture id 0 dimmed across the top of the screen. Texturing must be on.
// Called by the main, settings, controls, stage-select and high-score screens.
void draw_logo_banner();

// The pointer (id 1), dimmed, over (x0, y0)..(x1, y1). Texturing must be on.
// Called by the main menu, the settings menu and the stage select.
void draw_menu_pointer(float x0, float y0, float x1, float y1);

// Turns texturing off and sets the colour of the status and hint lines.
// Called by every menu screen before its bottom-edge texts.
void begin_menu_text();

// "active profile: <profile_name>" at the bottom left and the version at the
// bottom right, in the colour current at the call (begin_menu_text first).
// Called by the main, settings, controls and high-score screens.
void draw_status_line();

// One hint line in the status line's font, in the colour current at the call.
// Called by the screens that explain their keys.
void draw_hint_line(float x, float y, const char* text);
