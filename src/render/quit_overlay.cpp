#include "render/quit_overlay.h"

#include <GL/freeglut.h>

#include "render/picture.h"
#include "render/textures.h"
#include "stage/world.h"

namespace {

const Colour PROMPT_COLOUR = {1.0, 0.7, 0.7};
constexpr double PROMPT_WIDTH = 0.16;
constexpr double PROMPT_Y0 = 0.47, PROMPT_Y1 = 0.52;
// Left edge: centred on the playfield once the panel is in, on the whole screen before.
constexpr double PROMPT_X_PLAYFIELD = 0.34;
constexpr double PROMPT_X_SCREEN = 0.42;

}  // namespace

void draw_quit_overlay() {
    glEnable(GL_TEXTURE_2D);
    const double x0 = hud_offset == 0.0 ? PROMPT_X_PLAYFIELD : PROMPT_X_SCREEN;
    draw_picture(TEX_QUIT_PROMPT, PROMPT_COLOUR, x0, PROMPT_Y0, x0 + PROMPT_WIDTH, PROMPT_Y1);
    glDisable(GL_TEXTURE_2D);
}
