#include "stage/setup.h"

// Not built yet: the stage simulation issue fills these in.
void setup_nav1() {}
void setup_nav2() {}
void setup_player() {}
void spawn_nav_fighter(double, double, int) {}
