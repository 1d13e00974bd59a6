// The stage frames and the per-frame work on the player's fighter: steering,
// recharges, hit handling, completion, results and bonuses, and the frame in
// which a lost hull meets a completed NAV.
#include "combat/damage.h"
#include "test_stage_support.h"

using namespace stage_test;

namespace {

struct FrameTest : StageTest {
    void SetUp() override {
        StageTest::SetUp();
        place_player(0.4, 0.05);
    }
};

// A completed NAV whose fly-out is well under way but far from its end.
void complete_with(int hits, int misses) {
    nav_completed = 1;
    outro_timer = NAV_OUTRO_FRAMES;
    nav_timer = -1;
    shots_hit = hits;
    shots_missed = misses;
}

}  // namespace

// ---- steering ----

TEST_F(FrameTest, KeySteeringMovesHalfTheShipSpeedAndStaysInThePlayfield) {
    const double key_speed[] = {0.02, 0.015, 0.01};
    for (int ship = 0; ship < 3; ++ship) {
        SCOPED_TRACE(testing::Message() << "ship " << ship);
        place_player(0.4, 0.3, ship);
        steer_player(STEER_RIGHT);
        steer_player(STEER_UP);
        EXPECT_DOUBLE_EQ(player.x, 0.4 + key_speed[ship]);
        EXPECT_DOUBLE_EQ(player.y, 0.3 + key_speed[ship]);
    }
    place_player(0.4, 0.3);
    for (int i = 0; i < 100; ++i) steer_player(STEER_LEFT);
    for (int i = 0; i < 100; ++i) steer_player(STEER_DOWN);
    EXPECT_EQ(player.x, 0.0);
    EXPECT_EQ(player.y, 0.05);
    for (int i = 0; i < 100; ++i) steer_player(STEER_RIGHT);
    for (int i = 0; i < 100; ++i) steer_player(STEER_UP);
    EXPECT_DOUBLE_EQ(player.x, 0.78);
    EXPECT_EQ(player.y, 0.7);
}

TEST_F(FrameTest, TiltSteeringScalesWithTheTiltAndTakesItsSignFromIt) {
    place_player(0.4, 0.3);  // speed 0.04: a key moves 0.02
    tilt_active = 1;
    tilt_pitch = 45;
    steer_player(STEER_RIGHT);
    EXPECT_DOUBLE_EQ(player.x, 0.42);
    tilt_pitch = -90;
    steer_player(STEER_LEFT);
    EXPECT_DOUBLE_EQ(player.x, 0.38);
    tilt_roll = -45;
    steer_player(STEER_DOWN);
    EXPECT_DOUBLE_EQ(player.y, 0.28);
    tilt_roll = 90;
    steer_player(STEER_UP);
    EXPECT_DOUBLE_EQ(player.y, 0.32);

    // Only the limit of the direction named applies.
    player.x = 0.01;
    tilt_pitch = -45;
    steer_player(STEER_RIGHT);
    EXPECT_DOUBLE_EQ(player.x, -0.01);
    steer_player(STEER_LEFT);
    EXPECT_EQ(player.x, 0.0);
}

TEST_F(FrameTest, FramesSteerBothAxesOnlyWhileTheNavRuns) {
    steer_x = HELD_RIGHT;
    steer_y = HELD_UP;
    frame_nav1();
    EXPECT_DOUBLE_EQ(player.x, 0.42);
    EXPECT_DOUBLE_EQ(player.y, 0.07);
    steer_x = HELD_LEFT;
    steer_y = HELD_DOWN;
    complete_with(0, 0);
    frame_nav1();
    EXPECT_DOUBLE_EQ(player.x, 0.42);
}

// ---- recharges ----

TEST_F(FrameTest, ShieldsRechargeFasterTheFullerTheGuns) {
    struct Case {
        double energy, rate;
    } cases[] = {{100, 0.05}, {75, 0.05}, {74.9, 0.04}, {50, 0.04}, {30, 0.03}, {25, 0.03}, {24, 0.0}, {0, 0.0}};
    for (const Case& c : cases) {
        player.gun_energy = c.energy;
        player.shield[SIDE_FRONT] = 10;
        player.shield[SIDE_REAR] = -1;
        recharge_shields();
        EXPECT_DOUBLE_EQ(player.shield[SIDE_FRONT], 10 + c.rate) << c.energy;
        EXPECT_DOUBLE_EQ(player.shield[SIDE_REAR], -1 + c.rate) << c.energy;
    }
}

