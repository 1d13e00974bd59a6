// Shared by the stage drawing tests: plain pictures loaded into the ids the
// stage draws with, so that every colour on screen is predictable, and a
// clean world to draw.
#pragma once

#include <GL/freeglut.h>

#include <cstring>
#include <initializer_list>
#include <vector>

#include "render/textures.h"
#include "stage/world.h"
#include "stage/world_snapshot.h"
#include "support/gl_pixels.h"
#include "support/scratch_dir.h"

namespace stage_pictures {

// A 4x4 32-bit picture of one opaque colour (0..255 per channel) in `id`.
inline void load_solid(int id, int r, int g, int b) {
    ScratchDir dir;
    unsigned char px[4 * 4 * 4];
    for (int i = 0; i < 16; ++i) {
        px[i * 4 + 0] = static_cast<unsigned char>(b);  // TGA order: blue, green, red, alpha
        px[i * 4 + 1] = static_cast<unsigned char>(g);
        px[i * 4 + 2] = static_cast<unsigned char>(r);
        px[i * 4 + 3] = 255;
    }
    write_tga("p.tga", 4, 4, 32, px);
    load_tga_texture("p.tga", id);
}

inline void load_white(std::initializer_list<int> ids) {
    for (int id : ids) load_solid(id, 255, 255, 255);
}

// A 4x4 picture whose bottom half (texture t below 0.5) is red and top half
// blue, to tell which way up it was drawn.
inline void load_red_bottom_blue_top(int id) {
    ScratchDir dir;
    unsigned char px[4 * 4 * 4];
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            unsigned char* p = px + (row * 4 + col) * 4;
            const bool bottom = row < 2;  // file rows bottom-up: row 0 becomes t = 0
            p[0] = bottom ? 0 : 255;
            p[1] = 0;
            p[2] = bottom ? 255 : 0;
            p[3] = 255;
        }
    write_tga("p.tga", 4, 4, 32, px);
    load_tga_texture("p.tga", id);
}

// Parks every particle off screen, as the NAV set-ups do.
inline void park_every_particle() {
    for (Particle* pool : {debris_particles, hit_sparks, impact_sparks, explosion_particles}) {
        const int capacity = pool == hit_sparks ? HIT_SPARK_CAPACITY
                             : pool == impact_sparks ? IMPACT_SPARK_CAPACITY
                                                     : DEBRIS_CAPACITY;
        for (int i = 0; i < capacity; ++i) pool[i] = {-1, -1, 0, 0};
    }
}

// A fighter as the first frame of NAV 1 gives it.
inline void fresh_player(int ship, double x, double y) {
    player.x = x;
    player.y = y;
    player.width = 48;
    player.height = 48;
    player.hull_max = player.hull = ship_table[ship].hull_max;
    player.gun_energy_max = ship_table[ship].gun_energy_max;
    player.gun_energy = player.gun_energy_max;
    for (int side = 1; side <= 4; ++side) {
        player.shield_max[side] = ship_table[ship].shield_max;
        player.shield[side] = ship_table[ship].shield_max;
    }
}

// Pixels of exactly this colour in the window rectangle [x0,x1) x [y0,y1).
inline int pixels_of(const Rgb& colour, int x0, int y0, int x1, int y1, int tolerance = 0) {
    std::vector<unsigned char> p(static_cast<size_t>(x1 - x0) * (y1 - y0) * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x0, y0, x1 - x0, y1 - y0, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    int count = 0;
    for (size_t i = 0; i < p.size(); i += 4)
        if (near(Rgb{p[i], p[i + 1], p[i + 2]}, colour, tolerance)) ++count;
    return count;
}

// Pixels of exactly this colour around the screen-unit point (x, y), within `radius` window pixels.
inline int pixels_near(const Rgb& colour, double x, double y, int radius = 3, int tolerance = 0) {
    const int px = static_cast<int>(x * 800), py = static_cast<int>(y * 600);
    return pixels_of(colour, px - radius, py - radius, px + radius + 1, py + radius + 1, tolerance);
}

}  // namespace stage_pictures
