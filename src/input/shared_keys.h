// What the keys of several screens do alike. Called by the screens' key routines.
#pragma once

#include "stage/game_keys.h"  // the clicks

constexpr int VOLUME_STEPS = 9;  // volumes run 1..9

// value - 1 or + 1, stepping off one end of first..last onto the other.
int wrap_step(int value, int step, int first, int last);
// A volume only ever goes up, and past VOLUME_STEPS it starts again at 1.
int next_volume(int volume);
// 1 for 0, 0 for anything else: a switch read from settings.cfg may hold any value.
int toggled(int flag);
// Back to the main menu, the credits scrolled back to their start.
void back_to_main_menu(int fresh);
// Music switched on restarts the song the current screen last started; off frees it.
void toggle_music();
