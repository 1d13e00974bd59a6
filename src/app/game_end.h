// The end of a running game, whichever way it comes.
#pragma once

// The four ways a game ends; each decides whether the score enters the table
// and what happens to the remote's motion sensing.
enum GameEnding {
    ENDING_DESTROYED,      // the death sequence ran out: the score enters if above 0
    ENDING_STAGE_FLOWN,    // NAV 2's fly-out ended: the score enters whatever it is
    ENDING_QUIT,           // Y in the quit overlay: the score enters if the fighter was lost
    ENDING_RESTART,        // Enter on a lost fighter: the score enters, a new game starts at NAV 1
};

// What an ended game resets outside the stage: the main menu's cursor, the
// notice line, and the remote's LEDs (1 and 4) and rumble (off) when its
// library is loaded, in that order. Called by reset_game, as its last step.
void reset_menus_and_remote();

// Records the score where the ending says so (always before reset_game, which
// clears it), calls reset_game and switches motion sensing off, except on a
// restart, which goes straight to NAV 1 with its pictures and music reloaded.
// Called by run_player_destruction, run_nav_complete and the stage and quit
// overlay keys.
void end_game(GameEnding ending);
