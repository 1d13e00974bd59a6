// The enemy fighter's flight and volleys, and the motion of every shot.
#include <algorithm>
#include <cmath>

#include "stage/enemies.h"
#include "test_stage_support.h"

using namespace stage_test;

namespace {

struct FighterTest : StageTest {
    void SetUp() override {
        StageTest::SetUp();
        screen_state = STATE_NAV2;
        script_rand({0, 0});  // speed 0.010, laser
        spawn_nav_fighter(0.4, 1.5, 0);
    }
};

}  // namespace

TEST_F(FighterTest, SlowestFighterSinksTo08In350FramesAndFiresFirstOnItsFirstFrameBelowTheTop) {
    ASSERT_EQ(nav_fighter.speed, 0.010);
    int first_below_top = -1, first_volley = -1;
    for (int frame = 1; frame <= 400; ++frame) {
        nav_fighter_step();
        if (first_below_top < 0 && nav_fighter.y < 1.0) first_below_top = frame;
        if (first_volley < 0 && active_shots(enemy_shots) > 0) first_volley = frame;
        if (frame == 350) {
            EXPECT_NEAR(nav_fighter.y, 0.8, 1e-9);
        }
    }
    EXPECT_GE(first_below_top, 250);
    EXPECT_LE(first_below_top, 251);
    EXPECT_EQ(first_volley, first_below_top);
    EXPECT_NEAR(nav_fighter.y, 0.8, 0.002 + 1e-9);  // cruising height reached, no further sinking
    EXPECT_GT(nav_fighter.y, 0.797);
}

TEST_F(FighterTest, VolleysFollowEveryTenFramesOnceOnScreen) {
    nav_fighter.y = 0.8;
    nav_fighter_fire_timer = 0;
    int volleys_seen = 0;
    for (int frame = 1; frame <= 30; ++frame) {
        nav_fighter_step();
        int volleys = active_shots(enemy_shots) / 2;
        if (volleys != volleys_seen) {
            EXPECT_EQ(frame % 10, 0) << frame;
            volleys_seen = volleys;
        }
    }
    EXPECT_EQ(volleys_seen, 3);
    EXPECT_EQ(nav_fighter_fire_timer, 0);
}

TEST_F(FighterTest, CompletedNavSilencesTheFighterButItsTimerRunsOn) {
    nav_fighter.y = 0.8;
    nav_completed = 1;
    for (int frame = 0; frame < 25; ++frame) nav_fighter_step();
    EXPECT_EQ(active_shots(enemy_shots), 0);
    EXPECT_EQ(nav_fighter_fire_timer, 25);
}

TEST_F(FighterTest, FighterSweepsBetweenTheTurningLines) {
    nav_fighter.y = 0.8;
    nav_fighter_heading = 0;
    double lowest = 1, highest = 0;
    int turns = 0, last_heading = 0;
    for (int frame = 0; frame < 300; ++frame) {
        SCOPED_TRACE(testing::Message() << "frame " << frame);
        double before = nav_fighter.x;
        nav_fighter_step();
        double moved = nav_fighter.x - before;
        EXPECT_NEAR(std::abs(moved), 0.010, 1e-12);
        EXPECT_EQ(moved < 0, nav_fighter_heading == 1) << frame;
        if (nav_fighter_heading != last_heading) ++turns;
        last_heading = nav_fighter_heading;
        lowest = std::min(lowest, nav_fighter.x);
        highest = std::max(highest, nav_fighter.x);
    }
    EXPECT_GE(turns, 5);
    EXPECT_GT(lowest, 0.2 - 0.010 - 1e-9);
    EXPECT_LT(lowest, 0.2);
    EXPECT_LT(highest, 0.7 + 0.010 + 1e-9);
    EXPECT_GT(highest, 0.7);
}

TEST_F(FighterTest, FighterAboveTheRightLineTurnsAndMovesLeftInTheSameStep) {
    nav_fighter.x = 0.75;
    nav_fighter_heading = 0;
    nav_fighter_step();
    EXPECT_EQ(nav_fighter_heading, 1);
    EXPECT_DOUBLE_EQ(nav_fighter.x, 0.74);
}

