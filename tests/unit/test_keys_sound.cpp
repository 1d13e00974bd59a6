// What the sound and music keys do to what is heard.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/keys.h"
#include "input/screen_keys.h"
#include "persist/settings.h"
#include "render/hud.h"
#include "test_sound_support.h"

namespace {

constexpr int ORGAN = 16;

struct SoundKeysTest : SoundTest {
    void SetUp() override {
        SoundTest::SetUp();
        music_started = 1;
        textures_loaded = 1;
    }
    static void press(unsigned char key) { keyboard_callback(key, 0, 0); }
    static void press_special(int key) { special_callback(key, 0, 0); }
};

}  // namespace

TEST_F(SoundKeysTest, MusicKeyDuringAStageRestartsTheRememberedSongFromItsBeginning) {
    // Sound only in the first 400 ms, then silence until the song ends at 4 s.
    dir.write("stage.mid", single_note_midi(ORGAN, 400, 4000));
    snprintf(music_path, sizeof music_path, "%s", "stage.mid");
    screen_state = STATE_NAV1;
    play_music(music_path);
    output_peak_over(1200);
    ASSERT_LT(output_peak_over(300), AUDIBLE_PEAK);

    press_special(SPECIAL_F6);
    EXPECT_EQ(song, nullptr);
    EXPECT_STREQ(message_text, "Music Off");
    press_special(SPECIAL_F6);
    EXPECT_STREQ(message_text, "Music On");
    EXPECT_GT(output_peak_over(300), AUDIBLE_PEAK) << "heard again from the beginning";
}

TEST_F(SoundKeysTest, SettingsMusicItemSilencesAndRestartsTheMenuSong) {
    dir.write("menu.mid", single_note_midi(ORGAN, 4000, 4000));
    snprintf(music_path, sizeof music_path, "%s", "menu.mid");
    screen_state = STATE_SETTINGS;
    settings_cursor = 2;
    play_music(music_path);
    ASSERT_GT(output_peak_over(300), AUDIBLE_PEAK);

    press(KEY_ENTER);
    output_peak_over(200);
    EXPECT_LT(output_peak_over(300), AUDIBLE_PEAK);
    press(KEY_ENTER);
    EXPECT_GT(output_peak_over(300), AUDIBLE_PEAK);
}

TEST_F(SoundKeysTest, MusicVolumeKeysReachThePlayingSong) {
    dir.write("menu.mid", single_note_midi(ORGAN, 4000, 4000));
    musicvol = 9;
    play_music("menu.mid");
    output_peak_over(300);
    const int loud = output_peak_over(300);

    screen_state = STATE_SETTINGS;
    settings_cursor = 4;
    press(KEY_ENTER);  // 9 wraps to 1
    ASSERT_EQ(musicvol, 1);
    output_peak_over(100);
    EXPECT_LT(output_peak_over(300) * 4, loud);

    screen_state = STATE_NAV1;
    for (int i = 0; i < 8; ++i) press_special(SPECIAL_F8);  // back up to 9
    ASSERT_EQ(musicvol, 9);
    output_peak_over(100);
    EXPECT_GT(output_peak_over(300) * 2, loud);
}

TEST_F(SoundKeysTest, EscSkippingTheIntroCutsItsSongOff) {
    dir.write("logo.wav", square_wave_wav(3000, 8000));
    sound_ring_index = 0;
    play_sound("logo.wav");  // the intro's song takes the first ring slot
    ASSERT_GT(output_peak_over(300), AUDIBLE_PEAK);

    screen_state = STATE_LOGO_INTRO;
    press(KEY_ESC);
    EXPECT_EQ(sound_ring[0], nullptr);
    output_peak_over(100);
    EXPECT_LT(output_peak_over(300), AUDIBLE_PEAK);
}
