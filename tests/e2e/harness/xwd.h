// Screenshots in X's xwd format, decoded to RGB.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Pixel {
    int r, g, b;
};

struct Screenshot {
    int width = 0, height = 0;
    std::vector<Pixel> pixels;  // rows top to bottom

    bool valid() const { return width > 0 && height > 0; }
    // Pixel at X coordinates (origin top-left).
    Pixel at_px(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // Pixel at the game's screen units (0..1, origin bottom-left) of an
    // 800x600 window at the screen's origin.
    Pixel at(double x, double y) const;
    // Non-black pixels in the game-unit rectangle [x0,x1) x [y0,y1).
    int lit(double x0, double y0, double x1, double y1) const;
};

// Decodes an xwd dump (ZPixmap, 24 or 32 bits per pixel); invalid on failure.
Screenshot decode_xwd(const std::string& data);
