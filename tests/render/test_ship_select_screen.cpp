// The ship select: the chosen fighter's big picture and caption under the
// heading, all in pale red, and two hint lines.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/screen_state.h"
#include "input/keys.h"
#include "input/screen_keys.h"
#include "menus/screens.h"
#include "stage/world.h"
#include "test_menu_fixtures.h"

namespace {

// A picture's colour as the ship select tints it: (1.0, 0.7, 0.7).
Rgb pale(int id) {
    const Rgb c = picture_colour(id);
    return rgb(c.r / 255.0, c.g / 255.0 * 0.7, c.b / 255.0 * 0.7);
}

struct ShipSelectTest : testing::Test {
    MenuPictures pictures{0, 1, 2, 3, 4, 5, 6};
    void SetUp() override {
        screen_state = STATE_SHIP_SELECT;
        park_stars();
    }
    void draw() {
        begin_frame();
        draw_ship_select();
    }
    void expect_fighter(int ship) {
        EXPECT_TRUE(near(pixel_at(0.5, 0.5), pale(ship))) << "big picture of " << ship << ": " << pixel_at(0.5, 0.5);
        EXPECT_TRUE(near(pixel_at(0.5, 0.15), pale(4 + ship))) << "caption of " << ship;
        EXPECT_TRUE(near(pixel_at(0.5, 0.88), pale(3))) << "heading";
    }
};

}  // namespace

TEST_F(ShipSelectTest, EachFighterWithItsCaption) {
    for (int ship = 0; ship < 3; ++ship) {
        SCOPED_TRACE(testing::Message() << "ship " << ship);
        selected_ship = ship;
        draw();
        expect_fighter(ship);
        // Picture and caption span 0.18..0.82; no banner above the heading.
        EXPECT_EQ(pixel_at(0.17, 0.5), rgb(0, 0, 0));
        EXPECT_EQ(pixel_at(0.5, 0.25), rgb(0, 0, 0));
        EXPECT_EQ(pixel_at(0.5, 0.80), rgb(0, 0, 0));
    }
}

TEST_F(ShipSelectTest, AnUnknownFighterShowsOnlyTheHeading) {
    for (int ship : {-1, 3}) {
        SCOPED_TRACE(testing::Message() << "ship " << ship);
        selected_ship = ship;
        draw();
        EXPECT_EQ(pixel_at(0.5, 0.5), rgb(0, 0, 0)) << ship;
        EXPECT_EQ(pixel_at(0.5, 0.15), rgb(0, 0, 0)) << ship;
        EXPECT_TRUE(near(pixel_at(0.5, 0.88), pale(3)));
    }
}

TEST_F(ShipSelectTest, HintLinesButNoStatusLine) {
    selected_ship = 0;
    draw();
    EXPECT_TRUE(shows_exactly(
        hint_colour(), 1.0, 0.7, 0.7, {0, 0, 800, 40},
        {{0.22f, 0.035f, GLUT_BITMAP_TIMES_ROMAN_10,
          "Use the left and right arrow key to cycle through available ships. Press [enter] to select the current ship"},
         {0.31f, 0.02f, GLUT_BITMAP_TIMES_ROMAN_10,
          "Press [esc] or button 1 (Wii-mote) to return back to the main menu."}}));
}

TEST_F(ShipSelectTest, AfterAGameTheFighterFlownLastIsShown) {
    // Start-up shows the Pilvet; the player picks the Brantor with Left and flies.
    selected_ship = 0;
    special_callback(SPECIAL_LEFT, 0, 0);
    ASSERT_EQ(selected_ship, 2);
    keyboard_callback(KEY_ENTER, 0, 0);
    ASSERT_EQ(screen_state, STATE_NAV1);
    reset_game();  // the game ends and returns to the main menu
    ASSERT_EQ(screen_state, STATE_MAIN_MENU);

    menu_cursor = 1;
    keyboard_callback(KEY_ENTER, 0, 0);
    ASSERT_EQ(screen_state, STATE_SHIP_SELECT);
    draw();
    expect_fighter(2);
}
