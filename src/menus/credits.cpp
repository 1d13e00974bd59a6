#include "menus/screens.h"

// Not built yet: the menus issue fills this in.
void draw_credits() {}

double credits_scroll = 0.0;