TEST_F(FrameTest, ShieldsNeverRechargePastTheirMaximum) {
    player.shield[SIDE_LEFT] = 199.98;
    player.shield[SIDE_RIGHT] = 250;  // above: cut back
    recharge_shields();
    EXPECT_EQ(player.shield[SIDE_LEFT], 200);
    EXPECT_EQ(player.shield[SIDE_RIGHT], 200);
    EXPECT_EQ(player.shield[SIDE_FRONT], 200);
}

TEST_F(FrameTest, GunEnergyIsCappedByTheHullsShare) {
    player.gun_energy = 0;
    for (int i = 0; i < 10; ++i) recharge_guns(2.0);
    EXPECT_EQ(player.gun_energy, 20);

    player.hull = 40;  // half
    player.gun_energy = 90;
    recharge_guns(2.0);
    EXPECT_EQ(player.gun_energy, 50);

    player.hull = 0;
    recharge_guns(2.0);
    EXPECT_EQ(player.gun_energy, 0);
    player.hull = -9;
    recharge_guns(2.0);
    EXPECT_EQ(player.gun_energy, 0);

    player.hull = 80;
    player.gun_energy = 99.5;
    recharge_guns(2.0);
    EXPECT_EQ(player.gun_energy, 100);
}

// ---- hits within a frame ----

TEST_F(FrameTest, RockOverlappingThePlayerTwoFramesIsDestroyedByTheNextStepAndScores) {
    enemies[0] = rock_at(0.41, 0.1, 0.0);  // stands still over the player's front
    frame_nav1();
    EXPECT_EQ(enemies[0].hull, 50);
    EXPECT_EQ(player_hit_side, SIDE_FRONT);
    EXPECT_DOUBLE_EQ(player.shield[SIDE_FRONT], 192);  // the recharge came before the hit
    EXPECT_DOUBLE_EQ(player.y, 0.0);                   // pushed down, off the rock
    player.y = 0.05;                                   // fly back under it
    frame_nav1();
    EXPECT_EQ(enemies[0].hull, 0);
    EXPECT_EQ(score, 0);
    frame_nav1();
    EXPECT_EQ(score, 100);
    EXPECT_EQ(debris_ring, 1);
    EXPECT_EQ(enemies[0].y, 1.9);
}

TEST_F(FrameTest, Nav1ShotHittingARockBurstsSparksAtTheShotAndIsFreed) {
    enemies[0] = rock_at(0.4, 0.5, 0.0);
    player_shots[3] = shot_at(0.42, 0.45);
    player_shots[3].dy = 0.04;  // moves to 0.49 first, then hits
    frame_nav1();
    EXPECT_EQ(player_shots[3].active, 0);
    EXPECT_EQ(enemies[0].hull, 80);
    EXPECT_EQ(shots_hit, 1);
    EXPECT_EQ(particles_moved_once_from(hit_sparks, HIT_SPARK_CAPACITY, 0.42, 0.45 + 0.04), 19);
}

TEST_F(FrameTest, Nav2OneShotCanStrikeARockAndTheFighterInTheSameFrame) {
    screen_state = STATE_NAV2;
    nav_kills_left = 10;
    nav_fighter = Ship{};
    nav_fighter.x = 0.4;
    nav_fighter.y = 0.5;
    nav_fighter.width = nav_fighter.height = 48;
    nav_fighter.hull = 150;
    nav_fighter.alive = 1;
    enemies[0] = rock_at(0.4, 0.5, 0.0);
    player_shots[0] = shot_at(0.42, 0.52);
    frame_nav2();
    EXPECT_EQ(enemies[0].hull, 80);
    EXPECT_EQ(nav_fighter.hull, 130);
    EXPECT_EQ(shots_hit, 2);
    EXPECT_EQ(player_shots[0].active, 0);
    EXPECT_EQ(hit_spark_ring, 1);
    EXPECT_EQ(impact_spark_ring, 1);
}

