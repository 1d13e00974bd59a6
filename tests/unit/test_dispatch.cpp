// The display callback: once-per-visit pictures and music, and the order in
// which states are checked within one frame.
#include <gtest/gtest.h>

#include <cstring>

#include "app/game_values.h"
#include "app/screen_state.h"
#include "menus/screens.h"
#include "persist/settings.h"
#include "render/starfield.h"

namespace {

struct DispatchTest : testing::Test {
    void SetUp() override { set_game_start_values(); }
};

}  // namespace

TEST_F(DispatchTest, MenuStatesLoadPicturesOncePerVisit) {
    for (int state : {0, 100, 104, 101, 103, 102, 1}) {
        SCOPED_TRACE(testing::Message() << "state " << state);
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
        SCOPED_TRACE(testing::Message() << "state " << state);
        screen_state = state;
        textures_loaded = 0;
        display_callback();
        EXPECT_EQ(screen_state, state);
        EXPECT_EQ(music_started, in_stage_range(state) ? 1 : 0) << state;
        music_started = 0;
    }
}

// The intro's last step moves to the main menu, which the same frame then
// loads, starts and draws (its stars drift; the intro has none).
TEST_F(DispatchTest, IntroEndingAtFrame283DrawsTheMainMenuInTheSameFrame) {
    for (int effects : {1, 0}) {
        SCOPED_TRACE(testing::Message() << "sfx " << effects);
        set_game_start_values();
        sfx = effects;  // silent or not, the intro keeps its length
        for (int frame = 1; frame <= 282; ++frame) display_callback();
        EXPECT_EQ(screen_state, -1) << "sfx " << effects;
        EXPECT_EQ(textures_loaded, 0);

        starfield[0] = {0.5, 0.5, 1.0};
        display_callback();  // frame 283
        EXPECT_EQ(screen_state, 0) << "sfx " << effects;
        EXPECT_EQ(textures_loaded, 1) << "the main menu's pictures were loaded in frame 283";
        EXPECT_EQ(music_started, 1);
        EXPECT_STREQ(music_path, "./mus/mus_menu.mid") << "and its music started";
        EXPECT_DOUBLE_EQ(starfield[0].x, 0.48) << "and the menu drawn over its drifting stars";
    }
    sfx = 1;
}
