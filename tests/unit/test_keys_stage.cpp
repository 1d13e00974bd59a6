// The keys of stage play and of the quit overlay: fire, guns, notices,
// sound toggles, steering, and the ways a game ends.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/screen_state.h"
#include "app/startup.h"
#include "audio/sound.h"
#include "input/input_stream.h"
#include "input/keys.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "render/hud.h"
#include "render/starfield.h"
#include "stage/world_snapshot.h"
#include "support/screen_start.h"

namespace {

struct StageKeysTest : testing::Test {
    void SetUp() override {
        zero_world();
        start_on_screen(STATE_NAV1);
        profile_name = "pilot";
        player.x = 0.4, player.y = 0.1;
        player.width = 48, player.height = 48;
        player.hull = 80, player.hull_max = 80;
        player.gun_energy_max = 100;
        player.gun_energy = 100;
        player.alive = 1;
    }

    static void press(unsigned char key) { keyboard_callback(key, 0, 0); }
    static void press_special(int key) { special_callback(key, 0, 0); }
    static void release_special(int key) { special_up_callback(key, 0, 0); }

    static int shots_in_flight() {
        int count = 0;
        for (const Projectile& shot : player_shots) count += shot.active;
        return count;
    }

    static void expect_message(const char* text, int frames) {
        EXPECT_STREQ(message_text, text);
        EXPECT_EQ(message_timer, frames);
    }
};

}  // namespace

TEST_F(StageKeysTest, GunKeyCyclesEachShipsTwoGunsAndBoth) {
    struct Step {
        int from, to;
        const char* message;
    };
    const int LASER = GUN_MODE_LASER, ION = GUN_MODE_ION, NEUTRON = GUN_MODE_NEUTRON;
    const int LASER_ION = GUN_MODE_LASER_ION, LASER_NEUTRON = GUN_MODE_LASER_NEUTRON;
    const Step ion_ships[] = {
        {LASER, ION, "Guns switched"}, {ION, LASER_ION, "Full Guns selected"}, {LASER_ION, LASER, "Guns switched"}};
    const Step neutron_ship[] = {{LASER, NEUTRON, "Guns switched"},
                                 {NEUTRON, LASER_NEUTRON, "Full Guns selected"},
                                 {LASER_NEUTRON, LASER, "Guns switched"}};
    for (int ship = 0; ship < 3; ++ship) {
        selected_ship = ship;
        gun_mode = GUN_MODE_LASER;
        for (const Step& step : ship == 2 ? neutron_ship : ion_ships) {
            message_timer = 0;
            press(ship == 1 ? 'g' : 'G');
            EXPECT_EQ(gun_mode, step.to) << "ship " << ship << " from " << step.from;
            expect_message(step.message, 50);
        }
    }
}

TEST_F(StageKeysTest, FullGunsAndMissileKeysShowTheirNotices) {
    selected_ship = 1;
    press('f');
    EXPECT_EQ(gun_mode, GUN_MODE_LASER_ION);
    expect_message("Full Guns selected", 50);
    selected_ship = 2;
    gun_mode = GUN_MODE_LASER;
    press('F');
    EXPECT_EQ(gun_mode, GUN_MODE_LASER_NEUTRON);

    message_timer = 3;
    press('m');
    expect_message("No missiles available", 50);
    EXPECT_EQ(gun_mode, GUN_MODE_LASER_NEUTRON);
}

TEST_F(StageKeysTest, SpaceFiresUntilTheNavIsCompleteWhileGunKeysStillWork) {
    press(KEY_SPACE);
    EXPECT_EQ(shots_in_flight(), 2);
    EXPECT_EQ(player.gun_energy, 90.0);

    nav_completed = 1;
    press(KEY_SPACE);
    EXPECT_EQ(shots_in_flight(), 2);
    EXPECT_EQ(player.gun_energy, 90.0);
    press('G');
    EXPECT_EQ(gun_mode, GUN_MODE_ION);
    press('F');
    EXPECT_EQ(gun_mode, GUN_MODE_LASER_ION);
    press('M');
    expect_message("No missiles available", 50);
}

