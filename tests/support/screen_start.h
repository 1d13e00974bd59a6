// Where most fixtures begin: the game's values at their start, on one screen
// whose first frame has run.
#pragma once

#include "app/game_values.h"

// Every value of app/game_values.h at its start, then `state` as its first
// frame leaves it: its pictures loaded and its song started. Fixtures call it,
// then set only what their tests need.
inline void start_on_screen(int state) {
    set_game_start_values();
    screen_state = state;
    textures_loaded = 1;
    music_started = 1;
}
