// Cost of one stage frame's simulation, without any drawing: a busy NAV 2
// frame with the fleet on screen, the enemy fighter firing, both shot pools
// well filled, the recharges and every hit test. A frame has 40 000 us.
//
// Each iteration restores the same world and runs one frame's simulation, so
// every iteration does the same work; BM_RestoreWorldOnly measures the restore
// alone, to be subtracted. BM_BusyNav2Frame runs the whole frame routine with
// no picture attached, as a run without a window steps the game: the HUD's
// slide, the four particle pools and the stars move too. BM_RulesFingerprint
// flies the rules' fingerprint's fixed games once: what the first game of a
// run, or the first replay read, pays for it.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/screen_state.h"
#include "persist/settings.h"
#include "platform/random.h"
#include "stage/enemies.h"
#include "stage/frames.h"
#include "stage/rules_fingerprint.h"
#include "stage/setup.h"
#include "stage/stage_view.h"
#include "stage/world.h"
#include "stage/world_snapshot.h"

namespace {

// Restored before every measured step; the particles are left out, since
// copying them would cost more than the simulation.
WorldSnapshot snapshot;

Projectile moving_shot(double x, double y, double dx, double dy, int damage) {
    Projectile shot{};
    shot.x = x;
    shot.y = y;
    shot.dx = dx;
    shot.dy = dy;
    shot.width = 8;
    shot.height = 8;
    shot.damage = damage;
    shot.texture = 519;
    shot.active = 1;
    return shot;
}

// NAV 2 in full swing: four rocks on screen in their lanes, the fighter
// cruising and about to fire, 60 player shots and 50 enemy shots in flight.
// With `with_hits`, shots also strike two rocks and the fighter, one rock is
// destroyed this frame and the fighter dies and respawns.
void build_busy_nav2(bool with_hits) {
    sfx = 0;  // measure the simulation, not the loading of sound files
    seed_rand15(1);
    screen_state = STATE_NAV2;
    selected_ship = 2;
    setup_player();
    setup_nav2();
    player.x = 0.45;
    player.y = 0.1;
    player.gun_energy = 120;
    const double lanes[NAV2_FLEET_SIZE] = {0.02, 0.78, 0.08, 0.76};
    for (int i = 0; i < NAV2_FLEET_SIZE; ++i) {
        enemies[i].x = lanes[i];
        enemies[i].y = 0.25 + 0.2 * i;
    }
    nav_fighter.x = 0.45;
    nav_fighter.y = 0.8;
    nav_fighter_fire_timer = 9;  // a volley this frame
    for (int i = 0; i < 60; ++i)
        player_shots[i] = moving_shot(0.3 + 0.003 * i, 0.2 + 0.012 * i, (i % 2 ? 0.003 : -0.003), 0.02, 30);
    for (int i = 0; i < 50; ++i)
        enemy_shots[i] = moving_shot(0.25 + 0.005 * i, 0.3 + 0.01 * i, (i % 2 ? 0.001 : -0.001), -0.03, 25);
    if (with_hits) {
        player_shots[0] = moving_shot(0.03, enemies[0].y - 0.02, 0, 0.02, 30);  // into rock 0
        player_shots[1] = moving_shot(0.79, enemies[1].y - 0.02, 0, 0.02, 30);  // into rock 1
        // Into the fighter where its step this frame takes it.
        player_shots[2] = moving_shot(nav_fighter.x + nav_fighter.speed + 0.01, 0.79, 0, 0.02, 30);
        nav_fighter.hull = 20;                                                   // ...which it kills
        enemies[2].hull = 0;                                                     // destroyed: debris
    }
    save_world(snapshot, Particles::Left);
}

// The non-drawing work of frame_nav2, in its order.
void simulate_nav2_frame() {
    fleet_step(enemies, NAV2_FLEET_SIZE, NAV2_RESPAWN_LIMIT);
    nav_fighter_step();
    move_projectiles();
    recharge_shields();
    recharge_guns(2.0);
    handle_nav2_hits();
}

void BM_BusyNav2Simulation(benchmark::State& state) {
    build_busy_nav2(false);
    for (auto _ : state) {
        restore_world(snapshot, Particles::Left);
        simulate_nav2_frame();
        benchmark::DoNotOptimize(player_hit_side);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BusyNav2Simulation);

void BM_BusyNav2SimulationWithKillAndBursts(benchmark::State& state) {
    build_busy_nav2(true);
    restore_world(snapshot, Particles::Left);
    simulate_nav2_frame();
    if (nav_kills_left != 9 || debris_ring == snapshot.debris_ring || hit_spark_ring == snapshot.hit_spark_ring ||
        impact_spark_ring == snapshot.impact_spark_ring) {
        state.SkipWithError("the scripted hits missed: the frame is not the one meant");
        return;
    }
    for (auto _ : state) {
        restore_world(snapshot, Particles::Left);
        simulate_nav2_frame();
        benchmark::DoNotOptimize(score);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BusyNav2SimulationWithKillAndBursts);

void BM_BusyNav2Frame(benchmark::State& state) {
    build_busy_nav2(false);
    stage_view = &NULL_STAGE_VIEW;
    for (auto _ : state) {
        restore_world(snapshot, Particles::Left);
        frame_nav2();
        benchmark::DoNotOptimize(player_hit_side);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BusyNav2Frame);

void BM_RestoreWorldOnly(benchmark::State& state) {
    build_busy_nav2(false);
    for (auto _ : state) {
        restore_world(snapshot, Particles::Left);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RestoreWorldOnly);

}  // namespace

void BM_RulesFingerprint(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(fly_rules_fingerprint(nullptr));
}
BENCHMARK(BM_RulesFingerprint)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
