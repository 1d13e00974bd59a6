// The settings menu: six rows of label and value pictures, the pointer, the
// restart notice and the hint.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/game_values.h"
#include "app/screen_state.h"
#include "app/startup.h"
#include "input/keys.h"
#include "input/screen_keys.h"
#include "menus/screens.h"
#include "persist/settings.h"
#include "test_menu_fixtures.h"

namespace {

// Middles of the rows and of the value pictures.
double row_middle(int row) { return 0.725 - 0.05 * row; }
constexpr double LABEL_X = 0.38;
constexpr double VALUE_X = 0.74;
constexpr double DIGIT_X = 0.71;
constexpr double SOUND_DIGIT_Y = 0.57, MUSIC_DIGIT_Y = 0.52;
constexpr double WIDE_VALUE_X = 0.9;

struct SettingsMenuTest : testing::Test {
    MenuPictures pictures{0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109};
    void SetUp() override {
        set_game_start_values();
        screen_state = STATE_SETTINGS;
        profile_name = "pilot";
        park_stars();
    }
    void draw() {
        begin_frame();
        draw_settings_menu();
    }
    static testing::AssertionResult shows(double x, double y, int id, double tint) {
        const Rgb seen = pixel_at(x, y);
        if (near(seen, tinted(id, tint))) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "at (" << x << ", " << y << ") " << seen << ", picture " << id
                                           << " tinted " << tint << " is " << tinted(id, tint);
    }
};

}  // namespace

TEST_F(SettingsMenuTest, DefaultsShowOnOnFiveFiveAndWindowed) {
    draw();
    EXPECT_TRUE(shows(0.5, 0.80, 0, 0.7)) << "banner";
    EXPECT_TRUE(shows(0.255, row_middle(1), 1, 0.7)) << "pointer beside row 1, dim";
    EXPECT_TRUE(shows(LABEL_X, row_middle(1), 2, 1.0));
    EXPECT_TRUE(shows(VALUE_X, row_middle(1), 5, 1.0)) << "sound on";
    EXPECT_TRUE(shows(LABEL_X, row_middle(2), 3, 0.7));
    EXPECT_TRUE(shows(VALUE_X, row_middle(2), 5, 0.7)) << "music on";
    EXPECT_TRUE(shows(0.55, row_middle(3), 7, 0.7));
    EXPECT_TRUE(shows(DIGIT_X, SOUND_DIGIT_Y, 105, 0.7));
    EXPECT_TRUE(shows(0.55, row_middle(4), 8, 0.7));
    EXPECT_TRUE(shows(DIGIT_X, MUSIC_DIGIT_Y, 105, 0.7));
    EXPECT_TRUE(shows(LABEL_X, row_middle(5), 9, 0.7));
    EXPECT_TRUE(shows(WIDE_VALUE_X, row_middle(5), 10, 0.7)) << "windowed";
    EXPECT_TRUE(shows(0.55, row_middle(6), 13, 0.7));
    EXPECT_EQ(pixel_at(WIDE_VALUE_X, row_middle(6)), rgb(0, 0, 0)) << "no restart notice";
    // The digit is a small picture: the rest of its row beside it stays empty.
    EXPECT_EQ(pixel_at(DIGIT_X, 0.595), rgb(0, 0, 0));
    EXPECT_EQ(pixel_at(0.75, SOUND_DIGIT_Y), rgb(0, 0, 0));
}

TEST_F(SettingsMenuTest, OtherValuesPickTheirPictures) {
    sfx = 0;
    music = 0;
    sfxvol = 0;  // possible only from the file, and still has its digit
    musicvol = 9;
    fullscreen = 1;
    draw();
    EXPECT_TRUE(shows(VALUE_X, row_middle(1), 4, 1.0)) << "sound off";
    EXPECT_TRUE(shows(VALUE_X, row_middle(2), 4, 0.7)) << "music off";
    EXPECT_TRUE(shows(DIGIT_X, SOUND_DIGIT_Y, 100, 0.7));
    EXPECT_TRUE(shows(DIGIT_X, MUSIC_DIGIT_Y, 109, 0.7));
    EXPECT_TRUE(shows(WIDE_VALUE_X, row_middle(5), 11, 0.7)) << "full screen";

    // Only exactly 1 is shown as full screen, although start-up treats 2 as one.
    fullscreen = 2;
    draw();
    EXPECT_TRUE(shows(WIDE_VALUE_X, row_middle(5), 10, 0.7));
}

