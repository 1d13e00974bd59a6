// What hits do to the player's shields and hull, and the death sequence.
#include "app/startup.h"
#include "combat/damage.h"
#include "persist/high_scores.h"
#include "test_stage_support.h"

using namespace stage_test;

namespace {

struct DamageTest : StageTest {
    void SetUp() override {
        StageTest::SetUp();
        place_player(0.4, 0.3);  // Pilvet: shields 200, hull 80
    }
};

double player_centre_x() { return player.x + 48 * 0.00125 * 0.5; }
double player_centre_y() { return player.y + 48 * (1.0 / 600) * 0.5; }

}  // namespace

TEST_F(DamageTest, HoldingShieldTakesTheWholeHitAndBreaksToMinusOne) {
    player.shield[SIDE_FRONT] = 5;
    damage_player(SIDE_FRONT, HIT_ENEMY_SHOT);
    EXPECT_EQ(player.shield[SIDE_FRONT], -1);
    EXPECT_EQ(player.hull, 80);
    EXPECT_EQ(impact_spark_ring, 0);

    player.shield[SIDE_LEFT] = 0.5;  // nothing spills over, however large the hit
    damage_player(SIDE_LEFT, 500);
    EXPECT_EQ(player.shield[SIDE_LEFT], -1);
    EXPECT_EQ(player.hull, 80);

    player.shield[SIDE_REAR] = 200;
    damage_player(SIDE_REAR, HIT_ENEMY_SHOT);
    EXPECT_EQ(player.shield[SIDE_REAR], 190);
    EXPECT_EQ(player.y, 0.3);  // only rams push
}

TEST_F(DamageTest, ADownSideLetsTheHitThroughToTheHullWithSparksAndNoPush) {
    player.shield[SIDE_FRONT] = -1;
    damage_player(SIDE_FRONT, HIT_ENEMY_SHOT);
    EXPECT_EQ(player.shield[SIDE_FRONT], 0);
    EXPECT_EQ(player.hull, 70);
    EXPECT_EQ(particles_at(impact_sparks, IMPACT_SPARK_CAPACITY, player_centre_x(), player_centre_y()), 49);
    EXPECT_EQ(impact_spark_ring, 1);

    damage_player(SIDE_FRONT, HIT_RAM);  // 0 is down too: a ram deals 8, no knock-back
    EXPECT_EQ(player.hull, 62);
    EXPECT_EQ(player.y, 0.3);
    EXPECT_EQ(player.x, 0.4);
}

TEST_F(DamageTest, HitKindsDealTheirTableValueOrTheirOwnValue) {
    const int kinds[] = {0, 1, 2, 3, 7, 33};
    const int damage[] = {8, 10, 15, 20, 7, 33};
    for (int i = 0; i < 6; ++i) {
        player.shield[SIDE_RIGHT] = 0;
        player.hull = 80;
        damage_player(SIDE_RIGHT, kinds[i]);
        EXPECT_EQ(player.hull, 80 - damage[i]) << kinds[i];
    }
}

TEST_F(DamageTest, RamsOnAHoldingShieldPushTheFighterAwayFromTheSideStruck) {
    struct Case {
        int side;
        double dx, dy;
    } cases[] = {{SIDE_FRONT, 0, -0.05}, {SIDE_REAR, 0, 0.05}, {SIDE_LEFT, 0.05, 0}, {SIDE_RIGHT, -0.05, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << c.side);
        place_player(0.4, 0.3);
        damage_player(c.side, HIT_RAM);
        EXPECT_DOUBLE_EQ(player.x, 0.4 + c.dx);
        EXPECT_DOUBLE_EQ(player.y, 0.3 + c.dy);
        EXPECT_EQ(player.shield[c.side], 192);
        EXPECT_EQ(player.hull, 80);
    }
    // Each frame of overlap pushes again.
    place_player(0.4, 0.3);
    for (int frame = 0; frame < 3; ++frame) damage_player(SIDE_LEFT, HIT_RAM);
    EXPECT_NEAR(player.x, 0.55, 1e-12);
}