TEST_F(FrameTest, Nav2KillScoresRespawnsTheFighterAndTheLastOneCompletesTheNav) {
    screen_state = STATE_NAV2;
    nav_kills_left = 2;
    nav_fighter = Ship{};
    nav_fighter.x = 0.4;
    nav_fighter.y = 0.5;
    nav_fighter.width = nav_fighter.height = 48;
    nav_fighter.hull = 10;
    nav_fighter.alive = 1;
    player_shots[0] = shot_at(0.42, 0.52);
    double cx = centre_x(0.4, 48), cy = centre_y(0.5, 48);
    frame_nav2();
    EXPECT_EQ(score, 500);
    EXPECT_EQ(nav_kills_left, 1);
    EXPECT_EQ(particles_moved_once_from(explosion_particles, EXPLOSION_CAPACITY, cx, cy), 199);
    EXPECT_EQ(nav_fighter.alive, 1);
    EXPECT_EQ(nav_fighter.x, 0.4);
    EXPECT_EQ(nav_fighter.y, 1.25);
    EXPECT_EQ(nav_fighter.hull, 150);
    EXPECT_EQ(nav_completed, 0);

    nav_fighter.y = 0.5;
    nav_fighter.speed = 0.0;
    nav_fighter.hull = 10;
    player_shots[0] = shot_at(0.42, 0.52);
    frame_nav2();
    EXPECT_EQ(score, 1000);
    EXPECT_EQ(nav_completed, 1);
    EXPECT_EQ(nav_kills_left, -1);
    EXPECT_EQ(outro_timer, NAV_OUTRO_FRAMES);
}

TEST_F(FrameTest, Nav2EnemyShotsDamageThePlayerAndTheLastTestedSetsTheFlashSide) {
    screen_state = STATE_NAV2;
    nav_kills_left = 10;
    nav_fighter.alive = 0;  // out of the way
    nav_fighter.y = 5;
    enemy_shots[0] = shot_at(0.42, 0.08, 8, 8);  // inside the player: left side
    enemy_shots[5] = shot_at(0.1, 0.5, 8, 8);    // a miss, tested last
    frame_nav2();
    EXPECT_EQ(enemy_shots[0].active, 0);
    EXPECT_EQ(enemy_shots[5].active, 1);
    EXPECT_DOUBLE_EQ(player.shield[SIDE_LEFT], 190);
    EXPECT_EQ(player_hit_side, SIDE_NONE);

    enemy_shots[5].active = 0;
    enemy_shots[1] = shot_at(0.42, 0.08, 8, 8);
    frame_nav2();
    EXPECT_EQ(player_hit_side, SIDE_LEFT);
}

TEST_F(FrameTest, NoHitTestsOnceThePlayerIsDestroyedButTheFleetFallsOn) {
    player_destroyed = 1;
    player.hull = -5;
    outro_timer = 100;
    enemies[0] = rock_at(0.41, 0.1, 0.01);
    player_shots[0] = shot_at(0.42, 0.09);
    frame_nav1();
    EXPECT_EQ(enemies[0].hull, 100);
    EXPECT_DOUBLE_EQ(enemies[0].y, 0.09);
    EXPECT_EQ(shots_hit, 0);
}

TEST_F(FrameTest, DuringTheDeathSequenceTheEnemyFighterOnlySinksAndHoldsItsFire) {
    screen_state = STATE_NAV2;
    player_destroyed = 1;
    player.hull = -5;
    outro_timer = 100;
    nav_fighter.alive = 1;
    nav_fighter.x = 0.5;
    nav_fighter.y = 0.8;
    nav_fighter.speed = 0.02;
    nav_fighter.width = nav_fighter.height = 48;
    nav_fighter_heading = 1;
    nav_fighter_fire_timer = 100;  // a volley is long due
    nav_kills_left = 4;
    frame_nav2();
    EXPECT_EQ(nav_fighter.x, 0.5) << "no sweep";
    EXPECT_DOUBLE_EQ(nav_fighter.y, 0.8 - 0.02 * 0.2);
    EXPECT_EQ(active_shots(enemy_shots), 0);
}