TEST_F(StageKeysTest, FunctionKeysToggleSoundMusicStarsAndStepVolumes) {
    press_special(SPECIAL_F5);
    EXPECT_EQ(sfx, 0);
    expect_message("Sound Off", 100);
    press_special(SPECIAL_F5);
    EXPECT_EQ(sfx, 1);
    expect_message("Sound On", 100);

    press_special(SPECIAL_F6);
    EXPECT_EQ(music, 0);
    expect_message("Music Off", 100);
    press_special(SPECIAL_F6);
    EXPECT_EQ(music, 1);
    expect_message("Music On", 100);

    sfxvol = 9;
    press_special(SPECIAL_F7);
    EXPECT_EQ(sfxvol, 1);
    expect_message("Sound Volume: 1", 120);
    musicvol = 4;
    press_special(SPECIAL_F8);
    EXPECT_EQ(musicvol, 5);
    expect_message("Music Volume: 5", 120);

    press_special(SPECIAL_F12);
    EXPECT_EQ(stars_on, 0);
    expect_message("Stars Disabled", 120);
    press_special(SPECIAL_F12);
    EXPECT_EQ(stars_on, 1);
    expect_message("Stars Enabled", 120);
    EXPECT_EQ(sound_ring_index, 0) << "function keys show notices, they do not click";
}

TEST_F(StageKeysTest, TheLatestPressedDirectionOfAnAxisWins) {
    press_special(SPECIAL_RIGHT);
    EXPECT_EQ(steer_x, HELD_RIGHT);
    press_special(SPECIAL_LEFT);
    EXPECT_EQ(steer_x, HELD_LEFT);
    release_special(SPECIAL_RIGHT);
    EXPECT_EQ(steer_x, HELD_LEFT) << "releasing the overridden key changes nothing";
    release_special(SPECIAL_LEFT);
    EXPECT_EQ(steer_x, HELD_NONE);

    press_special(SPECIAL_UP);
    press_special(SPECIAL_DOWN);
    EXPECT_EQ(steer_y, HELD_DOWN);
    release_special(SPECIAL_UP);
    EXPECT_EQ(steer_y, HELD_DOWN);
    press_special(SPECIAL_LEFT);
    EXPECT_EQ(steer_x, HELD_LEFT) << "the axes are independent";
    release_special(SPECIAL_DOWN);
    EXPECT_EQ(steer_y, HELD_NONE);
    EXPECT_EQ(steer_x, HELD_LEFT);
}

// Both orders on both axes: letting go of the overridden key keeps the newer
// direction, letting go of the newer one stops the axis.
TEST_F(StageKeysTest, ReleasesFollowTheNewerKeyOnEveryAxisInBothOrders) {
    struct Case {
        int first, second, released;
        int x, y;  // the axes after the release
    } cases[] = {
        {SPECIAL_RIGHT, SPECIAL_LEFT, SPECIAL_RIGHT, HELD_LEFT, HELD_NONE},
        {SPECIAL_RIGHT, SPECIAL_LEFT, SPECIAL_LEFT, HELD_NONE, HELD_NONE},
        {SPECIAL_LEFT, SPECIAL_RIGHT, SPECIAL_LEFT, HELD_RIGHT, HELD_NONE},
        {SPECIAL_LEFT, SPECIAL_RIGHT, SPECIAL_RIGHT, HELD_NONE, HELD_NONE},
        {SPECIAL_UP, SPECIAL_DOWN, SPECIAL_UP, HELD_NONE, HELD_DOWN},
        {SPECIAL_UP, SPECIAL_DOWN, SPECIAL_DOWN, HELD_NONE, HELD_NONE},
        {SPECIAL_DOWN, SPECIAL_UP, SPECIAL_DOWN, HELD_NONE, HELD_UP},
        {SPECIAL_DOWN, SPECIAL_UP, SPECIAL_UP, HELD_NONE, HELD_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << " then " << c.second << ", released " << c.released);
        steer_x = steer_y = HELD_NONE;
        press_special(c.first);
        press_special(c.second);
        release_special(c.released);
        EXPECT_EQ(steer_x, c.x);
        EXPECT_EQ(steer_y, c.y);
    }
}

