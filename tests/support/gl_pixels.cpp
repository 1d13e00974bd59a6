#include "gl_pixels.h"

#include <GL/freeglut.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Rgb rgb(double r, double g, double b) {
    auto byte = [](double v) { return static_cast<int>(std::lround(v * 255.0)); };
    return {byte(r), byte(g), byte(b)};
}

void begin_frame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
}

void draw_quad(double x0, double y0, double x1, double y1) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2d(x0, y0);
    glTexCoord2f(1, 0);
    glVertex2d(x1, y0);
    glTexCoord2f(1, 1);
    glVertex2d(x1, y1);
    glTexCoord2f(0, 1);
    glVertex2d(x0, y1);
    glEnd();
}

void draw_textured_quad(int id, double x0, double y0, double x1, double y1) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, id);
    draw_quad(x0, y0, x1, y1);
    glDisable(GL_TEXTURE_2D);
}

Rgb pixel_at_px(int px, int py) {
    unsigned char p[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}

Rgb pixel_at(double x, double y) {
    return pixel_at_px(static_cast<int>(x * 800.0), static_cast<int>(y * 600.0));
}

bool near(const Rgb& a, const Rgb& e, int tolerance) {
    return std::abs(a.r - e.r) <= tolerance && std::abs(a.g - e.g) <= tolerance &&
           std::abs(a.b - e.b) <= tolerance;
}

int lit_pixels(int x0, int y0, int x1, int y1) {
    const int w = x1 - x0, h = y1 - y0;
    std::vector<unsigned char> p(static_cast<size_t>(w) * h * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x0, y0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    int lit = 0;
    for (size_t i = 0; i < p.size(); i += 4)
        if (p[i] || p[i + 1] || p[i + 2]) ++lit;
    return lit;
}

void write_tga(const char* path, int width, int height, int depth, const unsigned char* pixels,
               int image_type, int colour_map_type) {
    unsigned char header[18] = {};
    header[1] = static_cast<unsigned char>(colour_map_type);
    header[2] = static_cast<unsigned char>(image_type);
    header[12] = width & 0xFF;
    header[13] = (width >> 8) & 0xFF;
    header[14] = height & 0xFF;
    header[15] = (height >> 8) & 0xFF;
    header[16] = static_cast<unsigned char>(depth);
    FILE* f = fopen(path, "wb");
    if (!f) abort();
    fwrite(header, 1, sizeof header, f);
    if (pixels) fwrite(pixels, 1, static_cast<size_t>(width) * height * (depth / 8), f);
    fclose(f);
}