TEST_F(FighterTest, VolleyLeavesBothMuzzlesDownwardsAndSpreadsByTheDrift) {
    nav_fighter.x = 0.3;
    nav_fighter.y = 0.8;
    enemy_shots[0].active = 1;  // a busy low slot is skipped
    enemy_fire(GUN_NEUTRON);
    const Projectile& left = enemy_shots[1];
    const Projectile& right = enemy_shots[2];
    ASSERT_EQ(left.active, 1);
    ASSERT_EQ(right.active, 1);
    EXPECT_DOUBLE_EQ(left.x, 0.3 + 0.009);
    EXPECT_DOUBLE_EQ(right.x, 0.3 + 0.045);
    EXPECT_EQ(left.y, 0.8);
    EXPECT_EQ(left.dx, -0.003);
    EXPECT_EQ(right.dx, 0.003);
    EXPECT_EQ(left.dy, -0.02);
    EXPECT_EQ(right.dy, -0.02);
    EXPECT_EQ(left.width, 8);
    EXPECT_EQ(left.damage, 30);
    EXPECT_EQ(right.texture, 519);
    EXPECT_EQ(right.spare, 0);

    enemy_fire(GUN_LASER);
    EXPECT_EQ(enemy_shots[3].dy, -0.04);
    EXPECT_EQ(enemy_shots[4].dx, 0.0);
    EXPECT_EQ(enemy_shots[4].width, 4);
}

TEST_F(FighterTest, FullEnemyPoolDropsTheVolley) {
    for (Projectile& shot : enemy_shots) shot = shot_at(0.5, 0.5);
    Projectile before[SHOT_POOL_SIZE];
    memcpy(before, enemy_shots, sizeof before);
    enemy_fire(GUN_ION);
    EXPECT_EQ(memcmp(before, enemy_shots, sizeof before), 0);

    enemy_shots[63].active = 0;  // one free slot: the first shot only
    enemy_fire(GUN_ION);
    EXPECT_EQ(enemy_shots[63].active, 1);
    EXPECT_DOUBLE_EQ(enemy_shots[63].dx, -0.001);
}

using ShotMotionTest = StageTest;

TEST_F(ShotMotionTest, PlayerShotsLeavingTheTopCountAsMissesOnlyBeforeCompletion) {
    player_shots[0] = shot_at(0.5, 0.97);
    player_shots[0].dy = 0.04;
    player_shots[0].dx = 0.003;
    player_shots[1] = shot_at(0.5, 0.96);
    player_shots[1].dy = 0.04;  // lands on 1.0: still in flight
    move_projectiles();
    EXPECT_EQ(player_shots[0].active, 0);
    EXPECT_EQ(player_shots[1].active, 1);
    EXPECT_NEAR(player_shots[0].x, 0.503, 1e-12);
    EXPECT_EQ(shots_missed, 1);

    nav_completed = 1;
    move_projectiles();
    EXPECT_EQ(player_shots[1].active, 0);
    EXPECT_EQ(shots_missed, 1);
}

TEST_F(ShotMotionTest, EnemyShotsAreFreedBelowTheBottomAndNeverCountAsMisses) {
    enemy_shots[5] = shot_at(0.5, 0.01);
    enemy_shots[5].dy = -0.02;
    enemy_shots[6] = shot_at(0.5, 0.02);
    enemy_shots[6].dy = -0.02;  // reaches 0.0: not below yet
    move_projectiles();
    EXPECT_EQ(enemy_shots[5].active, 0);
    EXPECT_EQ(enemy_shots[6].active, 1);
    EXPECT_EQ(shots_missed, 0);
}

TEST_F(ShotMotionTest, ShotsDriftingOutAtTheSideFlyOnAndFreeSlotsStayPut) {
    player_shots[0] = shot_at(0.99, 0.5);
    player_shots[0].dx = 0.05;
    player_shots[0].dy = 0.001;
    player_shots[1].x = 0.3;  // free: untouched
    player_shots[1].dy = 0.5;
    for (int frame = 0; frame < 10; ++frame) move_projectiles();
    EXPECT_EQ(player_shots[0].active, 1);
    EXPECT_NEAR(player_shots[0].x, 1.49, 1e-9);
    EXPECT_EQ(player_shots[1].x, 0.3);
    EXPECT_EQ(player_shots[1].y, 0.0);
}
