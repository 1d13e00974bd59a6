#include "stage/frames.h"

// Not built yet: the stage simulation issue fills these in.
void frame_nav1() {}
void frame_nav2() {}
void steer_player(SteerDirection) {}
void recharge_shields() {}
void recharge_guns(double) {}
