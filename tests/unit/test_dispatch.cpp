// The display callback: once-per-visit pictures and music, and the order in
// which states are checked within one frame.
#include <gtest/gtest.h>

#include <cstring>

#include "app/screen_state.h"
#include "persist/settings.h"

namespace {

struct DispatchTest : testing::Test {
    void SetUp() override {
        textures_loaded = 0;
        music_started = 0;
        music_path[0] = '\0';
    }
};

}  // namespace

TEST_F(DispatchTest, MenuStatesLoadPicturesOncePerVisit) {
    for (int state : {0, 100, 104, 101, 103, 102, 1}) {
        screen_state = state;
        textures_loaded = 0;
        display_callback();
        EXPECT_EQ(textures_loaded, 1) << "state " << state;
        EXPECT_EQ(screen_state, state);
    }
}

TEST_F(DispatchTest, MainMenuAndCreditsStartTheirSongOnceAndRememberIt) {
    screen_state = 0;
    display_callback();
    EXPECT_EQ(music_started, 1);
    EXPECT_STREQ(music_path, "./mus/mus_menu.mid");

    screen_state = 100;  // screens without their own song keep the menu's
    textures_loaded = 0;
    display_callback();
    EXPECT_STREQ(music_path, "./mus/mus_menu.mid");

    screen_state = 102;
    textures_loaded = 0;
    music_started = 0;
    display_callback();
    EXPECT_EQ(music_started, 1);
    EXPECT_STREQ(music_path, "./mus/mus_cred.mid");
}

TEST_F(DispatchTest, MusicStartedFlagStopsARestartWithinAVisit) {
    screen_state = 102;
    display_callback();
    ASSERT_STREQ(music_path, "./mus/mus_cred.mid");
    strcpy(music_path, "marker");
    display_callback();
    display_callback();
    EXPECT_STREQ(music_path, "marker");
}

TEST_F(DispatchTest, MusicOffStillRecordsTheSongOfTheScreen) {
    music = 0;
    screen_state = 0;
    display_callback();
    EXPECT_EQ(music_started, 1);
    EXPECT_STREQ(music_path, "./mus/mus_menu.mid");
    music = 1;
}

TEST_F(DispatchTest, StagesStartTheStageSongAndKeepTheirPicturesLoaded) {
    screen_state = 2;
    display_callback();
    EXPECT_EQ(textures_loaded, 1);
    EXPECT_EQ(music_started, 1);
    EXPECT_STREQ(music_path, "./mus/mus_stage_1.mid");

    screen_state = 99;  // the quit overlay draws with the stage's pictures
    display_callback();
    EXPECT_EQ(textures_loaded, 1);
    EXPECT_STREQ(music_path, "./mus/mus_stage_1.mid");
}

TEST_F(DispatchTest, LogoIntroStartsItsMusicOnceAndLoadsNoPictures) {
    screen_state = -1;
    display_callback();
    EXPECT_EQ(music_started, 1);
    EXPECT_EQ(textures_loaded, 0);  // gl_setup loads the intro's set at start-up
    EXPECT_STREQ(music_path, "");   // played as an effect, not remembered as music
}

TEST_F(DispatchTest, UnknownStatesDrawOnlyAClearedScreen) {
    for (int state : {-2, 4, 98, 105, 1000}) {
        screen_state = state;
        textures_loaded = 0;
        display_callback();
        EXPECT_EQ(screen_state, state);
        EXPECT_EQ(music_started, in_stage_range(state) ? 1 : 0) << state;
        music_started = 0;
    }
}
