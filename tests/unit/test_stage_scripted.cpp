// Whole NAVs flown through the display callback by a scripted pilot: NAV 1's
// 1500 frames and the passage into NAV 2, and a NAV 2 of ten kills that ends in
// the high-score table and the main menu.
#include <algorithm>
#include <cstdlib>

#include "app/startup.h"
#include "combat/damage.h"
#include "input/keys.h"
#include "stage/enemies.h"
#include "test_stage_support.h"

using namespace stage_test;

namespace {

// A new game as the ship select starts it: reset, then NAV 1 on the next frame.
void start_game(int ship) {
    clear_world();
    reset_game();
    selected_ship = ship;
    screen_state = STATE_NAV1;
    textures_loaded = 0;
    music_started = 0;
}

int active_rocks(int count) {
    int active = 0;
    for (int i = 0; i < count; ++i) active += enemies[i].active;
    return active;
}

// NAV 1 pilot: slide left under the first rock, shoot it down as it comes in,
// and sit there; no other rock of the opening field crosses x 0.2 .. 0.26, and
// with every draw at 0 the respawned rocks fall at x -0.16, off the playfield.
constexpr double NAV1_STATION_X = 0.2;
void nav1_pilot(int frame) {
    steer_x = (frame > 1 && player.x > NAV1_STATION_X + 1e-9) ? 1 : 0;
    gun_mode = 0;
    if (frame == 110 || frame == 113 || frame == 116) fire_guns();
    // Two heavy hits on the rear: the shield breaks, then the hull gives 30.
    if (frame == 700) {
        damage_player(SIDE_REAR, 200);
        damage_player(SIDE_REAR, 30);
    }
}

// NAV 2 pilot: keep under the enemy fighter and fire neutron volleys once it
// comes into reach.
void nav2_pilot() {
    double target = nav_fighter.x;
    steer_x = player.x < target - 0.005 ? 2 : (player.x > target + 0.005 ? 1 : 0);
    gun_mode = 2;
    if (nav_fighter.y < 1.05 && nav_completed == 0 && player_destroyed == 0) fire_guns();
}

int bonus_for(const Ship& fighter, double accuracy) {
    int bonus = fighter.hull == fighter.hull_max ? 1000 : 0;
    if (accuracy >= 90)
        bonus += 1000;
    else if (accuracy >= 70)
        bonus += 500;
    return bonus;
}

}  // namespace

