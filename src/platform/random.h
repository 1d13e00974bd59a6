// The game's random numbers run 0..32767, as its ranges and tables assume.
#pragma once

constexpr int RAND15_MAX = 32767;

// Next value 0..32767 from the C library's generator (seeded with srand).
int rand15();

// Tests script the draws by replacing the source; nullptr restores rand().
void set_rand15_source(int (*source)());
