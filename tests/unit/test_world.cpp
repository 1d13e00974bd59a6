// The world's shared rules: random values, particle bursts and their rings,
// and the reset at the end of a game.
#include <cstdlib>
#include <tuple>

#include "input/screen_keys.h"
#include "platform/random.h"
#include "render/hud.h"
#include "test_stage_support.h"

using namespace stage_test;

using WorldTest = StageTest;

TEST_F(WorldTest, RandUnitSpansZeroToOneInclusiveAndJitterIsCentred) {
    script_rand({0, 32767, 16383, 0, 32767});
    EXPECT_EQ(rand_unit(), 0.0);
    EXPECT_EQ(rand_unit(), 1.0);
    EXPECT_NEAR(rand_unit(), 0.49998, 1e-5);
    EXPECT_DOUBLE_EQ(jitter(), -0.025);
    EXPECT_DOUBLE_EQ(jitter(), 0.025);
    EXPECT_EQ(rand_draws, 5);
}

// A library that calls rand() between the game's draws must not move them, and
// the game's own generator must still give rand()'s sequence for a seed.
TEST_F(WorldTest, OwnGeneratorDrawsWhatRandGivesAndIgnoresRandCalls) {
    set_rand15_source(nullptr);
    srand(4242);
    int from_rand[500];
    for (int& value : from_rand) value = rand() >> 16;
    seed_rand15(4242);
    for (int i = 0; i < 500; ++i) {
        rand();  // another library drawing meanwhile
        ASSERT_EQ(rand15(), from_rand[i]) << "draw " << i;
    }
}

TEST_F(WorldTest, BurstFillsOneRingSlotAtThePoolStrideWithJitterDxThenDy) {
    // dx of the first particle from draw 0, dy from draw 32767: the order is x, y, dx, dy.
    script_rand({0, 32767}, 16383);
    burst_debris(0.3, 0.6);
    EXPECT_EQ(debris_ring, 1);
    EXPECT_DOUBLE_EQ(debris_particles[0].dx, -0.025);
    EXPECT_DOUBLE_EQ(debris_particles[0].dy, 0.025);
    EXPECT_EQ(rand_draws, 2 * DEBRIS_PER_BURST);
    for (int k = 0; k < DEBRIS_PER_BURST; ++k) {
        SCOPED_TRACE(testing::Message() << "particle " << k * 5);
        EXPECT_EQ(debris_particles[k * 5].x, 0.3);
        EXPECT_EQ(debris_particles[k * 5].y, 0.6);
    }
    EXPECT_EQ(particles_at(debris_particles, DEBRIS_CAPACITY, 0.3, 0.6), 199);
    EXPECT_EQ(debris_particles[995].x, -1.0);  // never reached by slot 0
}

TEST_F(WorldTest, SixthExplosionReusesSlotZeroAndNoBurstWritesPastIndex994) {
    for (int burst = 0; burst < 5; ++burst) burst_explosion(0.1 * (burst + 1), 0.5);
    EXPECT_EQ(explosion_ring, 0);
    EXPECT_EQ(explosion_particles[4].x, 0.5);    // slot 4 starts at index 4
    EXPECT_EQ(explosion_particles[994].x, 0.5);  // and ends at 4 + 198 * 5
    for (int i = 995; i < EXPLOSION_CAPACITY; ++i) EXPECT_EQ(explosion_particles[i].x, -1.0) << i;

    burst_explosion(0.9, 0.9);
    EXPECT_EQ(explosion_ring, 1);
    EXPECT_EQ(particles_at(explosion_particles, EXPLOSION_CAPACITY, 0.9, 0.9), 199);
    EXPECT_EQ(explosion_particles[0].x, 0.9);
    EXPECT_EQ(explosion_particles[990].x, 0.9);
    EXPECT_EQ(explosion_particles[1].x, 0.2);  // the second burst is untouched
}

TEST_F(WorldTest, HitSparksFromRingNineWriteIndices9To189AndWrap) {
    hit_spark_ring = 9;
    burst_hit_sparks(0.25, 0.75);
    EXPECT_EQ(hit_spark_ring, 0);
    for (int i = 0; i < HIT_SPARK_CAPACITY; ++i) {
        bool in_burst = i % 10 == 9 && i <= 189;
        EXPECT_EQ(hit_sparks[i].x, in_burst ? 0.25 : -1.0) << i;
    }
}

