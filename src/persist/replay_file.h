// A replay file: one game, from the set-up of NAV 1 to its end, as the seed of
// the game's generator, the world values its set-up does not give, and the
// input stream. Written and read as bytes here; where the files live is
// persist/replay_store's business.
//
// Layout (integers little-endian; "varint" is 7 bits a byte, low first, top
// bit for "more"; signed values zigzag-coded):
//   "KVRP", format version (1 byte)
//   game version, build identity, profile: each a varint length and its bytes
//   fighter, date (unix seconds), final score, final world digest (8 bytes),
//   seed, last frame: varints but the digest
//   start state: the world's int scalars (varints), double scalars and the two
//   fighters' records (doubles as 8 raw bytes, ints as varints)
//   record count (varint), then per record: varint frame delta, handler byte,
//   and a varint key; a steering record has instead a byte of flags for the
//   values that changed since the last one and those values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "input/input_stream.h"
#include "stage/world.h"

constexpr int REPLAY_FORMAT_VERSION = 1;
// No whole game comes near this; a larger file is refused unread.
constexpr size_t REPLAY_MAX_BYTES = 1 << 20;
// About 46 days of frames: far beyond any game, far below any counter's end.
constexpr long REPLAY_MAX_FRAMES = 100000000;
constexpr size_t REPLAY_TEXT_MAX = 255;

// How many scalars of each kind the world has (stage/world_snapshot.h's lists).
extern const int WORLD_INT_COUNT;
extern const int WORLD_DOUBLE_COUNT;
constexpr int WORLD_INT_CAPACITY = 40;
constexpr int WORLD_DOUBLE_CAPACITY = 8;

// What carries into a game from before its NAV 1 set-up: every world scalar
// (ring counters, the enemy fighter's timer and heading, steering values...)
// and the two fighters' records.
struct ReplayStart {
    int32_t ints[WORLD_INT_CAPACITY];
    double doubles[WORLD_DOUBLE_CAPACITY];
    Ship player;
    Ship nav_fighter;
};
void capture_replay_start(ReplayStart* start);
void restore_replay_start(const ReplayStart& start);

struct Replay {
    std::string game_version;
    std::string build_identity;
    std::string profile;      // the pilot
    int fighter = 0;          // 0..2
    int64_t date = 0;         // unix seconds at the game's end
    int32_t final_score = 0;
    uint64_t final_digest = 0;  // world_digest() as the game ended
    uint32_t seed = 0;          // the game's generator at NAV 1's set-up
    long last_frame = 0;        // frames from the set-up to the end
    ReplayStart start{};
    std::vector<InputRecord> records;  // frames counted from the set-up's frame (0)
};

// This game's version and the build's identity (compiler, processor, C
// library): a replay made by another one may not fly the same and is refused.
std::string this_game_version();
std::string this_build_identity();

std::string encode_replay(const Replay& replay);
// Reads a replay. On refusal returns false and puts one line of reason into
// `why`: not a replay, another format or game, damaged or truncated.
bool decode_replay(const unsigned char* data, size_t size, Replay* replay, std::string* why);
