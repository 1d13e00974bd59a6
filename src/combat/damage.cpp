#include "combat/damage.h"

// Not built yet: the stage simulation issue fills these in.
void damage_player(int, int) {}
void run_player_destruction() {}
