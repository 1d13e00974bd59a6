// The stage select: one entry, the first stage, bright with the pointer beside it.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/game_values.h"
#include "app/screen_state.h"
#include "app/startup.h"
#include "menus/screens.h"
#include "test_menu_fixtures.h"

namespace {

struct StageSelectTest : testing::Test {
    MenuPictures pictures{0, 1, 2};
    void SetUp() override {
        set_game_start_values();
        screen_state = STATE_STAGE_SELECT;
        profile_name = "pilot";
        park_stars();
    }
};

}  // namespace

TEST_F(StageSelectTest, TheFirstStageIsOfferedBrightWithThePointer) {
    begin_frame();
    draw_stage_select();
    EXPECT_TRUE(near(pixel_at(0.5, 0.80), tinted(0, 0.7))) << "banner";
    EXPECT_TRUE(near(pixel_at(0.255, 0.63), tinted(1, 0.7))) << "pointer";
    EXPECT_TRUE(near(pixel_at(0.6, 0.63), tinted(2, 1.0))) << "stage title";
    EXPECT_TRUE(near(pixel_at(0.95, 0.63), tinted(2, 1.0)));
    EXPECT_EQ(pixel_at(0.29, 0.63), rgb(0, 0, 0)) << "gap between pointer and title";
    EXPECT_EQ(pixel_at(0.6, 0.595), rgb(0, 0, 0));
}

TEST_F(StageSelectTest, AnyOtherValueDimsTheTitle) {
    stages_unlocked = 0;
    begin_frame();
    draw_stage_select();
    EXPECT_TRUE(near(pixel_at(0.6, 0.63), tinted(2, 0.7)));
}

TEST_F(StageSelectTest, HintButNoStatusLine) {
    begin_frame();
    draw_stage_select();
    EXPECT_TRUE(shows_exactly(hint_colour(), 1.0, 0.7, 0.7, {0, 0, 800, 40},
                              {{0.115f, 0.035f, GLUT_BITMAP_TIMES_ROMAN_10,
                                "From this menu you can play any stage you have unlocked in the normal arcade mode. "
                                "Press [esc] or button 1 (Wii-mote) to return back to the main menu."}}));
}
