// The world of a stage as one value: every record, pool and scalar of
// stage/world.h, listed once here. Tests clear it, benchmarks save and restore
// it around measured frames, and the run digest hashes it; none of them lists
// the world's variables by hand.
#pragma once

#include <cstdint>
#include <cstring>

#include "stage/world.h"

// Every scalar of the world, by type.
#define WORLD_INT_SCALARS(X)                                                                       \
    X(debris_ring) X(hit_spark_ring) X(impact_spark_ring) X(explosion_ring) X(selected_ship)      \
    X(score) X(shots_hit) X(shots_missed) X(bonus_pending) X(bonus_awarded) X(player_destroyed)   \
    X(nav_completed) X(outro_timer) X(nav_timer) X(nav_timer_running) X(nav_kills_left)           \
    X(stage_started) X(gun_mode) X(steer_x) X(steer_y) X(tilt_active) X(tilt_pitch) X(tilt_roll) \
    X(nav_fighter_weapon) X(nav_fighter_heading) X(nav_fighter_fire_timer) X(player_hit_side)
#define WORLD_DOUBLE_SCALARS(X) X(stage_title_fade) X(hud_offset) X(stick_steer_x) X(stick_steer_y)
// The records and pools, each an object or array copied whole.
#define WORLD_RECORDS(X) X(player) X(nav_fighter) X(enemies) X(player_shots) X(enemy_shots)
#define WORLD_PARTICLES(X) X(debris_particles) X(hit_sparks) X(impact_sparks) X(explosion_particles)

struct WorldSnapshot {
#define WORLD_FIELD_INT(name) int name;
#define WORLD_FIELD_DOUBLE(name) double name;
#define WORLD_FIELD_OBJECT(name) decltype(::name) name;
    WORLD_INT_SCALARS(WORLD_FIELD_INT)
    WORLD_DOUBLE_SCALARS(WORLD_FIELD_DOUBLE)
    WORLD_RECORDS(WORLD_FIELD_OBJECT)
    WORLD_PARTICLES(WORLD_FIELD_OBJECT)
#undef WORLD_FIELD_INT
#undef WORLD_FIELD_DOUBLE
#undef WORLD_FIELD_OBJECT
};

// The particle pools hold 2 700 points: a benchmark that restores the world
// before every frame leaves them out, since copying them costs more than a frame.
enum class Particles { Included, Left };

inline void save_world(WorldSnapshot& saved, Particles particles = Particles::Included) {
#define WORLD_SAVE(name) saved.name = ::name;
#define WORLD_SAVE_OBJECT(name) memcpy(&saved.name, &::name, sizeof ::name);
    WORLD_INT_SCALARS(WORLD_SAVE)
    WORLD_DOUBLE_SCALARS(WORLD_SAVE)
    WORLD_RECORDS(WORLD_SAVE_OBJECT)
    if (particles == Particles::Included) { WORLD_PARTICLES(WORLD_SAVE_OBJECT) }
#undef WORLD_SAVE
#undef WORLD_SAVE_OBJECT
}

inline void restore_world(const WorldSnapshot& saved, Particles particles = Particles::Included) {
#define WORLD_RESTORE(name) ::name = saved.name;
#define WORLD_RESTORE_OBJECT(name) memcpy(&::name, &saved.name, sizeof ::name);
    WORLD_INT_SCALARS(WORLD_RESTORE)
    WORLD_DOUBLE_SCALARS(WORLD_RESTORE)
    WORLD_RECORDS(WORLD_RESTORE_OBJECT)
    if (particles == Particles::Included) { WORLD_PARTICLES(WORLD_RESTORE_OBJECT) }
#undef WORLD_RESTORE
#undef WORLD_RESTORE_OBJECT
}

// Every world value zero, every particle parked.
inline void zero_world() {
#define WORLD_ZERO(name) ::name = 0;
#define WORLD_ZERO_OBJECT(name) memset(&::name, 0, sizeof ::name);
    WORLD_INT_SCALARS(WORLD_ZERO)
    WORLD_DOUBLE_SCALARS(WORLD_ZERO)
    WORLD_RECORDS(WORLD_ZERO_OBJECT)
#undef WORLD_ZERO
#undef WORLD_ZERO_OBJECT
    park_particles();
}

// A 64-bit hash over the world's values, one word at a time (FNV-1a's step
// over words). Records are hashed field by field, never as raw bytes, so the
// padding between their fields cannot change the result.
struct RunHash {
    uint64_t value = 14695981039346656037ull;
    void word(uint64_t w) { value = (value ^ w) * 1099511628211ull ^ (value >> 29); }
    void add(int32_t v) { word(static_cast<uint32_t>(v)); }
    void add(double v) {
        uint64_t bits;
        memcpy(&bits, &v, sizeof bits);
        word(bits);
    }
    void add(float v) { add(static_cast<double>(v)); }
    void add(const char* text) {
        for (const char* c = text; *c; ++c) word(static_cast<unsigned char>(*c));
        word(0);
    }
    void add(const Ship& s) {
        for (double v : {s.x, s.y, s.speed, s.width, s.height, s.gun_energy}) add(v);
        for (int side = 0; side < 5; ++side) {
            add(s.shield_max[side]);
            add(s.shield[side]);
        }
        for (int32_t v : {s.hull_max, s.hull, s.gun_energy_max, s.alive}) add(v);
    }
    void add(const Enemy& e) {
        for (double v : {e.x, e.y, e.speed, e.width, e.height}) add(v);
        for (int32_t v : {e.hull_max, e.hull, e.score_value, e.texture, e.active}) add(v);
    }
    void add(const Projectile& p) {
        for (double v : {p.x, p.y, p.dx, p.dy, p.width, p.height, p.damage}) add(v);
        for (int32_t v : {p.texture, p.active}) add(v);
    }
    void add(const Particle& p) {
        for (double v : {p.x, p.y, p.dx, p.dy}) add(v);
    }
    template <typename T, size_t N> void add(const T (&items)[N]) {
        for (const T& item : items) add(item);
    }
};

inline void hash_world(RunHash& hash) {
#define WORLD_HASH(name) hash.add(::name);
    WORLD_INT_SCALARS(WORLD_HASH)
    WORLD_DOUBLE_SCALARS(WORLD_HASH)
    WORLD_RECORDS(WORLD_HASH)
    WORLD_PARTICLES(WORLD_HASH)
#undef WORLD_HASH
}
