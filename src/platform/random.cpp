#include "platform/random.h"

#include <cstdlib>

// glibc's rand() yields 31 bits; its top 15 give the 0..32767 range the game expects.
static int library_rand15() { return std::rand() >> 16; }

static int (*rand15_source)() = library_rand15;

int rand15() { return rand15_source(); }

void set_rand15_source(int (*source)()) { rand15_source = source ? source : library_rand15; }
