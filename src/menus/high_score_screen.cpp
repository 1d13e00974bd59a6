#include "menus/screens.h"

// Not built yet: the menus issue fills this in.
void draw_high_score_screen() {}