TEST_F(SettingsMenuTest, AVolumeOutsideZeroToNineHasNoDigitPicture) {
    // Pictures in the ids such volumes would name: none of them may appear.
    load_solid_picture(110, rgb(0, 1, 0));
    load_solid_picture(99, rgb(0, 1, 0));
    load_solid_picture(512, rgb(0, 1, 0));
    for (int volume : {10, -1, 412}) {
        sfxvol = volume;
        musicvol = volume;
        draw();
        EXPECT_EQ(pixel_at(DIGIT_X, SOUND_DIGIT_Y), rgb(0, 0, 0)) << volume;
        EXPECT_EQ(pixel_at(DIGIT_X, MUSIC_DIGIT_Y), rgb(0, 0, 0)) << volume;
        EXPECT_EQ(pixels_of(rgb(0, 1, 0), {0, 0, 800, 600}), 0) << volume;
        EXPECT_TRUE(shows(0.55, row_middle(3), 7, 0.7)) << "the row's label is still there";
    }
}

TEST_F(SettingsMenuTest, OnlyTheHighlightedRowIsBright) {
    settings_cursor = 5;
    fullscreen = 1;
    draw();
    EXPECT_TRUE(shows(0.255, row_middle(5), 1, 0.7)) << "pointer beside row 5, still dim";
    EXPECT_EQ(pixel_at(0.255, row_middle(1)), rgb(0, 0, 0));
    EXPECT_TRUE(shows(LABEL_X, row_middle(5), 9, 1.0));
    EXPECT_TRUE(shows(WIDE_VALUE_X, row_middle(5), 11, 1.0));
    EXPECT_TRUE(shows(LABEL_X, row_middle(1), 2, 0.7));
    EXPECT_TRUE(shows(VALUE_X, row_middle(1), 5, 0.7));

    settings_cursor = 3;
    draw();
    EXPECT_TRUE(shows(0.55, row_middle(3), 7, 1.0));
    EXPECT_TRUE(shows(DIGIT_X, SOUND_DIGIT_Y, 105, 1.0));
    EXPECT_TRUE(shows(DIGIT_X, MUSIC_DIGIT_Y, 105, 0.7));
    EXPECT_TRUE(shows(WIDE_VALUE_X, row_middle(5), 11, 0.7));

    settings_cursor = 6;
    draw();
    EXPECT_TRUE(shows(0.55, row_middle(6), 13, 1.0));
}

TEST_F(SettingsMenuTest, RestartNoticeStaysAfterTheModeIsSwitchedBack) {
    settings_cursor = 5;
    keyboard_callback(KEY_ENTER, 0, 0);
    ASSERT_EQ(fullscreen, 1);
    keyboard_callback(KEY_ENTER, 0, 0);
    ASSERT_EQ(fullscreen, 0);
    ASSERT_EQ(screen_state, STATE_SETTINGS);

    draw();
    EXPECT_TRUE(shows(WIDE_VALUE_X, row_middle(5), 10, 1.0)) << "windowed again";
    EXPECT_TRUE(shows(WIDE_VALUE_X, row_middle(6), 12, 1.0)) << "notice, always bright";
}

TEST_F(SettingsMenuTest, RestartNoticeIsBrightBesideTheControlsRow) {
    restart_notice = 1;
    draw();
    EXPECT_TRUE(shows(WIDE_VALUE_X, row_middle(6), 12, 1.0));
    EXPECT_TRUE(shows(0.55, row_middle(6), 13, 0.7));
}

TEST_F(SettingsMenuTest, StatusLineAndHintAtTheBottom) {
    draw();
    EXPECT_TRUE(shows_exactly(
        hint_colour(), 1.0, 0.7, 0.7, {0, 0, 800, 40},
        {{0.01f, 0.01f, GLUT_BITMAP_TIMES_ROMAN_10, "active profile: pilot"},
         {0.84f, 0.01f, GLUT_BITMAP_TIMES_ROMAN_10, "version: 2008.02.09 PD [Wii]"},
         {0.32f, 0.035f, GLUT_BITMAP_TIMES_ROMAN_10, "Press [esc] or button 1 (Wii-mote) to return to the main menu"}}));
}
