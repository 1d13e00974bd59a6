#include "render/text.h"

#include <GL/freeglut.h>

void draw_text(float x, float y, void* font, const char* text) {
    // The raster position takes the current colour: the text keeps the colour of this moment.
    glRasterPos2f(x, y);
    for (const char* c = text; *c != '\0'; ++c) glutBitmapCharacter(font, static_cast<unsigned char>(*c));
}
