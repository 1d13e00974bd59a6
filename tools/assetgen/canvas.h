// A floating-point RGBA picture drawn in the units of its on-screen rectangle.
//
// Every picture of the game is drawn stretched over a fixed screen rectangle,
// while its texture must have power-of-two sides. A canvas therefore keeps two
// scales: shapes are given in design units (pixels of the 800x600 window, origin
// at the bottom-left, y up) and land on texels of whatever size the texture has,
// so a drawing keeps its on-screen aspect whatever the texture's.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;  // straight (not premultiplied) colour, 0..1
};

inline Rgba rgba(float r, float g, float b, float a = 1.0f) { return Rgba{r, g, b, a}; }
inline Rgba grey(float v, float a = 1.0f) { return Rgba{v, v, v, a}; }
Rgba mix(const Rgba& a, const Rgba& b, float t);

struct Point {
    double x = 0, y = 0;
};

struct Canvas {
    int width = 0, height = 0;          // texels
    double design_w = 0, design_h = 0;  // size of the on-screen rectangle, window pixels
    std::vector<Rgba> texels;           // premultiplied, row 0 at the bottom

    Canvas(int texture_w, int texture_h, double screen_w, double screen_h);
    double texels_per_unit_x() const { return width / design_w; }
    double texels_per_unit_y() const { return height / design_h; }
    Rgba& at(int x, int y) { return texels[static_cast<size_t>(y) * width + x]; }
    const Rgba& at(int x, int y) const { return texels[static_cast<size_t>(y) * width + x]; }
    // Composites a straight colour with extra coverage over texel (x, y).
    void blend(int x, int y, const Rgba& colour, float coverage);
};

using Inside = std::function<bool(double x, double y)>;
using Paint = std::function<Rgba(double x, double y)>;

struct Box {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// Fills the shape `inside` (tested at SUPERSAMPLE x SUPERSAMPLE points per texel,
// within `bounds`) with the colour `paint` gives at each texel centre.
void fill(Canvas& c, const Box& bounds, const Inside& inside, const Paint& paint);
void fill(Canvas& c, const Box& bounds, const Inside& inside, const Rgba& colour);

// Shape tests in design units.
Inside polygon_shape(std::vector<Point> points);  // even-odd rule
Inside ellipse_shape(double cx, double cy, double rx, double ry);
Inside rounded_rect_shape(const Box& b, double radius);
Inside segment_shape(Point a, Point b, double half_width);  // a capsule
Box bounds_of(const std::vector<Point>& points, double margin = 1.0);

// Coverage-only helpers for soft effects: a per-texel mask (0..1).
using Mask = std::vector<float>;
Mask mask_of(const Canvas& c, const Box& bounds, const Inside& inside);
void blur_mask(Mask& m, int width, int height, int radius);  // three box passes
void paint_mask(Canvas& c, const Mask& m, const Paint& paint, float strength = 1.0f);
void paint_mask(Canvas& c, const Mask& m, const Rgba& colour, float strength = 1.0f);

// Softens the whole picture with a [1 2 1] kernel, for pictures drawn larger
// than their texture is shown (no mipmaps: this keeps minification clean).
void soften(Canvas& c);

// Writes an uncompressed bottom-up TGA: 32-bit BGRA, or 8-bit (the alpha alone)
// when `alpha_only`. Transparent texels take the colour of their neighbours so
// linear filtering leaves no dark fringe. Returns false on a write error.
bool write_tga(const Canvas& c, const std::string& path, bool alpha_only = false);

// Deterministic noise, identical on every machine (no library random numbers).
double hash01(int x, int y, int seed);                // 0..1
double value_noise(double x, double y, int seed);     // smooth, 0..1
double fractal_noise(double x, double y, int seed, int octaves);