TEST_F(StageKeysTest, ReleasesInTheOverlayAreIgnoredAndNLeavesNoDrift) {
    screen_state = 3;
    press_special(SPECIAL_RIGHT);
    press_special(SPECIAL_UP);
    EXPECT_EQ(sound_ring_index, 0);
    press(KEY_ESC);
    EXPECT_EQ(screen_state, STATE_QUIT_OVERLAY);
    EXPECT_EQ(paused_state, 3);
    EXPECT_EQ(sound_ring_index, 1) << "pausing clicks";

    release_special(SPECIAL_RIGHT);
    release_special(SPECIAL_UP);
    EXPECT_EQ(steer_x, HELD_RIGHT) << "a release in the overlay does not reach the stage";
    press_special(SPECIAL_LEFT);
    press(KEY_SPACE);
    press('G');
    EXPECT_EQ(steer_x, HELD_RIGHT);
    EXPECT_EQ(gun_mode, GUN_MODE_LASER);
    EXPECT_EQ(shots_in_flight(), 0);

    press('n');
    EXPECT_EQ(screen_state, 3);
    EXPECT_EQ(steer_x, HELD_NONE);
    EXPECT_EQ(steer_y, HELD_NONE);
    EXPECT_EQ(textures_loaded, 1) << "the stage goes on without a reload";
    EXPECT_EQ(sound_ring_index, 2);
}

// Arrows let go while another window had the keyboard: the window system (this
// test's display, where no key is down) reports them up, and they are released
// through the input stream, so a recording hears them.
TEST_F(StageKeysTest, ArrowsTheWindowSystemReportsUpAreReleasedThroughTheInputStream) {
    release_keys_let_go_elsewhere();  // arrows earlier tests left held
    static std::vector<int> heard;
    heard.clear();
    press_special(SPECIAL_RIGHT);
    press_special(SPECIAL_UP);
    input_listener = [](const InputRecord& record) { heard.push_back(record.handler * 1000 + record.key); };
    release_keys_let_go_elsewhere();
    input_listener = nullptr;
    EXPECT_EQ(steer_x, HELD_NONE);
    EXPECT_EQ(heard, (std::vector<int>{INPUT_SPECIAL_UP * 1000 + SPECIAL_UP, INPUT_SPECIAL_UP * 1000 + SPECIAL_RIGHT}));
}

TEST_F(StageKeysTest, EveryStateInTheStageRangeTakesTheStageKeys) {
    screen_state = 57;
    press_special(SPECIAL_DOWN);
    EXPECT_EQ(steer_y, HELD_DOWN);
    press(KEY_ESC);
    EXPECT_EQ(paused_state, 57);
    press('N');
    EXPECT_EQ(screen_state, 57);

    screen_state = STATE_QUIT_OVERLAY + 1;  // 100 is the settings menu, not a stage
    steer_y = HELD_NONE;
    press_special(SPECIAL_DOWN);
    EXPECT_EQ(steer_y, HELD_NONE);
}

TEST_F(StageKeysTest, EnterDoesNothingWhileTheFighterIsIntact) {
    score = 700;
    press(KEY_ENTER);
    EXPECT_EQ(screen_state, STATE_NAV1);
    EXPECT_EQ(score, 700);
    EXPECT_EQ(get_high_score(0), 0);
    EXPECT_STREQ(high_scores[0].name, "EMPTY");
    EXPECT_EQ(textures_loaded, 1);
}

TEST_F(StageKeysTest, EnterAfterDestructionRecordsTheScoreAndStartsAgainAtNav1) {
    screen_state = STATE_NAV2;
    player_destroyed = 1;
    score = 0;  // whatever the score
    selected_ship = 2;
    EXPECT_EQ(sound_ring_index, 0);
    press(KEY_ENTER);
    EXPECT_STREQ(high_scores[0].name, "pilot");
    EXPECT_EQ(high_scores[0].ship, 2);
    EXPECT_EQ(screen_state, STATE_NAV1);
    EXPECT_EQ(player_destroyed, 0);
    EXPECT_EQ(textures_loaded, 0);
    EXPECT_EQ(music_started, 0);
    EXPECT_EQ(sound_ring_index, 0) << "no click";
}

TEST_F(StageKeysTest, YInTheOverlayRecordsAScoreOnlyForADestroyedFighter) {
    score = 500;
    press(KEY_ESC);
    press('y');
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(get_high_score(0), 0) << "a game abandoned with an intact fighter is not recorded";
    EXPECT_EQ(score, 0);

    screen_state = STATE_NAV2;
    player_destroyed = 1;
    score = 800;
    selected_ship = 1;
    press(KEY_ESC);
    press('Y');
    EXPECT_EQ(get_high_score(0), 800);
    EXPECT_STREQ(high_scores[0].name, "pilot");
    EXPECT_EQ(high_scores[0].ship, 1);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(player_destroyed, 0);
}
