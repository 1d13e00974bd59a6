// The end of a running game, whichever way it comes.
#pragma once

#include "stage/stage_events.h"  // the endings

// What an ended game resets outside the stage: the main menu's cursor, the
// notice line, and the remote's LEDs (1 and 4) and rumble (off) when its
// library is loaded, in that order. Called for reset_game's last step.
void reset_menus_and_remote();

// Records the score where the ending says so (always before reset_game, which
// clears it), calls reset_game and switches motion sensing off, except on a
// restart, which goes straight to NAV 1 with its pictures and music reloaded.
// Called for the stage's endings: the death sequence, the fly-out and the stage
// and quit overlay keys (stage/stage_events.h).
void end_game(GameEnding ending);