TEST(ScriptedNavTest, Nav1Runs1500FramesAndEntersNav2WithTheFighterCarriedOver) {
    start_game(0);
    script_rand({}, 0);

    int frame = 0;
    while (frame < NAV1_LENGTH_FRAMES) {
        ++frame;
        nav1_pilot(frame);
        display_callback();
        ASSERT_EQ(player_destroyed, 0) << "frame " << frame;
        ASSERT_EQ(screen_state, STATE_NAV1);
        if (frame == 1) {
            EXPECT_EQ(player.hull_max, 80);  // the first frame filled the fighter
            EXPECT_EQ(stage_started, 1);
        }
    }
    EXPECT_DOUBLE_EQ(player.x, NAV1_STATION_X);
    EXPECT_EQ(nav_timer, NAV1_LENGTH_FRAMES);
    EXPECT_EQ(nav_completed, 0);
    EXPECT_EQ(score, 100);  // the first rock, shot down
    EXPECT_GE(shots_hit, 5);
    EXPECT_EQ(shots_hit + shots_missed, 6);
    EXPECT_EQ(player.hull, 50);
    EXPECT_DOUBLE_EQ(player.gun_energy, 100 * 50.0 / 80);  // the hull caps the energy
    EXPECT_GT(player.shield[SIDE_REAR], 0);
    EXPECT_LT(player.shield[SIDE_REAR], 200);
    EXPECT_EQ(active_rocks(NAV1_FLEET_SIZE), 0);  // the field thinned out after frame 1200

    ++frame;
    display_callback();
    EXPECT_EQ(nav_completed, 1);
    EXPECT_EQ(nav_timer, -1);
    EXPECT_EQ(outro_timer, NAV_OUTRO_FRAMES);
    int bonus = bonus_for(player, nav_accuracy());
    EXPECT_GE(bonus, 500);

    int fly_out_frames = 0;
    while (screen_state == STATE_NAV1 && fly_out_frames < 1000) {
        display_callback();
        ++fly_out_frames;
    }
    ASSERT_EQ(screen_state, STATE_NAV2);
    EXPECT_EQ(fly_out_frames, NAV_OUTRO_FRAMES);
    EXPECT_EQ(textures_loaded, 0);
    EXPECT_EQ(score, 100 + bonus);

    Ship end_of_nav1 = player;
    int score_of_nav1 = score;
    display_callback();  // NAV 2's set-up and first frame
    EXPECT_EQ(score, score_of_nav1);
    EXPECT_EQ(player.hull, end_of_nav1.hull);
    EXPECT_EQ(player.hull_max, 80);
    EXPECT_DOUBLE_EQ(player.gun_energy, end_of_nav1.gun_energy);
    for (int side = SIDE_FRONT; side <= SIDE_RIGHT; ++side) {
        double recharged = std::min<double>(end_of_nav1.shield[side] + 0.04, 200);  // energy 62 %
        EXPECT_DOUBLE_EQ(player.shield[side], recharged) << side;
    }
    EXPECT_EQ(player.x, 0.4);
    EXPECT_EQ(player.y, 0.05);
    EXPECT_EQ(shots_hit + shots_missed + bonus_pending + bonus_awarded, 0);
    EXPECT_EQ(nav_kills_left, 10);
    EXPECT_EQ(nav_completed, 0);
    EXPECT_EQ(nav_fighter.alive, 1);
    EXPECT_STREQ(music_path, "./mus/mus_stage_1.mid");
}

TEST(ScriptedNavTest, Nav2WithTenKillsEndsInTheHighScoreTableAndTheMainMenu) {
    clear_high_scores();
    profile_name = "pilot";
    // As NAV 1 leaves it: a Vesker with 2600 points, entering NAV 2.
    start_game(1);
    setup_player();
    score = 2600;
    nav_timer = -1;
    stage_started = 1;
    nav_completed = 1;
    screen_state = STATE_NAV2;
    textures_loaded = 0;
    set_rand15_source(nullptr);
    srand(3);

    int frames = 0;
    while (nav_completed == 0 || frames == 0) {
        nav2_pilot();
        display_callback();
        ++frames;
        ASSERT_EQ(player_destroyed, 0) << "frame " << frames;
        ASSERT_LT(frames, 6000) << "ten kills take too long";
    }
    EXPECT_EQ(nav_kills_left, -1);
    EXPECT_EQ(outro_timer, NAV_OUTRO_FRAMES);
    int rocks_and_fighters = score - 2600;
    EXPECT_GE(rocks_and_fighters, 10 * 500);
    EXPECT_EQ(rocks_and_fighters % 100, 0);
    int bonus = bonus_for(player, nav_accuracy());
    int final_score = score + bonus;

    // The fighter no longer moves or fires; the counter text is gone.
    double fighter_x = nav_fighter.x;
    display_callback();
    EXPECT_EQ(nav_fighter.x, fighter_x);

    int fly_out_frames = 1;
    while (screen_state == STATE_NAV2 && fly_out_frames < 1000) {
        display_callback();
        ++fly_out_frames;
    }
    EXPECT_EQ(fly_out_frames, NAV_OUTRO_FRAMES);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(menu_cursor, 1);
    display_callback();  // the main menu, with its own song again
    EXPECT_STREQ(music_path, "./mus/mus_menu.mid");

    EXPECT_EQ(high_scores[0].score, final_score);
    EXPECT_STREQ(high_scores[0].name, "pilot");
    EXPECT_EQ(high_scores[0].ship, 1);
}
