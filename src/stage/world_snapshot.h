// The world of a stage as one value: every record, pool and scalar of
// stage/world.h, listed once here. The game itself never copies its world;
// tests clear it, benchmarks save and restore it around measured frames, and
// the run digest hashes it, none of them listing the world's variables by hand.
#pragma once

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

// The fields of each record, in the one order the world's digest and the
// replay file take them. A fighter's shields go side by side between its
// leading and trailing fields: each side's capacity, then its current shield.
// A shot's `spare` is left out: always 0, never read.
#define SHIP_LEADING_FIELDS(X) X(x) X(y) X(speed) X(width) X(height) X(gun_energy)
#define SHIP_TRAILING_FIELDS(X) X(hull_max) X(hull) X(gun_energy_max) X(alive)
#define ENEMY_FIELDS(X) X(x) X(y) X(speed) X(width) X(height) X(hull_max) X(hull) X(score_value) X(texture) X(active)
#define PROJECTILE_FIELDS(X) X(x) X(y) X(dx) X(dy) X(width) X(height) X(damage) X(texture) X(active)
#define PARTICLE_FIELDS(X) X(x) X(y) X(dx) X(dy)

// Calls visit(field) on every field of `ship` (a Ship or a const Ship) in that
// order: the digest hashes them, the replay file writes and reads them.
template <typename ShipRecord, typename Visit> void for_each_ship_field(ShipRecord& ship, Visit&& visit) {
#define SHIP_VISIT(name) visit(ship.name);
    SHIP_LEADING_FIELDS(SHIP_VISIT)
    for (int side = SIDE_NONE; side <= SIDE_RIGHT; ++side) {
        visit(ship.shield_max[side]);
        visit(ship.shield[side]);
    }
    SHIP_TRAILING_FIELDS(SHIP_VISIT)
#undef SHIP_VISIT
}

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

// Every world value zero, the particles included (not parked).
inline void zero_world() {
#define WORLD_ZERO(name) ::name = 0;
#define WORLD_ZERO_OBJECT(name) memset(&::name, 0, sizeof ::name);
    WORLD_INT_SCALARS(WORLD_ZERO)
    WORLD_DOUBLE_SCALARS(WORLD_ZERO)
    WORLD_RECORDS(WORLD_ZERO_OBJECT)
    WORLD_PARTICLES(WORLD_ZERO_OBJECT)
#undef WORLD_ZERO
#undef WORLD_ZERO_OBJECT
}
