#include "render/text.h"

#include <GL/freeglut.h>

#include "render/latin1_text.h"
#include "render/visible_texels.h"

// The width of `text` as drawn, in pixels: the characters the fonts draw, not
// its bytes.
static int drawn_width(void* font, const char* text) {
    int width = 0;
    while (*text != '\0') width += glutBitmapWidth(font, next_latin1_character(&text));
    return width;
}

// The renderer sets the characters' pixels through a bitmap path that shades
// a wide strip around them; a scissor box a line's height wider than the text
// on every side keeps the shading to where the characters can fall.
static bool clip_to_text(void* font, const char* text) {
    GLint valid = GL_FALSE;
    glGetIntegerv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    if (clip_to_visible_pixels == 0 || valid != GL_TRUE || glIsEnabled(GL_SCISSOR_TEST)) return false;
    GLfloat start[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, start);
    const int margin = glutBitmapHeight(font);
    const int length = drawn_width(font, text);
    glScissor(static_cast<GLint>(start[0]) - margin, static_cast<GLint>(start[1]) - margin, length + 2 * margin,
              3 * margin);
    glEnable(GL_SCISSOR_TEST);
    return true;
}

void draw_text(float x, float y, void* font, const char* text) {
    // The raster position takes the current colour: the text keeps the colour of this moment.
    glRasterPos2f(x, y);
    const bool clipped = clip_to_text(font, text);
    // UTF-8 in, the fonts' Latin-1 out: "Jürgen" shows as itself, not as two odd letters.
    for (const char* c = text; *c != '\0';) glutBitmapCharacter(font, next_latin1_character(&c));
    if (clipped) glDisable(GL_SCISSOR_TEST);
}
