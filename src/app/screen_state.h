// The screen-state dispatch: each frame shows the screen of screen_state
// (stage/screen_machine.h holds the state, its codes and enter_screen).
#pragma once

#include "stage/screen_machine.h"

extern char music_path[32];  // music most recently started by the display callback

// Starts `path` as the current screen's song on the first frame of a visit
// (music_started clear), and remembers it even with music off, so switching
// music on later plays the right song. Called by the dispatch, and for a
// stage's song by the stage's first frame.
void start_music_once(const char* path);

// One frame of the whole game: clear, dispatch on screen_state, swap.
// Registered as the toolkit's display callback; called once per redisplay.
void display_callback();
