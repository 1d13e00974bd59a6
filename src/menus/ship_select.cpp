#include "menus/screens.h"

// Not built yet: the menus issue fills this in.
void draw_ship_select() {}
