#include "menus/screens.h"

// Not built yet: the menus issue fills this in.
void draw_stage_select() {}

int stages_unlocked = 1;
