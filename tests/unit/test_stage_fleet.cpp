// The rock fleet: falling, destruction with score and debris, the respawn rule
// and its random draws, retirement by the NAV clock.
#include <cstdlib>

#include "platform/random.h"
#include "stage/enemies.h"
#include "test_stage_support.h"

using namespace stage_test;

using FleetTest = StageTest;

TEST_F(FleetTest, RockTakesFourLaserShotsAtTwentyAndTheFifthDestroysItNextStep) {
    enemies[0] = rock_at(0.4, 0.5);
    Projectile laser = shot_at(0.42, 0.49, 4, 8, 20);  // reaches into the rock from below
    for (int hit = 0; hit < 4; ++hit) EXPECT_GT(test_shot_fleet(enemies, laser, 1), 0);
    EXPECT_EQ(enemies[0].hull, 20);
    EXPECT_EQ(shots_hit, 4);

    fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);
    EXPECT_EQ(score, 0);
    EXPECT_DOUBLE_EQ(enemies[0].y, 0.48);  // survived and fell on

    EXPECT_GT(test_shot_fleet(enemies, laser, 1), 0);
    EXPECT_EQ(enemies[0].hull, 0);
    double cx = enemies[0].x + 64 * 0.00125 * 0.5;
    double cy = enemies[0].y + 64 * (1.0 / 600) * 0.5;
    fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);
    EXPECT_EQ(score, 100);
    EXPECT_EQ(particles_at(debris_particles, DEBRIS_CAPACITY, cx, cy), 199);
    EXPECT_EQ(debris_ring, 1);
    EXPECT_EQ(enemies[0].y, 1.9);  // sent back up, whole again
    EXPECT_EQ(enemies[0].hull, 100);
    EXPECT_EQ(enemies[0].active, 1);
}

TEST_F(FleetTest, DestroyedRockScoresOnlyForALivingPlayerButAlwaysBursts) {
    enemies[0] = rock_at(0.4, 0.5);
    enemies[0].hull = -30;
    player_destroyed = 1;
    fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(debris_ring, 1);
    EXPECT_EQ(enemies[0].hull, 100);
}

TEST_F(FleetTest, DestroyedRockDoesNotMoveInItsLastStep) {
    enemies[0] = rock_at(0.4, 0.5);
    enemies[0].hull = 0;
    nav_timer = NAV1_RESPAWN_LIMIT;
    fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);
    EXPECT_EQ(enemies[0].active, 0);
    EXPECT_EQ(enemies[0].y, 0.5);
}

TEST_F(FleetTest, RespawnDrawsXThenSpeedAndTakesAFreshSpeedAboveTheFloor) {
    // x = 0.5 - 0.16; first speed 0.0476 is above 0.03, so a second draw decides: 0.
    script_rand({draw_for(0.5), 32767, 0});
    enemies[0] = rock_at(0.4, -0.19, 0.02);
    fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);
    EXPECT_EQ(enemies[0].y, 1.3);
    EXPECT_NEAR(enemies[0].x, 0.34, 1e-4);
    EXPECT_EQ(enemies[0].speed, 0.0);  // a rock can come back standing still
    EXPECT_EQ(rand_draws, 3);

    // A first speed below 0.03 is raised to 0.03 without a further draw.
    script_rand({0, draw_for(0.5)});
    enemies[0] = rock_at(0.4, -0.19, 0.02);
    fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);
    EXPECT_EQ(enemies[0].speed, 0.03);
    EXPECT_DOUBLE_EQ(enemies[0].x, -0.16);
    EXPECT_EQ(rand_draws, 2);
}

TEST_F(FleetTest, RockFallingOffTheBottomComesBackWholeWithoutScore) {
    enemies[0] = rock_at(0.4, -0.19, 0.02);
    enemies[0].hull = 40;
    fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);
    EXPECT_EQ(enemies[0].y, 1.3);
    EXPECT_EQ(enemies[0].hull, 100);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(debris_ring, 0);

    enemies[0] = rock_at(0.4, -0.18, 0.02);  // lands exactly on the exit line: stays
    fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);
    EXPECT_DOUBLE_EQ(enemies[0].y, -0.2);
}

