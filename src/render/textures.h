// Pictures: uncompressed TGA files loaded into fixed texture ids per screen state.
#pragma once

#include <cstdio>
#include <vector>

// Fixed texture ids used across states (ids 0..13 change meaning with the state).
enum {
    TEX_DIGIT_0 = 100,           // settings menu digits 0..9 at 100..109
    TEX_QUIT_PROMPT = 512,
    TEX_HUD_PANEL = 513,
    TEX_GAME_OVER = 514,
    TEX_NAV_COMPLETE = 515,
    TEX_STAGE_TITLE = 516,
    TEX_SHOT_LASER = 517,
    TEX_SHOT_ION = 518,
    TEX_SHOT_NEUTRON = 519,
};

// Return values of load_tga_texture.
enum { TGA_LOADED = 1, TGA_NOT_OPENED = 13, TGA_REFUSED = 0 };

// A decoded picture, pixels already in OpenGL byte order.
struct TgaPicture {
    int width = 0, height = 0;
    int depth = 0;                     // 8, 24 or 32 bits per pixel
    std::vector<unsigned char> pixels; // width * height * depth / 8 bytes, rows in file order
};

// Reads and checks a TGA from an open stream and converts its pixels.
// Returns false (and leaves `out` empty) for any refused or short file.
bool read_tga(FILE* file, TgaPicture* out);

// Loads `path` into texture id `id`: TGA_LOADED, TGA_NOT_OPENED when the file
// cannot be opened (the id keeps its image), TGA_REFUSED otherwise.
int load_tga_texture(const char* path, int id);

// Told of every picture file that now fills a texture id, after its upload;
// nullptr in the game. Tests set it to see which picture each id holds.
extern void (*texture_file_watcher)(const char* path, int id);

// The gamepad's layout: on the controls screen it takes the remote's place
// (id 1) while a pad is in use and no remote is connected.
constexpr const char* PAD_LAYOUT_PICTURE = "./tex/tex_menu_keys_pad.tga";

// Loads the whole texture set of screen state `state`, in its fixed order.
// Called by the dispatcher once per visit, and by gl_setup for the logo intro.
void load_state_textures(int state);

// Number of files in a state's set and the i-th (path, id) pair, for tests and
// the asset checks; returns 0 for states without a set.
int state_texture_count(int state);
const char* state_texture_path(int state, int index);
int state_texture_id(int state, int index);