TEST_F(FrameTest, TheStageTitleFadesAHundredthAFrame) {
    stage_title_fade = 1.0;
    double expected = 1.0;
    for (int frame = 1; frame <= 3; ++frame) {
        frame_nav1();
        expected -= 0.01;
        EXPECT_NEAR(stage_title_fade, expected, 1e-12) << "frame " << frame;
    }
}

// ---- completion and the NAV clock ----

TEST_F(FrameTest, Nav1CompletesOnTheFrameTheClockReads1500) {
    nav_timer = 1499;
    frame_nav1();
    EXPECT_EQ(nav_completed, 0);
    EXPECT_EQ(nav_timer, 1500);
    frame_nav1();
    EXPECT_EQ(nav_completed, 1);
    EXPECT_EQ(nav_timer, -1);
    EXPECT_EQ(outro_timer, NAV_OUTRO_FRAMES);
    frame_nav1();
    EXPECT_EQ(nav_timer, -1);
}

TEST_F(FrameTest, PlayerDestroyedAtFrame1000StopsTheClockAndTheNavNeverCompletes) {
    nav_timer = 1000;
    player.hull = 0;
    for (int frame = 0; frame < 149; ++frame) frame_nav1();
    EXPECT_EQ(nav_timer, 1000);
    EXPECT_EQ(nav_completed, 0);
    EXPECT_EQ(outro_timer, 1);
}

TEST_F(FrameTest, ShotsInTheAirAtCompletionAreNotCountedAsMisses) {
    player_shots[0] = shot_at(0.2, 0.99);
    player_shots[0].dy = 0.04;
    player_shots[1] = shot_at(0.3, 0.5);
    player_shots[1].dy = 0.04;
    complete_with(3, 1);
    for (int frame = 0; frame < 20; ++frame) frame_nav1();
    EXPECT_EQ(active_shots(player_shots), 0);
    EXPECT_EQ(shots_missed, 1);
}

TEST_F(FrameTest, CompletedNavStopsTheFleetAndTheFighter) {
    screen_state = STATE_NAV2;
    enemies[0] = rock_at(0.2, 0.5, 0.05);
    nav_fighter.alive = 1;
    nav_fighter.x = 0.4;
    nav_fighter.speed = 0.02;
    complete_with(0, 0);
    nav_kills_left = -1;
    frame_nav2();
    EXPECT_EQ(enemies[0].y, 0.5);
    EXPECT_EQ(nav_fighter.x, 0.4);
}

// ---- results and bonuses ----

TEST_F(FrameTest, AccuracyBonusesAtTheirExactThresholds) {
    struct Case {
        int hits, misses, bonus;
    } cases[] = {{7, 3, 500}, {9, 1, 1000}, {6999, 3001, 0}, {0, 0, 0}, {89, 11, 500}, {1, 0, 1000}};
    for (const Case& c : cases) {
        player.hull = 70;  // damaged: no other bonus
        bonus_awarded = 0;
        bonus_pending = 0;
        score = 0;
        complete_with(c.hits, c.misses);
        frame_nav1();
        EXPECT_EQ(bonus_pending + score, c.bonus) << c.hits << "/" << c.misses;
    }
    shots_hit = 7;
    shots_missed = 3;
    EXPECT_EQ(nav_accuracy(), 70.0);
    shots_hit = 6999;
    shots_missed = 3001;
    EXPECT_NEAR(nav_accuracy(), 69.99, 1e-9);
    shots_hit = shots_missed = 0;
    EXPECT_EQ(nav_accuracy(), 0.0);
}

TEST_F(FrameTest, BonusesAreGrantedOnceAndCountedInAtTwentyAFrame) {
    // Undamaged and 95 % accurate: 1000 + 1000, counted in over 100 frames.
    score = 3000;
    complete_with(19, 1);
    int last_score = score;
    for (int frame = 1; frame <= 100; ++frame) {
        frame_nav1();
        ASSERT_EQ(score, last_score + 20) << frame;
        last_score = score;
    }
    EXPECT_EQ(score, 5000);
    EXPECT_EQ(bonus_pending, 0);
    EXPECT_EQ(bonus_awarded, 1);
    frame_nav1();
    EXPECT_EQ(score, 5000);
}

