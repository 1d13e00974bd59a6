// Which file each event plays: every path handed to the sound layer is heard
// through its watcher, and each event must name exactly its own file.
#include <functional>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "combat/damage.h"
#include "input/keys.h"
#include "input/screen_keys.h"
#include "persist/settings.h"
#include "stage/enemies.h"
#include "test_stage_support.h"

using namespace stage_test;

namespace {

const char* const LOGO_SONG = "./mus/mus_logo.mp3";
const char* const MENU_SONG = "./mus/mus_menu.mid";
const char* const CREDITS_SONG = "./mus/mus_cred.mid";
const char* const STAGE_SONG = "./mus/mus_stage_1.mid";
const char* const LASER = "./sfx/sfx_gun_2.wav";  // also the cursor click
const char* const ION = "./sfx/sfx_gun_6.wav";
const char* const NEUTRON = "./sfx/sfx_gun_7.wav";
const char* const LASER_ION = "./sfx/sfx_gun_2_6.wav";
const char* const LASER_NEUTRON = "./sfx/sfx_gun_2_7.wav";
const char* const CONFIRM = "./sfx/sfx_gun_5.wav";
const char* const SHIELD_HOLDS = "./sfx/sfx_shield_1.wav";
const char* const SHIELD_DOWN = "./sfx/sfx_shield_2.wav";
const char* const EXPLOSION = "./sfx/sfx_explosion.mp3";
const char* const FIGHTERS_DETECTED = "./sfx/sfx_voc_fighters_detected.mp3";
const char* const NAV_COMPLETED = "./sfx/sfx_voc_nav_completed.mp3";
const char* const STAGE_COMPLETED = "./sfx/sfx_voc_stage_completed.mp3";

using Files = std::vector<std::string>;
Files heard;
void hear(const char* path) { heard.emplace_back(path); }

struct SoundFileTest : StageTest {
    void SetUp() override {
        StageTest::SetUp();
        place_player(0.4, 0.05);
        heard.clear();
        sound_file_watcher = hear;
    }
    void TearDown() override {
        sound_file_watcher = nullptr;
        StageTest::TearDown();
    }
    static void press(unsigned char key) { keyboard_callback(key, 0, 0); }
    static void press_special(int key) { special_callback(key, 0, 0); }
};

// The last kill of NAV 2: a shot meets a fighter with 10 hull left.
void last_kill() {
    nav_kills_left = 1;
    nav_fighter.x = 0.4;
    nav_fighter.y = 0.5;
    nav_fighter.speed = 0;
    nav_fighter.hull = 10;
    nav_fighter.alive = 1;
    nav_fighter.width = nav_fighter.height = 64;
    player_shots[0] = shot_at(0.42, 0.52);
    frame_nav2();
}

}  // namespace

TEST_F(SoundFileTest, EachEventPlaysItsOwnFile) {
    struct Case {
        const char* event;
        std::function<void()> act;
        Files files;
    } cases[] = {
        {"laser volley", [] { gun_mode = GUN_MODE_LASER; fire_guns(); }, {LASER}},
        {"ion volley", [] { gun_mode = GUN_MODE_ION; fire_guns(); }, {ION}},
        {"neutron volley", [] { gun_mode = GUN_MODE_NEUTRON; fire_guns(); }, {NEUTRON}},
        {"laser and ion volley", [] { gun_mode = GUN_MODE_LASER_ION; fire_guns(); }, {LASER_ION}},
        {"laser and neutron volley", [] { gun_mode = GUN_MODE_LASER_NEUTRON; fire_guns(); }, {LASER_NEUTRON}},
        {"volley without energy", [] { player.gun_energy = 5; fire_guns(); }, {}},
        {"enemy laser", [] { enemy_fire(GUN_LASER); }, {LASER}},
        {"enemy ion", [] { enemy_fire(GUN_ION); }, {ION}},
        {"enemy neutron", [] { enemy_fire(GUN_NEUTRON); }, {}},
        {"hit on a holding shield", [] { damage_player(SIDE_LEFT, HIT_ENEMY_SHOT); }, {SHIELD_HOLDS}},
        {"ram on a holding shield", [] { damage_player(SIDE_FRONT, HIT_RAM); }, {SHIELD_HOLDS}},
        {"hit through a broken shield", [] { player.shield[SIDE_RIGHT] = 0; damage_player(SIDE_RIGHT, HIT_ENEMY_SHOT); },
         {SHIELD_DOWN}},
        {"ram through a broken shield", [] { player.shield[SIDE_REAR] = -1; damage_player(SIDE_REAR, HIT_RAM); },
         {SHIELD_DOWN}},
        {"rock destroyed",
         [] {
             enemies[0] = rock_at(0.2, 0.5);
             enemies[0].hull = 0;
             fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);
         },
         {EXPLOSION}},
        {"player destroyed", [] { player.hull = 0; run_player_destruction(); }, {EXPLOSION}},
        {"NAV 2 set up", [] { screen_state = STATE_NAV2; setup_nav2(); }, {FIGHTERS_DETECTED}},
        {"NAV 1 complete", [] { nav_timer = NAV1_LENGTH_FRAMES; frame_nav1(); }, {NAV_COMPLETED}},
        {"last kill of NAV 2", [] { screen_state = STATE_NAV2; last_kill(); }, {SHIELD_DOWN, EXPLOSION, STAGE_COMPLETED}},
    };
    for (const Case& c : cases) {
        clear_world();
        place_player(0.4, 0.05);
        heard.clear();
        c.act();
        EXPECT_EQ(heard, c.files) << c.event;
    }
}

// From the intro through every menu into a game and back, in the order a
// player hears it: the songs of the screens and the two clicks.
TEST_F(SoundFileTest, AMenuWalkHearsEachScreensSongAndEachClick) {
    struct Step {
        const char* what;
        std::function<void()> act;
        Files files;
    } steps[] = {
        {"intro starts", [] { screen_state = STATE_LOGO_INTRO; music_started = 0; display_callback(); }, {LOGO_SONG}},
        {"intro skipped", [] { press(KEY_ESC); display_callback(); }, {MENU_SONG}},
        {"cursor down", [] { menu_cursor = 1; press_special(SPECIAL_DOWN); }, {LASER}},
        {"stage select chosen", [] { press(KEY_ENTER); display_callback(); }, {CONFIRM}},
        {"stage select cursor", [] { press_special(SPECIAL_UP); }, {LASER}},
        {"stage select left", [] { press(KEY_ESC); display_callback(); }, {CONFIRM}},
        {"settings chosen", [] { menu_cursor = 3; press(KEY_ENTER); display_callback(); }, {CONFIRM}},
        {"settings cursor", [] { press_special(SPECIAL_DOWN); }, {LASER}},
        {"settings left", [] { press(KEY_ESC); display_callback(); }, {CONFIRM}},
        {"credits chosen", [] { menu_cursor = 5; press(KEY_ENTER); display_callback(); }, {CONFIRM, CREDITS_SONG}},
        {"ship select chosen",
         [] {
             screen_state = STATE_MAIN_MENU;
             menu_cursor = 1;
             press(KEY_ENTER);
             display_callback();
         },
         {CONFIRM}},
        {"ship cursor", [] { press_special(SPECIAL_RIGHT); }, {LASER}},
        {"game started", [] { press(KEY_ENTER); display_callback(); }, {CONFIRM, STAGE_SONG}},
    };
    for (const Step& s : steps) {
        heard.clear();
        s.act();
        EXPECT_EQ(heard, s.files) << s.what;
    }
    EXPECT_EQ(screen_state, STATE_NAV1);
}
