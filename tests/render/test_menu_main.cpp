// The main menu: banner, pointer beside the highlighted item, six items with
// only the highlighted one bright, and the status line.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <string>

#include "app/screen_state.h"
#include "app/startup.h"
#include "input/screen_keys.h"
#include "menus/screens.h"
#include "render/starfield.h"
#include "test_menu_fixtures.h"

namespace {

struct MainMenuTest : testing::Test {
    MenuPictures pictures{0, 1, 2, 3, 4, 5, 6, 7};
    void SetUp() override {
        screen_state = STATE_MAIN_MENU;
        profile_name = "pilot";
        park_stars();
    }
    static double band_middle(int item) { return 0.575 - 0.05 * item; }
    void expect_items_with_bright(int bright) {
        for (int item = 1; item <= 6; ++item)
            EXPECT_TRUE(near(pixel_at(0.5, band_middle(item)), tinted(item + 1, item == bright ? 1.0 : 0.7)))
                << "item " << item << " with cursor " << bright << ": " << pixel_at(0.5, band_middle(item));
    }
};

}  // namespace

TEST_F(MainMenuTest, CursorOnFirstItemPointsAtTheTopItemAndLightsOnlyIt) {
    menu_cursor = 1;
    begin_frame();
    draw_main_menu();

    EXPECT_TRUE(near(pixel_at(0.5, 0.80), tinted(0, 0.7))) << "banner";
    EXPECT_TRUE(near(pixel_at(0.335, 0.525), tinted(1, 0.7))) << "pointer left of item 1";
    // Where the pointer overlaps the item it was drawn first and stays in front.
    EXPECT_TRUE(near(pixel_at(0.37, 0.525), tinted(1, 0.7))) << pixel_at(0.37, 0.525);
    EXPECT_TRUE(near(pixel_at(0.39, 0.525), tinted(2, 1.0)));
    // No pointer beside the other items.
    EXPECT_EQ(pixel_at(0.335, 0.275), rgb(0, 0, 0));
    expect_items_with_bright(1);
}

TEST_F(MainMenuTest, CursorOnLastItemPointsAtTheBottomItem) {
    menu_cursor = 6;
    begin_frame();
    draw_main_menu();

    EXPECT_TRUE(near(pixel_at(0.335, 0.275), tinted(1, 0.7))) << "pointer left of item 6";
    EXPECT_TRUE(near(pixel_at(0.37, 0.275), tinted(1, 0.7)));
    EXPECT_EQ(pixel_at(0.335, 0.525), rgb(0, 0, 0)) << "no pointer at item 1";
    expect_items_with_bright(6);
    // Item bands: item 1 starts at 0.55 and item 6 ends at 0.25.
    EXPECT_EQ(pixel_at(0.5, 0.555), rgb(0, 0, 0));
    EXPECT_EQ(pixel_at(0.5, 0.245), rgb(0, 0, 0));
}

TEST_F(MainMenuTest, StatusLineShowsTheProfileAndTheVersion) {
    menu_cursor = 3;
    begin_frame();
    draw_main_menu();
    EXPECT_TRUE(shows_exactly(hint_colour(), 1.0, 0.7, 0.7, {0, 0, 800, 40},
                              {{0.01f, 0.01f, GLUT_BITMAP_TIMES_ROMAN_10, "active profile: pilot"},
                               {0.84f, 0.01f, GLUT_BITMAP_TIMES_ROMAN_10, "version: 2008.02.09 PD [Wii]"}}));
}

TEST_F(MainMenuTest, AVeryLongProfileNameIsCutToWhatTheStatusLineHolds) {
    const std::string name(300, 'i');
    profile_name = name.c_str();
    begin_frame();
    draw_main_menu();
    // 64 bytes: the 16-character prefix, 47 characters of the name and the end.
    EXPECT_TRUE(shows_exactly(hint_colour(), 1.0, 0.7, 0.7, {0, 0, 800, 40},
                              {{0.01f, 0.01f, GLUT_BITMAP_TIMES_ROMAN_10, "active profile: " + name.substr(0, 47)},
                               {0.84f, 0.01f, GLUT_BITMAP_TIMES_ROMAN_10, "version: 2008.02.09 PD [Wii]"}}));
}

// A name the desktop typed in UTF-8 shows the font's own letter for its u-umlaut.
TEST_F(MainMenuTest, AProfileNameTypedInUtf8ShowsItsLatin1Letters) {
    profile_name = "J\xC3\xBCrgen";
    begin_frame();
    draw_main_menu();
    const auto shown = colour_mask(hint_colour(), {0, 0, 560, 40});
    begin_frame();
    glColor3d(1.0, 0.7, 0.7);
    glRasterPos2f(0.01f, 0.01f);
    glutBitmapString(GLUT_BITMAP_TIMES_ROMAN_10, reinterpret_cast<const unsigned char*>("active profile: J\xFCrgen"));
    EXPECT_EQ(shown, colour_mask(hint_colour(), {0, 0, 560, 40}));
}

TEST_F(MainMenuTest, StarsFillOnlyWhatTheMenuLeftFree) {
    menu_cursor = 1;
    for (Star& star : starfield) star = {0.5, 0.475, 0.0};  // behind item 2
    starfield[0] = {0.2, 0.5, 0.0};                       // in the open
    begin_frame();
    draw_main_menu();
    EXPECT_TRUE(near(pixel_at(0.5, 0.475), tinted(3, 0.7))) << "the item drawn before the stars stays in front";
    EXPECT_TRUE(near(pixel_at(0.2, 0.5), rgb(0.7, 0.5, 0.5))) << pixel_at(0.2, 0.5);
}
