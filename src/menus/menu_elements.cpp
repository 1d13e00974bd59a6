#include "menus/menu_elements.h"

// Not built yet: the menus issue fills these in.
void draw_logo_banner() {}
void draw_status_line() {}