TEST_F(FleetTest, AtTheRespawnLimitADestroyedRockRetiresButAFallingOneReturns) {
    nav_timer = 1200;
    enemies[0] = rock_at(0.2, 0.5);
    enemies[0].hull = 0;
    enemies[1] = rock_at(0.6, -0.19);
    fleet_step(enemies, 2, NAV1_RESPAWN_LIMIT);
    EXPECT_EQ(enemies[0].active, 0);
    EXPECT_EQ(score, 100);  // retired, but still scored
    EXPECT_EQ(enemies[1].active, 1);
    EXPECT_EQ(enemies[1].y, 1.3);

    nav_timer = 1201;
    enemies[0] = rock_at(0.2, 0.5);
    enemies[0].hull = 0;
    enemies[1] = rock_at(0.6, -0.19);
    fleet_step(enemies, 2, NAV1_RESPAWN_LIMIT);
    EXPECT_EQ(enemies[0].active, 0);
    EXPECT_EQ(enemies[1].active, 0);
    EXPECT_LT(enemies[1].y, -0.2);
}

TEST_F(FleetTest, RetiredRocksFallOnAndAreNeitherDestroyedNorTested) {
    enemies[0] = rock_at(0.4, 0.5);
    enemies[0].active = 0;
    enemies[0].hull = 0;
    fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);
    EXPECT_DOUBLE_EQ(enemies[0].y, 0.48);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(debris_ring, 0);

    // Below the exit line with the clock still under the limit it is moved up, still retired.
    enemies[0].y = -0.19;
    fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);
    EXPECT_EQ(enemies[0].y, 1.3);
    EXPECT_EQ(enemies[0].active, 0);
}

TEST_F(FleetTest, Nav2RespawnsAlwaysInTheEdgeLanesAtSpeedPointZeroFive) {
    screen_state = STATE_NAV2;
    nav_timer = -1;
    // x draws: 0.5 (middle: redrawn), 0.9 (0.74: middle, redrawn), then 0.92 (0.76: right lane).
    script_rand({draw_for(0.5), 0, draw_for(0.9), draw_for(0.92)});
    enemies[0] = rock_at(0.1, -0.19, 0.05);
    fleet_step(enemies, 1, NAV2_RESPAWN_LIMIT);
    EXPECT_EQ(enemies[0].speed, 0.05);
    EXPECT_NEAR(enemies[0].x, 0.76, 1e-4);
    EXPECT_EQ(rand_draws, 4);

    // Long runs of rocks destroyed or falling out, under the library generator.
    set_rand15_source(nullptr);
    seed_rand15(7);
    for (int round = 0; round < 500; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        enemies[0] = rock_at(0.1, round % 2 ? -0.19 : 0.5, 0.05);
        if (round % 2 == 0) enemies[0].hull = 0;
        fleet_step(enemies, 1, NAV2_RESPAWN_LIMIT);
        ASSERT_EQ(enemies[0].speed, 0.05);
        ASSERT_TRUE(enemies[0].x <= 0.1 || enemies[0].x > 0.75) << enemies[0].x;
        ASSERT_EQ(enemies[0].active, 1);
    }
}

TEST_F(FleetTest, Nav1RespawnsKeepTheirDrawnSpeed) {
    screen_state = STATE_NAV1;
    script_rand({draw_for(0.5), draw_for(0.7), draw_for(0.8)});
    enemies[0] = rock_at(0.1, -0.19);
    fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);
    EXPECT_NEAR(enemies[0].speed, 0.8 / 21, 1e-6);
    EXPECT_NEAR(enemies[0].x, 0.34, 1e-4);
}
