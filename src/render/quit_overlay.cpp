#include "render/quit_overlay.h"

// Not built yet: the stage drawing issue fills this in.
void draw_quit_overlay() {}
