// Reading back what a drawing routine put in the back buffer.
#pragma once

#include <ostream>

struct Rgb {
    int r, g, b;  // 0..255
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream& operator<<(std::ostream& out, const Rgb& c);

// Colour 0..1 floats to the 0..255 a pixel stores.
Rgb rgb(double r, double g, double b);

// Clears colour and depth, resets the modelview and texturing, white colour:
// the state every frame starts in.
void begin_frame();

// A quad over screen units (x0, y0)..(x1, y1) with the whole texture mapped on
// it, (0, 0) at the lower-left, in the current colour and texturing state.
void draw_quad(double x0, double y0, double x1, double y1);
// The same with texture `id` bound and texturing on for just this quad.
void draw_textured_quad(int id, double x0, double y0, double x1, double y1);

// The back-buffer pixel at screen units (x, y) (0..1, origin bottom-left).
Rgb pixel_at(double x, double y);
// The back-buffer pixel at window pixel (px, py) (origin bottom-left).
Rgb pixel_at_px(int px, int py);

// True when every channel is within `tolerance` of `expected`.
bool near(const Rgb& actual, const Rgb& expected, int tolerance = 2);

// Number of non-black pixels in the rectangle of window pixels [x0,x1) x [y0,y1).
int lit_pixels(int x0, int y0, int x1, int y1);

// Writes a 2x2 .. 512x512 TGA for loader tests; `pixels` are in file byte order.
void write_tga(const char* path, int width, int height, int depth, const unsigned char* pixels,
               int image_type = 2, int colour_map_type = 0);