TEST_F(DamageTest, RamPushingTheFighterOffTheBottomDestroysItOnTheNextFrame) {
    place_player(0.4, 0.03);
    damage_player(SIDE_FRONT, HIT_RAM);
    EXPECT_NEAR(player.y, -0.02, 1e-12);
    EXPECT_EQ(player.hull, 0);
    EXPECT_EQ(player_destroyed, 0);

    frame_nav1();
    EXPECT_EQ(player_destroyed, 1);
    EXPECT_EQ(outro_timer, 149);
}

TEST_F(DamageTest, OnlyTheFrontSideLosesTheFighterBelowTheBottom) {
    place_player(0.4, -0.01);
    damage_player(SIDE_LEFT, HIT_RAM);
    EXPECT_EQ(player.hull, 80);
    damage_player(SIDE_FRONT, HIT_ENEMY_SHOT);  // either kind, on the front
    EXPECT_EQ(player.hull, 0);
}

TEST_F(DamageTest, SidesOutsideOneToFourDoNothing) {
    Ship before = player;
    for (int side : {0, 5, -1}) damage_player(side, HIT_RAM);
    EXPECT_EQ(memcmp(&before, &player, sizeof player), 0);
}

TEST_F(DamageTest, HullOfOneSurvivesAndZeroStartsTheDeathSequence) {
    player.hull = 1;
    frame_nav1();
    EXPECT_EQ(player_destroyed, 0);
    EXPECT_EQ(nav_timer, 1);

    player.hull = 0;
    frame_nav1();
    EXPECT_EQ(player_destroyed, 1);
    EXPECT_EQ(nav_timer_running, 0);
    EXPECT_EQ(nav_timer, 1);  // the clock stopped
}

TEST_F(DamageTest, FirstDestructionStepExplodesTheFighterAndStartsTheCountdown) {
    player.hull = -9;
    nav_fighter.y = 0.9;
    nav_fighter.speed = 0.02;
    run_player_destruction();
    EXPECT_EQ(player_destroyed, 1);
    EXPECT_EQ(nav_timer_running, 0);
    EXPECT_EQ(outro_timer, 149);
    EXPECT_EQ(particles_at(explosion_particles, EXPLOSION_CAPACITY, player_centre_x(), player_centre_y()),
              199);
    EXPECT_DOUBLE_EQ(nav_fighter.y, 0.896);

    run_player_destruction();  // later steps only count and sink the fighter
    EXPECT_EQ(explosion_ring, 1);
    EXPECT_EQ(outro_timer, 148);
    EXPECT_DOUBLE_EQ(nav_fighter.y, 0.892);
}

TEST_F(DamageTest, DeathSequenceEndsAfter150FramesWithTheScoreEnteredAndTheMainMenu) {
    reset_high_scores();
    profile_name = "tester";
    selected_ship = 1;
    setup_player();
    score = 4200;
    player.hull = 0;
    int frames = 0;
    while (screen_state == STATE_NAV1 && frames < 1000) {
        run_player_destruction();
        ++frames;
    }
    EXPECT_EQ(frames, 150);
    EXPECT_EQ(outro_timer, 0);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(player_destroyed, 0);
    EXPECT_EQ(textures_loaded, 0);
    EXPECT_EQ(high_scores[0].score, 4200);
    EXPECT_STREQ(high_scores[0].name, "tester");
    EXPECT_EQ(high_scores[0].ship, 1);
}

TEST_F(DamageTest, DeathWithScoreZeroMakesNoEntryButStillReturnsToTheMenu) {
    reset_high_scores();
    player.hull = 0;
    for (int frame = 0; frame < 150; ++frame) run_player_destruction();
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    for (const HighScoreEntry& entry : high_scores) {
        SCOPED_TRACE(testing::Message() << "place " << &entry - high_scores);
        EXPECT_EQ(entry.score, 0);
        EXPECT_EQ(entry.ship, -1);
    }
}
