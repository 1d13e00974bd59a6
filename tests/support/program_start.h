// The game's values as the process started, before any test changed them. A
// test that plays the game from its start (the run digest, the soak) restores
// them first, so that the tests which ran before it in the same process leave
// no trace in its run.
#pragma once

struct GameValues;

// Called by the test main before the first test.
void remember_program_start();

// Puts back every value of the world's list and of app/game_values.h's list
// (the high-score table with them) as remembered.
void restore_program_start();

// The values of app/game_values.h's list as remembered: what their start
// values are checked against.
const GameValues& program_start_game_values();
