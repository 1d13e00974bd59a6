// A short soak with the settings a damaged or hand-edited settings.cfg can
// hold: the reader stores numbers unchecked, saturating at the int limits, so
// the volumes may be anything at all. The game is played with them through
// the menus and a stage, with every key that touches sound, music or a volume;
// each volume key must step the volume as always (+1, above 9 back to 1), and
// in the sanitizer build nothing on the way may overflow.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/screen_state.h"
#include "app/startup.h"
#include "audio/sound.h"
#include "input/keys.h"
#include "input/screen_keys.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "platform/sound_library.h"
#include "render/hud.h"
#include "stage/world.h"
#include "support/scratch_dir.h"

namespace {

// What load_settings stores for a number too large or too small for an int.
const char* const HUGE_NUMBER = "99999999999999999999";
const char* const HUGE_NEGATIVE = "-99999999999999999999";

// The volume key's rule: one step up, and anything above 9 starts again at 1.
int next_step(int volume) { return volume >= 9 ? 1 : volume + 1; }

void frames(int count) {
    for (int i = 0; i < count; ++i) display_callback();
}

void press(int key) { keyboard_callback(static_cast<unsigned char>(key), 0, 0); }
void press_special(int key) {
    special_callback(key, 0, 0);
    special_up_callback(key, 0, 0);
}

struct AbsurdSettingsTest : testing::TestWithParam<std::pair<std::string, std::string>> {
    std::filesystem::path previous_dir = std::filesystem::current_path();

    void SetUp() override {
        {
            ScratchDir dir;
            dir.write("settings.cfg", "sfxvol=" + GetParam().first + "\nmusicvol=" + GetParam().second +
                                          "\nsfx=7\nmusic=1\n");
            load_settings();
        }
        std::filesystem::current_path(GAME_DIR);  // the game's sounds and pictures
        profile_name = "pilot";
        sound_library_test_use_drivers("dummy", nullptr);
        start_sound_backend();
    }
    void TearDown() override {
        close_sound_backend();
        glFinish();
        std::filesystem::current_path(previous_dir);
    }
};

}  // namespace

TEST_P(AbsurdSettingsTest, VolumeKeysStepBackIntoRangeAndEverySoundPlays) {
    const int file_sfxvol = sfxvol, file_musicvol = musicvol;
    ASSERT_EQ(sfx, 7) << "the reader keeps what the file says";

    // The main menu starts its song at the file's music volume.
    screen_state = STATE_MAIN_MENU;
    textures_loaded = 0;
    music_started = 0;
    menu_cursor = 1;
    frames(3);

    // Sound on through the settings menu (7 is neither on nor off: the switch turns it off first).
    press_special(SPECIAL_DOWN);
    press_special(SPECIAL_DOWN);
    press(KEY_ENTER);
    ASSERT_EQ(screen_state, STATE_SETTINGS);
    settings_cursor = 1;
    press(KEY_ENTER);
    press(KEY_ENTER);
    EXPECT_EQ(sfx, 1);
    frames(3);

    press_special(SPECIAL_DOWN);
    press_special(SPECIAL_DOWN);
    press(KEY_ENTER);  // sound volume: a click at the new volume
    EXPECT_EQ(sfxvol, next_step(file_sfxvol));
    press_special(SPECIAL_DOWN);
    press(KEY_ENTER);  // music volume, applied to the playing song
    EXPECT_EQ(musicvol, next_step(file_musicvol));
    frames(3);

    // Into a stage with whatever volumes the settings menu left.
    press(KEY_ESC);
    menu_cursor = 1;
    press(KEY_ENTER);
    press(KEY_ENTER);
    ASSERT_EQ(screen_state, STATE_NAV1);
    frames(5);
    const int stage_sfxvol = sfxvol, stage_musicvol = musicvol;
    press_special(SPECIAL_F7);
    press_special(SPECIAL_F8);
    EXPECT_EQ(sfxvol, next_step(stage_sfxvol));
    EXPECT_EQ(musicvol, next_step(stage_musicvol));
    EXPECT_TRUE(memchr(message_text, '\0', sizeof message_text));
    int expected_musicvol = musicvol;
    for (int i = 0; i < 20; ++i) {
        press(KEY_SPACE);  // each volley plays its sound at the current volume
        if (i % 2 == 0) {
            press_special(SPECIAL_F8);
            expected_musicvol = next_step(expected_musicvol);
        } else {
            press_special(SPECIAL_F6);  // music off, and on again at the new volume
        }
        frames(2);
    }
    EXPECT_EQ(musicvol, expected_musicvol);
    EXPECT_EQ(music, 1);
    EXPECT_LE(sound_library_test_samples_held(), SOUND_RING_SIZE);

    press(KEY_ESC);
    press('Y');
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
}

INSTANTIATE_TEST_SUITE_P(Extremes, AbsurdSettingsTest,
                         testing::Values(std::make_pair(std::string(HUGE_NUMBER), std::string(HUGE_NEGATIVE)),
                                         std::make_pair(std::string(HUGE_NEGATIVE), std::string(HUGE_NUMBER)),
                                         std::make_pair(std::string("0"), std::string("10")),
                                         std::make_pair(std::string("-1"), std::string("1000"))));