TEST_F(WorldTest, ImpactSparksBurst49AtStrideTen) {
    impact_spark_ring = 9;
    burst_impact_sparks(0.5, 0.5);
    EXPECT_EQ(particles_at(impact_sparks, IMPACT_SPARK_CAPACITY, 0.5, 0.5), 49);
    EXPECT_EQ(impact_sparks[489].x, 0.5);
    EXPECT_EQ(impact_sparks[499].x, -1.0);
    EXPECT_EQ(impact_spark_ring, 0);
}

TEST_F(WorldTest, ParkingPutsEveryParticleOffScreenWithoutMotion) {
    burst_debris(0.5, 0.5);
    burst_explosion(0.5, 0.5);
    park_particles();
    for (const Particle& p : debris_particles) {
        SCOPED_TRACE(testing::Message() << "particle " << &p - debris_particles);
        ASSERT_EQ(p.x, -1.0);
        ASSERT_EQ(p.dy, 0.0);
    }
    EXPECT_EQ(unparked(explosion_particles, EXPLOSION_CAPACITY), 0);
}

namespace {

void dirty_a_running_game() {
    screen_state = STATE_NAV2;
    textures_loaded = music_started = 1;
    menu_cursor = 4;
    hud_offset = 0.0;
    stage_started = 1;
    steer_x = HELD_RIGHT;
    steer_y = HELD_UP;
    player_destroyed = 1;
    score = 12345;
    nav_completed = 1;
    gun_mode = GUN_MODE_LASER_NEUTRON;
    message_timer = 30;
    shots_hit = 7;
    shots_missed = 3;
    bonus_pending = 500;
    bonus_awarded = 1;
    selected_ship = 2;
    nav_timer = 1000;
    nav_timer_running = 0;
    nav_kills_left = 3;
    player.hull = -5;
}

}  // namespace

TEST_F(WorldTest, ResetGameClearsTheEndedGameAndKeepsWhatTheSetUpsRefill) {
    dirty_a_running_game();
    reset_game();
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(textures_loaded, 0);
    EXPECT_EQ(music_started, 0);
    EXPECT_EQ(menu_cursor, 1);
    EXPECT_EQ(hud_offset, 0.26);
    EXPECT_EQ(stage_started, 0);
    EXPECT_EQ(std::make_tuple(steer_x, steer_y), std::make_tuple(HELD_NONE, HELD_NONE));
    EXPECT_EQ(player_destroyed, 0);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(nav_completed, 0);
    EXPECT_EQ(gun_mode, GUN_MODE_LASER);
    EXPECT_EQ(message_timer, 0);
    EXPECT_EQ(std::make_tuple(shots_hit, shots_missed, bonus_pending, bonus_awarded), std::make_tuple(0, 0, 0, 0));
    // Left for the next set-up.
    EXPECT_EQ(selected_ship, 2);
    EXPECT_EQ(nav_timer, 1000);
    EXPECT_EQ(nav_timer_running, 0);
    EXPECT_EQ(nav_kills_left, 3);
    EXPECT_EQ(player.hull, -5);
}

TEST_F(WorldTest, ResetGameTwiceLeavesTheSameStateAsOnce) {
    dirty_a_running_game();
    reset_game();
    Ship player_once = player;
    int values_once[] = {screen_state, textures_loaded, music_started, menu_cursor, score, gun_mode,
                         nav_timer, selected_ship, stage_started, bonus_awarded};
    double hud_once = hud_offset;
    reset_game();
    int values_twice[] = {screen_state, textures_loaded, music_started, menu_cursor, score, gun_mode,
                          nav_timer, selected_ship, stage_started, bonus_awarded};
    for (size_t i = 0; i < sizeof values_once / sizeof values_once[0]; ++i)
        EXPECT_EQ(values_once[i], values_twice[i]) << i;
    EXPECT_EQ(hud_offset, hud_once);
    EXPECT_EQ(memcmp(&player_once, &player, sizeof player), 0);
}
