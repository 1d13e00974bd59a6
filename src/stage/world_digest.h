// One 64-bit value for the whole world of a stage: a replay records the world's
// digest at its game's end, and playing it back must arrive at the same one.
#pragma once

#include <cstdint>

// Every value of stage/world_snapshot.h's lists, field by field (never raw
// bytes, so the padding inside records cannot change it).
uint64_t world_digest();
