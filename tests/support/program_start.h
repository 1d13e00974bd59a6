// The game's values as the process started, before any test changed them. A
// test that plays the game from its start (the run digest, the soak) restores
// them first, so that the tests which ran before it in the same process leave
// no trace in its run.
#pragma once

// Called by the test main before the first test.
void remember_program_start();

// Puts back every world value, the high-score table, and the screens' values
// that start-up does not set, as remembered.
void restore_program_start();
