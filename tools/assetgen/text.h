// Anti-aliased text from the Debian fonts, rendered with FreeType straight into
// a canvas at the canvas's own (possibly unequal) texel scales, so letters keep
// their shape on screen however the texture is stretched.
#pragma once

#include <string>

#include "canvas.h"

enum class Font { Bold, CondensedBold, Regular, Condensed };

struct TextStyle {
    Font font = Font::Bold;
    double size = 16;      // em size, window pixels
    double tracking = 0;   // extra space after each letter, window pixels
    double slant = 0;      // horizontal shear per unit of height (0.2 leans right)
};

enum class Align { Left, Centre, Right };

// Opens the font files of `font_dir`; false when one is missing. Called once by main.
bool text_open(const std::string& font_dir);
void text_close();

// Advance width of `text` in window pixels, as drawn on `c`.
double text_width(const Canvas& c, const std::string& text, const TextStyle& style);
// Height of a capital letter, in window pixels, for `style`.
double cap_height(const TextStyle& style);

// Coverage of `text` with its baseline starting at (x, baseline).
Mask text_mask(const Canvas& c, const std::string& text, const TextStyle& style, double x, double baseline);

// Shrinks `style.size` until `text` fits the width of `box`, then returns the
// mask of it placed in `box`, capitals centred on the box's middle.
Mask text_in_box(const Canvas& c, const std::string& text, TextStyle& style, const Box& box, Align align);
