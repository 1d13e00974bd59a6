// Start-up pieces the entry point strings together.
#pragma once

extern const char* profile_name;  // the active profile: the first command-line argument

constexpr int WINDOW_WIDTH = 800;
constexpr int WINDOW_HEIGHT = 600;
extern const char* const WINDOW_TITLE;
extern const char* const GAME_MODE_STRING;  // "800x600:16@60"

// Blocks this large get their own mapping, and this much free memory at the
// top of the heap goes back to the system (glibc's starting values).
constexpr int HEAP_RETURN_THRESHOLD = 128 * 1024;

// Holds the allocator's mapping and trim thresholds at HEAP_RETURN_THRESHOLD.
// Left to itself, glibc raises both each time a large block is freed, and
// then keeps what the big, short-lived allocations of a screen change leave
// behind (decoding pictures, building the song's synthesizer, the renderer
// compiling its shaders): about 2-3 MB that would stay resident for the rest
// of the game. Called first thing by the entry point.
void keep_heap_trimmed();

// Opens the full-screen game mode when `fullscreen` asks for it and the
// display allows it, else a full-screen window with the picture scaled up
// (or, on a screen smaller than 800x600, the plain window), and says on the
// console which it is; without `fullscreen`, the 800x600 window. Never leaves
// the engine without somewhere to draw.
void open_display();
