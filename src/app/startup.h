// Start-up pieces the entry point strings together.
#pragma once

extern const char* profile_name;  // the active profile: the first command-line argument

constexpr int WINDOW_WIDTH = 800;
constexpr int WINDOW_HEIGHT = 600;
extern const char* const WINDOW_TITLE;
extern const char* const GAME_MODE_STRING;  // "800x600:16@60"

// Opens the full-screen game mode when `fullscreen` asks for it and the
// display allows it, else a full-screen window with the picture scaled up
// (or, on a screen smaller than 800x600, the plain window), and says on the
// console which it is; without `fullscreen`, the 800x600 window. Never leaves
// the engine without somewhere to draw.
void open_display();
