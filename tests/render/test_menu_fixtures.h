// Shared set-up for the menu screen tests: solid single-colour pictures in the
// texture ids, so the colour read back at a pixel tells which picture is drawn
// there and with which tint; stars parked out of the way; and a comparison of
// drawn text against the same text drawn alone.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "support/gl_pixels.h"
#include "support/scratch_dir.h"

// The colour of the picture written for texture `id`: distinct for ids 0..13
// and 100..112, and never equal to another id's colour dimmed to 0.7.
Rgb picture_colour(int id);
// That colour as drawn with the tint (t, t, t).
Rgb tinted(int id, double tint);

// Writes a 2x2 opaque picture of picture_colour(id) and loads it into each id.
// Works in its own scratch folder.
struct MenuPictures {
    ScratchDir dir;
    explicit MenuPictures(std::initializer_list<int> ids);
    // Writes the pictures under the file names a state's set loads from ./tex/.
    static void write_state_set(int state);
};

// Loads a 2x2 opaque picture of `colour` into `id` (in the current folder).
void load_solid_picture(int id, const Rgb& colour);

// Every star to the top-right corner with no speed: the screens' pixels are
// then free of stars everywhere else.
void park_stars();

// One text as a screen draws it.
struct TextAt {
    float x, y;
    void* font;
    std::string text;
};

// Window-pixel box [x0, x1) x [y0, y1).
struct PixelBox {
    int x0, y0, x1, y1;
};

// Which pixels of `box` hold exactly `colour` in the back buffer now.
std::vector<bool> colour_mask(const Rgb& colour, const PixelBox& box);

// Succeeds when the pixels of `colour` inside `box` of the current frame are
// exactly those that `texts`, drawn alone in that colour, give. Clears the frame.
testing::AssertionResult shows_exactly(const Rgb& colour, double r, double g, double b, const PixelBox& box,
                                       const std::vector<TextAt>& texts);

// Number of pixels in `box` within 2 of `colour`.
int pixels_of(const Rgb& colour, const PixelBox& box);

// The pale red of the status and hint lines.
inline Rgb hint_colour() { return rgb(1.0, 0.7, 0.7); }
