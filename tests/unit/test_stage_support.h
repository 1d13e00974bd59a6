// Shared by the stage and combat tests: scripted random draws, a clean world
// stepped with no picture (the render suite draws it), and small builders for
// rocks, shots and the player's fighter.
#pragma once

#include <cmath>

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <vector>

#include "app/screen_state.h"
#include "combat/guns.h"
#include "persist/high_scores.h"
#include "platform/random.h"
#include "stage/frames.h"
#include "stage/setup.h"
#include "stage/stage_view.h"
#include "stage/world.h"
#include "stage/world_snapshot.h"
#include "support/screen_start.h"

namespace stage_test {

// Scripted draws: the listed values in order, then `fallback` for ever.
inline std::vector<int> rand_script;
inline size_t rand_position = 0;
inline int rand_fallback = 0;
inline int rand_draws = 0;

inline int scripted_rand15() {
    ++rand_draws;
    if (rand_position < rand_script.size()) return rand_script[rand_position++];
    return rand_fallback;
}

inline void script_rand(std::initializer_list<int> values, int fallback = 0) {
    rand_script.assign(values);
    rand_position = 0;
    rand_fallback = fallback;
    rand_draws = 0;
    set_rand15_source(scripted_rand15);
}

// The draw whose rand_unit is the smallest at or above `u`.
inline int draw_for(double u) {
    int value = static_cast<int>(u * 32767.0);
    while (value * (1.0 / 32767.0) < u) ++value;
    return value;
}

// Every world value back to zero, as at program start, every other game value
// at its start, and the game in NAV 1.
inline void clear_world() {
    zero_world();
    start_on_screen(STATE_NAV1);
    park_particles();
    nav_timer_running = 1;
    stage_started = 1;
    script_rand({}, 0);
}

// A fresh fighter of `ship` at (x, y), as setup_player fills it.
inline void place_player(double x, double y, int ship = 0) {
    selected_ship = ship;
    setup_player();
    player.x = x;
    player.y = y;
}

// A small 100-hull rock (64 x 64 pixels) at (x, y).
inline Enemy rock_at(double x, double y, double speed = 0.02) {
    Enemy rock{};
    rock.x = x;
    rock.y = y;
    rock.speed = speed;
    rock.width = 64;
    rock.height = 64;
    rock.hull_max = 100;
    rock.hull = 100;
    rock.score_value = 100;
    rock.texture = 4;
    rock.active = 1;
    return rock;
}

// A shot of `width` x `height` pixels at (x, y) with `damage`, standing still.
inline Projectile shot_at(double x, double y, double width = 4, double height = 8,
                          double damage = 20) {
    Projectile shot{};
    shot.x = x;
    shot.y = y;
    shot.width = width;
    shot.height = height;
    shot.damage = damage;
    shot.texture = 517;
    shot.active = 1;
    return shot;
}

inline int active_shots(const Projectile* pool) {
    int count = 0;
    for (int i = 0; i < SHOT_POOL_SIZE; ++i) count += pool[i].active;
    return count;
}

// Particles of `pool` sitting exactly at (x, y).
inline int particles_at(const Particle* pool, int capacity, double x, double y) {
    int count = 0;
    for (int i = 0; i < capacity; ++i)
        if (pool[i].x == x && pool[i].y == y) ++count;
    return count;
}

// Particles burst at (x, y) that have since been drawn and moved once, as every
// particle is in each stage frame.
inline int particles_moved_once_from(const Particle* pool, int capacity, double x, double y) {
    int count = 0;
    for (int i = 0; i < capacity; ++i)
        if (std::fabs(pool[i].x - pool[i].dx - x) < 1e-12 && std::fabs(pool[i].y - pool[i].dy - y) < 1e-12)
            ++count;
    return count;
}

inline int unparked(const Particle* pool, int capacity) {
    int count = 0;
    for (int i = 0; i < capacity; ++i)
        if (pool[i].x != -1.0 || pool[i].y != -1.0) ++count;
    return count;
}

struct StageTest : testing::Test {
    const StageView* game_view = stage_view;
    void SetUp() override {
        clear_world();
        stage_view = &NULL_STAGE_VIEW;
    }
    void TearDown() override {
        set_rand15_source(nullptr);
        stage_view = game_view;
    }
};

}  // namespace stage_test
