// The game's random numbers run 0..32767, as its ranges and tables assume.
//
// They come from a generator of the game's own: libraries in the same process
// (the MIDI synthesizer, for one) draw from the C library's rand() whenever they
// like, and a game must draw the same numbers wherever and however it runs for
// a replay to fly it again exactly.
#pragma once

#include <cstdlib>

constexpr int RAND15_MAX = 32767;

// Next value 0..32767 from the game's generator.
int rand15();

// Starts the game's generator afresh from `seed`; the draws that follow are
// those rand() gives after srand(seed) on this C library.
void seed_rand15(unsigned seed);

// A seed for a new game, drawn from the running generator, which is then
// seeded with it: a replay holds this seed and starts the game's draws there.
unsigned reseed_rand15_for_game();

// Tests script the draws by replacing the source; nullptr restores the game's generator.
void set_rand15_source(int (*source)());

// The generator as it stands: its state, and the source draws come from.
struct Rand15Saved {
    char state[128];
    random_data generator;
    bool ready;
    int (*source)();
};
// A run that must leave the game's draws as it found them (the rules'
// fingerprint) saves the generator first and puts it back after.
Rand15Saved save_rand15();
void restore_rand15(const Rand15Saved& saved);
