#include "menus/screens.h"

// Not built yet: the menus issue fills this in.
void draw_logo_intro() {}

float logo_fade = 0.0f;
int logo_fade_step = 1;
