// Textured quads: the one shape every picture of the game is drawn with.
#pragma once

// A drawing colour, red, green, blue 0..1; textures are modulated by it.
struct Colour {
    double r, g, b;
};

// Screen-unit point or texture coordinate pair.
struct Point2 {
    double x, y;
};

// The texture coordinates of a picture shown upright on its rectangle.
extern const Point2 STANDARD_MAPPING[4];

// Draws texture `id` on the quad whose corners are given lower-left,
// lower-right, upper-right, upper-left, with `coords` at those corners in the
// same order, in the colour current at the call. Texturing must already be on.
// Every textured quad of the game but the scaled picture's copy is drawn here.
// Called by draw_picture_quad and draw_upright_picture.
void draw_textured_quad(int id, const Point2 corners[4], const Point2 coords[4]);

// Sets `colour` and draws texture `id` on the quad whose corners are given
// lower-left, lower-right, upper-right, upper-left, with `coords` at those
// corners in the same order. Texturing must already be on.
// Called by the shield strips and the enemy fighter.
void draw_picture_quad(int id, Colour colour, const Point2 corners[4], const Point2 coords[4]);

// Draws texture `id` upright on the rectangle from (x0, y0) to (x1, y1) in the
// colour current at the call; texturing must already be on. Only the pixels
// around the picture's visible texels are shaded (a scissor box, see
// render/visible_texels.h), which changes none of them. Called by
// draw_picture and the menus' draw_textured_rect.
void draw_upright_picture(int id, double x0, double y0, double x1, double y1);

// The same for an axis-aligned rectangle from (x0, y0) to (x1, y1) with the
// picture upright (standard mapping). Called by the sprite, HUD, quit-prompt
// and game-over drawing.
void draw_picture(int id, Colour colour, double x0, double y0, double x1, double y1);
