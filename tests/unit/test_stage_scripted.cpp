// Whole NAVs flown through the display callback by a scripted pilot: NAV 1's
// 1500 frames and the passage into NAV 2, and a NAV 2 of ten kills that ends in
// the high-score table and the main menu.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/startup.h"
#include "audio/sound.h"
#include "combat/damage.h"
#include "input/screen_keys.h"
#include "persist/settings.h"
#include "platform/random.h"
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
    steer_x = (frame > 1 && player.x > NAV1_STATION_X + 1e-9) ? HELD_LEFT : HELD_NONE;
    gun_mode = GUN_MODE_LASER;
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
    steer_x = player.x < target - 0.005 ? HELD_RIGHT : (player.x > target + 0.005 ? HELD_LEFT : HELD_NONE);
    gun_mode = GUN_MODE_NEUTRON;
    if (nav_fighter.y < 1.05 && nav_completed == 0 && player_destroyed == 0) fire_guns();
}

// Every file handed to the sound layer during a scripted game, in order.
std::vector<std::string> heard;
void hear(const char* path) { heard.emplace_back(path); }
void listen() {
    sfx = 1;
    music = 1;
    heard.clear();
    sound_file_watcher = hear;
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
    listen();

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
    EXPECT_EQ(std::make_tuple(shots_hit, shots_missed, bonus_pending, bonus_awarded), std::make_tuple(0, 0, 0, 0));
    EXPECT_EQ(nav_kills_left, 10);
    EXPECT_EQ(nav_completed, 0);
    EXPECT_EQ(nav_fighter.alive, 1);
    EXPECT_STREQ(music_path, "./mus/mus_stage_1.mid");

    // The stage song, three laser volleys, the rock's explosion, a hit on the
    // holding rear shield and one through it, the end of NAV 1, NAV 2's call.
    sound_file_watcher = nullptr;
    EXPECT_EQ(heard, (std::vector<std::string>{"./mus/mus_stage_1.mid", "./sfx/sfx_gun_2.wav", "./sfx/sfx_gun_2.wav",
                                               "./sfx/sfx_gun_2.wav", "./sfx/sfx_explosion.mp3",
                                               "./sfx/sfx_shield_1.wav", "./sfx/sfx_shield_2.wav",
                                               "./sfx/sfx_voc_nav_completed.mp3",
                                               "./sfx/sfx_voc_fighters_detected.mp3"}));
}

TEST(ScriptedNavTest, Nav2WithTenKillsEndsInTheHighScoreTableAndTheMainMenu) {
    reset_high_scores();
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
    music_started = 1;  // the stage song goes on from NAV 1
    set_rand15_source(nullptr);
    seed_rand15(3);
    listen();

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

    // What NAV 2 sounds like: the call, neutron volleys, the fighters' lasers
    // and ion guns, hits, explosions; the last kill's hit, explosion and the
    // stage-complete call; then the menu's song. Nothing else.
    sound_file_watcher = nullptr;
    ASSERT_GE(heard.size(), 5u);
    EXPECT_EQ(heard.front(), "./sfx/sfx_voc_fighters_detected.mp3");
    EXPECT_EQ(std::vector<std::string>(heard.end() - 4, heard.end()),
              (std::vector<std::string>{"./sfx/sfx_shield_2.wav", "./sfx/sfx_explosion.mp3",
                                        "./sfx/sfx_voc_stage_completed.mp3", "./mus/mus_menu.mid"}));
    std::map<std::string, int> plays;
    for (const std::string& file : heard) ++plays[file];
    EXPECT_GE(plays["./sfx/sfx_explosion.mp3"], 10);
    EXPECT_GE(plays["./sfx/sfx_shield_2.wav"], 10) << "each shot on the fighter";
    EXPECT_GT(plays["./sfx/sfx_gun_7.wav"], 0);
    EXPECT_GT(plays["./sfx/sfx_gun_2.wav"] + plays["./sfx/sfx_gun_6.wav"], 0) << "the fighters fire";
    for (const char* other : {"./sfx/sfx_gun_2_6.wav", "./sfx/sfx_gun_2_7.wav", "./sfx/sfx_gun_5.wav",
                              "./sfx/sfx_voc_nav_completed.mp3", "./mus/mus_stage_1.mid"})
        EXPECT_EQ(plays.count(other), 0u) << other;

    EXPECT_EQ(high_scores[0].score, final_score);
    EXPECT_STREQ(high_scores[0].name, "pilot");
    EXPECT_EQ(high_scores[0].ship, 1);
}
