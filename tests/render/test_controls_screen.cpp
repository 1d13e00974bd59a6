// The controls screen: the remote's layout on the left, the keyboard's on the
// right, both at full brightness under the dim banner.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/screen_state.h"
#include "app/startup.h"
#include "menus/screens.h"
#include "test_menu_fixtures.h"

TEST(ControlsScreen, TwoLayoutsSideBySideWithStatusLineAndHint) {
    MenuPictures pictures{0, 1, 2};
    screen_state = STATE_CONTROLS;
    profile_name = "pilot";
    park_stars();
    begin_frame();
    draw_controls_screen();

    EXPECT_TRUE(near(pixel_at(0.5, 0.80), tinted(0, 0.7))) << "banner";
    EXPECT_TRUE(near(pixel_at(0.06, 0.2), tinted(1, 1.0))) << "remote layout";
    EXPECT_TRUE(near(pixel_at(0.46, 0.71), tinted(1, 1.0)));
    EXPECT_TRUE(near(pixel_at(0.53, 0.2), tinted(2, 1.0))) << "keyboard layout";
    EXPECT_TRUE(near(pixel_at(0.93, 0.71), tinted(2, 1.0)));
    EXPECT_EQ(pixel_at(0.495, 0.45), rgb(0, 0, 0)) << "gap between the two";
    EXPECT_EQ(pixel_at(0.5, 0.185), rgb(0, 0, 0));
    EXPECT_EQ(pixel_at(0.5, 0.73), rgb(0, 0, 0));

    EXPECT_TRUE(shows_exactly(hint_colour(), 1.0, 0.7, 0.7, {0, 0, 800, 40},
                              {{0.01f, 0.01f, GLUT_BITMAP_TIMES_ROMAN_10, "active profile: pilot"},
                               {0.84f, 0.01f, GLUT_BITMAP_TIMES_ROMAN_10, "version: 2008.02.09 PD [Wii]"},
                               {0.32f, 0.035f, GLUT_BITMAP_TIMES_ROMAN_10,
                                "Press [esc] or button 1 (Wii-mote) to return to the settings menu"}}));
}
