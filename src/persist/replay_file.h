// A replay file: one game, from the set-up of NAV 1 to its end, as the seed of
// the game's generator, the settings and world values it started with, digests
// of its world along the way and the input stream. Written and read as bytes
// here; where the files live is persist/replay_store's business. Every field,
// its encoding and the version rules are described in docs/replay-format.md.
//
// Layout (integers little-endian; "varint" is 7 bits a byte, low first, top
// bit for "more"; signed values zigzag-coded):
//   "KVRP", format version (1 byte)
//   game version: a varint length and its bytes
//   format 1: the build identity, as a text; format 2: the rules' fingerprint (8 bytes)
//   profile: a varint length and its bytes
//   fighter, date (unix seconds), final score, final world digest (8 bytes),
//   seed, last frame: varints but the digest
//   format 2 on: the settings at the start (sfx, music, sfxvol, musicvol,
//   stars_on), signed varints
//   start state: the world's int scalars (varints), double scalars and the two
//   fighters' records (doubles as 8 raw bytes, ints as varints)
//   format 2 on: checkpoint interval (varint), checkpoint count (varint), and
//   that many world digests (8 bytes each)
//   record count (varint), then per record: varint frame delta, handler byte,
//   and a varint key; a steering record has instead a byte of flags for the
//   values that changed since the last one and those values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "stage/stage_input.h"
#include "stage/world.h"

// Format 1: no settings, no checkpoints (the final digest is the only check),
// and the build's identity (compiler, processor, C library) decides where it
// plays. Format 2: the settings at the start, the checkpoints, and the rules'
// fingerprint (stage/rules_fingerprint.h) instead of the build's identity.
// The game writes 2 and reads both.
constexpr int REPLAY_FORMAT_VERSION = 2;
constexpr int REPLAY_FORMAT_OLDEST = 1;
// The largest file the game writes and reads: a game steered by a stick and a
// remote in every frame fills it after more than three hours; a game by keys
// alone, never. The recorder stops recording a game that would outgrow it.
constexpr size_t REPLAY_MAX_BYTES = 8 << 20;
// About 46 days of frames: far beyond any game, far below any counter's end.
constexpr long REPLAY_MAX_FRAMES = 100000000;
constexpr size_t REPLAY_TEXT_MAX = 255;
// A world digest every this many frames (ten seconds), from the set-up's frame on.
constexpr long REPLAY_CHECKPOINT_INTERVAL = 250;

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

// The settings a game started with: what its sound, music, volume and star
// keys changed from, and what its playback starts from.
struct ReplaySettings {
    int32_t sfx = 0, music = 0, sfxvol = 0, musicvol = 0, stars_on = 0;
};

struct Replay {
    int format = REPLAY_FORMAT_VERSION;  // what it was read as; encode_replay writes that
    std::string game_version;
    std::string build_identity;  // format 1
    uint64_t rules_fingerprint = 0;  // format 2 on: rules_fingerprint() of the game that made it
    std::string profile;      // the pilot
    int fighter = 0;          // 0..2
    int64_t date = 0;         // unix seconds at the game's end
    int32_t final_score = 0;
    uint64_t final_digest = 0;  // world_digest() as the game ended
    uint32_t seed = 0;          // the game's generator at NAV 1's set-up
    long last_frame = 0;        // frames from the set-up to the end
    ReplaySettings settings;    // format 2 on
    ReplayStart start{};
    long checkpoint_interval = REPLAY_CHECKPOINT_INTERVAL;  // format 2 on
    // world_digest() at the end of frames 0, interval, 2 x interval, ... that
    // the game ran to their end: replay_checkpoint_count(last_frame, interval) of them.
    std::vector<uint64_t> checkpoints;
    std::vector<InputRecord> records;  // frames counted from the set-up's frame (0)
};

// How many checkpoints a game of `last_frame` frames has: one for each
// multiple of `interval` below last_frame (the frame the game ended in never
// runs to its end).
long replay_checkpoint_count(long last_frame, long interval);

// This game's version, which the recorder writes into every replay, and the
// build's identity (compiler, processor, C library), which format 1 held.
std::string this_game_version();
std::string this_build_identity();
// Why a replay whose header (format, version, identity or fingerprint) says
// this may not fly the same here, as a line to show; empty when it flies the
// same: a format-1 file by its version and build, a newer one by its rules'
// fingerprint. The one place that decides which replays this build plays.
// Called by decode_replay.
std::string replay_identity_refusal(const Replay& header);

std::string encode_replay(const Replay& replay);
// The bytes `record` adds to a file after a record of frame `*frame` with the
// steering values `*known` before it; moves both past it, as encode_replay
// does. Called by the recorder, which keeps its game within REPLAY_MAX_BYTES.
size_t replay_record_bytes(const InputRecord& record, long* frame, SteeringValues* known);
// The steering values a game started with: its first steering record says
// what changed from these.
SteeringValues start_steering(const ReplayStart& start);
// Reads a replay. On refusal returns false and puts one line of reason into
// `why`: not a replay, another format or game, damaged or truncated. Texts
// from the file in that line are printable (persist/printable_text.h).
bool decode_replay(const unsigned char* data, size_t size, Replay* replay, std::string* why);
// Reads and checks a replay file; on refusal false with one line of reason. A
// FIFO, a device or a folder is refused before a byte of it is read, and a
// file larger than REPLAY_MAX_BYTES without reading it.
bool read_replay_file(const std::string& path, Replay* replay, std::string* why);
