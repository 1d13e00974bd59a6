#include "render/hud.h"

// Not built yet: the stage drawing issue fills this in.
void draw_hud() {}
