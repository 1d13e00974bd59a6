// Drawing the star backdrop (stage/starfield.h holds the table and moves it).
#pragma once

#include "stage/starfield.h"

// The stars where they stand, while the field shows. Texturing must be off.
// Called last by the stage's picture (stage/stage_view.h) and by draw_starfield.
void draw_stars();
// One menu frame's stars: moves and draws the field, last in the frame;
// vertical 1 makes the stars fall, 0 drift left. Texturing must be off.
void draw_starfield(int vertical);
