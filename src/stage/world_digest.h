// One 64-bit value for the whole world of a stage: a replay records the world's
// digest at its game's end, and playing it back must arrive at the same one.
// The run digest test extends the same hash with the values outside the world.
#pragma once

#include <cstdint>
#include <cstring>

#include "stage/world_snapshot.h"

// FNV-1a's step over 64-bit words, with a shift folded back in so that high
// bits reach the low ones. Records are hashed field by field as
// stage/world_snapshot.h lists them, never as raw bytes, so the padding inside
// them cannot change the result.
struct WorldHash {
    uint64_t value = 14695981039346656037ull;
    void word(uint64_t w) { value = (value ^ w) * 1099511628211ull ^ (value >> 29); }
    void add(int32_t v) { word(static_cast<uint32_t>(v)); }
    void add(double v) {
        uint64_t bits;
        memcpy(&bits, &v, sizeof bits);
        word(bits);
    }
#define WORLD_HASH_FIELD(name) add(record.name);
    void add(const Ship& record) {
        for_each_ship_field(record, [this](auto field) { add(field); });
    }
    void add(const Enemy& record) { ENEMY_FIELDS(WORLD_HASH_FIELD) }
    void add(const Projectile& record) { PROJECTILE_FIELDS(WORLD_HASH_FIELD) }
    void add(const Particle& record) { PARTICLE_FIELDS(WORLD_HASH_FIELD) }
#undef WORLD_HASH_FIELD
    template <typename T, size_t N> void add(const T (&items)[N]) {
        for (const T& item : items) add(item);
    }
};

// Adds every value of stage/world_snapshot.h's lists to `hash`, in their order.
void hash_world(WorldHash& hash);

// The hash of the world alone.
uint64_t world_digest();