TEST_F(FrameTest, Nav2CountsItsBonusInToo) {
    screen_state = STATE_NAV2;
    nav_kills_left = -1;
    nav_fighter.alive = 0;
    player.hull = 10;
    complete_with(7, 3);
    frame_nav2();
    EXPECT_EQ(score, 20);
    EXPECT_EQ(bonus_pending, 480);
}

// ---- a lost hull in the frame that completes the NAV ----

namespace {

// Frames until the game has left the stage; checks that outro_timer falls by
// exactly one per frame, so only one sequence counts it.
int frames_until_game_ends(void (*frame)(), int stage_state) {
    int frames = 0;
    int last = -1;
    while (screen_state == stage_state && frames < 1000) {
        frame();
        ++frames;
        if (screen_state == stage_state && last >= 0) {
            EXPECT_EQ(outro_timer, last - 1) << frames;
        }
        last = outro_timer;
    }
    return frames;
}

}  // namespace

TEST_F(FrameTest, Nav1HullLostInTheCompletingFrameEndsTheGameAsADestruction) {
    reset_high_scores();
    score = 1200;
    player.shield[SIDE_FRONT] = -1;  // down, and still down after this frame's recharge
    player.hull = 5;
    enemies[0] = rock_at(0.41, 0.1, 0.0);
    nav_timer = NAV1_LENGTH_FRAMES;
    frame_nav1();  // the ram costs 8: hull -3, and the NAV completes
    ASSERT_EQ(nav_completed, 1);
    ASSERT_LT(player.hull, 1);
    ASSERT_EQ(player_destroyed, 0);

    int frames = frames_until_game_ends(frame_nav1, STATE_NAV1);
    EXPECT_EQ(frames, DEATH_SEQUENCE_FRAMES);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(outro_timer, 0);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(high_scores[0].score, 1200);
}

TEST_F(FrameTest, Nav1HullLostAsTheClockReaches1500KeepsTheDeathCountdown) {
    player.shield[SIDE_FRONT] = -1;  // down, and still down after this frame's recharge
    player.hull = 5;
    enemies[0] = rock_at(0.41, 0.1, 0.0);
    nav_timer = NAV1_LENGTH_FRAMES - 1;
    frame_nav1();  // lethal ram; the clock reaches 1500 at the end of the frame
    ASSERT_EQ(nav_timer, NAV1_LENGTH_FRAMES);
    frame_nav1();  // the death sequence starts, then the NAV completes
    EXPECT_EQ(player_destroyed, 1);
    EXPECT_EQ(nav_completed, 1);
    EXPECT_EQ(outro_timer, DEATH_SEQUENCE_FRAMES - 1);
    int frames = 1 + frames_until_game_ends(frame_nav1, STATE_NAV1);
    EXPECT_EQ(frames, DEATH_SEQUENCE_FRAMES);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
}

TEST_F(FrameTest, Nav2HullLostInTheFrameOfTheLastKillEndsTheGameAsADestruction) {
    reset_high_scores();
    screen_state = STATE_NAV2;
    score = 4500;
    nav_kills_left = 1;
    nav_fighter = Ship{};
    nav_fighter.x = 0.4;
    nav_fighter.y = 0.5;
    nav_fighter.width = nav_fighter.height = 48;
    nav_fighter.hull = 20;
    nav_fighter.alive = 1;
    player_shots[0] = shot_at(0.42, 0.52);       // kills the last fighter
    enemy_shots[0] = shot_at(0.42, 0.08, 8, 8);  // then strikes a side that is down
    player.shield[SIDE_LEFT] = -1;
    player.hull = 10;
    frame_nav2();
    ASSERT_EQ(nav_completed, 1);
    ASSERT_EQ(player.hull, 0);
    EXPECT_EQ(score, 5000);

    int frames = frames_until_game_ends(frame_nav2, STATE_NAV2);
    EXPECT_EQ(frames, DEATH_SEQUENCE_FRAMES);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(outro_timer, 0);
    // The NAV was won: its accuracy bonus (one shot, one hit) is counted in while the fighter explodes.
    EXPECT_EQ(high_scores[0].score, 6000);
}
