// The starfield: its colour, its motion by direction, the wrap, and the switch
// that hides it during stage play only.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/game_values.h"
#include "app/screen_state.h"
#include "render/starfield.h"
#include "support/gl_pixels.h"

namespace {

struct StarfieldTest : testing::Test {
    void SetUp() override {
        init_starfield();
        set_game_start_values();
        screen_state = STATE_MAIN_MENU;
        begin_frame();
    }
    // Puts every star on one spot so the tests can watch a single one.
    static void place_all(double x, double y, double speed) {
        for (Star& s : starfield) s = {x, y, speed};
    }
};

}  // namespace

TEST_F(StarfieldTest, InitialisedWithinTheUnitSquare) {
    double sum = 0;
    for (const Star& s : starfield) {
        SCOPED_TRACE(testing::Message() << "star " << &s - starfield);
        EXPECT_GE(s.x, 0.0);
        EXPECT_LE(s.x, 1.0);
        EXPECT_GE(s.y, 0.0);
        EXPECT_LE(s.y, 1.0);
        EXPECT_GE(s.speed, 0.0);
        EXPECT_LE(s.speed, 1.0);
        sum += s.x + s.y + s.speed;
    }
    EXPECT_GT(sum / (3 * STAR_COUNT), 0.4);  // spread out, not all in a corner
    EXPECT_LT(sum / (3 * STAR_COUNT), 0.6);
}

TEST_F(StarfieldTest, MenusDriftLeftStagesFall) {
    place_all(0.5, 0.5, 0.5);
    draw_starfield(0);
    EXPECT_DOUBLE_EQ(starfield[0].x, 0.49);
    EXPECT_DOUBLE_EQ(starfield[0].y, 0.5);
    draw_starfield(1);
    EXPECT_DOUBLE_EQ(starfield[0].x, 0.49);
    EXPECT_DOUBLE_EQ(starfield[0].y, 0.49);
}

TEST_F(StarfieldTest, DrawnAsTwoPixelPointsInTheStarColourAfterMoving) {
    place_all(0.5, 0.5, 0.0);  // a still star: it stays where it is drawn
    draw_starfield(0);
    EXPECT_TRUE(near(pixel_at(0.5, 0.5), rgb(0.7, 0.5, 0.5), 1));
    EXPECT_EQ(lit_pixels(390, 290, 410, 310), 4);  // 2x2 pixels
}

TEST_F(StarfieldTest, ReachingZeroWrapsToExactlyOne) {
    place_all(0.01, 0.3, 0.5);  // moves exactly 0.01: lands on 0 and wraps at once
    draw_starfield(0);
    EXPECT_EQ(starfield[0].x, 1.0);
    draw_starfield(0);
    EXPECT_EQ(starfield[0].x, 1.0 - 0.01);
    EXPECT_DOUBLE_EQ(starfield[0].y, 0.3);

    place_all(0.3, 0.005, 1.0);
    draw_starfield(1);
    EXPECT_EQ(starfield[0].y, 1.0);  // the moved coordinate is set to exactly 1.0
    EXPECT_DOUBLE_EQ(starfield[0].x, 0.3);
}

TEST_F(StarfieldTest, AStarWithoutSpeedNeverMoves) {
    place_all(0.25, 0.75, 0.0);
    for (int i = 0; i < 100; ++i) draw_starfield(i % 2);
    EXPECT_EQ(starfield[0].x, 0.25);
    EXPECT_EQ(starfield[0].y, 0.75);
}

TEST_F(StarfieldTest, HiddenAndStillDuringStagePlayWhenSwitchedOff) {
    place_all(0.5, 0.5, 1.0);
    stars_on = 0;
    for (int state : {2, 3, 50, 99}) {
        screen_state = state;
        draw_starfield(1);
        EXPECT_EQ(starfield[0].y, 0.5) << state;
        EXPECT_EQ(lit_pixels(0, 0, 800, 600), 0) << state;
    }
}

TEST_F(StarfieldTest, MenusShowStarsWhateverTheSwitch) {
    place_all(0.5, 0.5, 1.0);
    stars_on = 0;
    for (int state : {-1, 0, 1, 100, 104}) {
        screen_state = state;
        begin_frame();
        double before = starfield[0].x;
        draw_starfield(0);
        EXPECT_LT(starfield[0].x, before) << state;
        EXPECT_GT(lit_pixels(0, 0, 800, 600), 0) << state;
    }
}

TEST_F(StarfieldTest, SwitchingBackOnResumesFromTheSamePositions) {
    place_all(0.5, 0.5, 1.0);
    screen_state = 2;
    stars_on = 0;
    draw_starfield(1);
    draw_starfield(1);
    stars_on = 1;
    draw_starfield(1);
    EXPECT_DOUBLE_EQ(starfield[0].y, 0.48);
}
