// Which part of each picture can show at all. Pictures are drawn with the
// alpha test on, so texels nearly transparent never reach the screen; the
// software renderer still shades every pixel of a quad, and most of a menu
// item's quad is clear margin. Knowing where the visible texels lie lets a
// picture be drawn through a scissor box around them, with the same pixels.
#pragma once

#include "render/textures.h"

// 1 in the game: pictures and text are shaded only where they can show.
// 0 shades every picture's whole rectangle and the text's whole strip (the
// tests' reference: both must give the same pixels).
extern int clip_to_visible_pixels;

// Fragments whose alpha is not above this fail the alpha test (gl_setup).
constexpr float ALPHA_TEST_REF = 0.1f;

// A rectangle in texture coordinates (0..1 across the picture, first row at
// v = 0) outside which no sample of the picture can pass the alpha test.
struct VisibleArea {
    double u0, v0, u1, v1;
    bool empty;  // no texel of the picture can pass: nothing to draw
};

constexpr VisibleArea WHOLE_PICTURE = {0.0, 0.0, 1.0, 1.0, false};

// The area of a decoded picture: around every texel whose alpha could pass
// the test, widened by the texel that linear filtering blends in on each side,
// and the whole width or height where filtering wraps round to the other edge.
// Pictures without alpha are whole.
VisibleArea visible_area_of(const TgaPicture& picture);

// Records the area of the picture just uploaded into texture `id`.
void note_visible_area(int id, const TgaPicture& picture);

// The area recorded for `id`; WHOLE_PICTURE for an id never loaded from a file.
VisibleArea visible_area(int id);
