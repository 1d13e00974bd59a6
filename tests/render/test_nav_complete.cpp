// The fly-out that ends a NAV: its picture and motion each frame, and where it
// leads after 200 frames.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstring>

#include "app/screen_state.h"
#include "app/startup.h"
#include "persist/high_scores.h"
#include "render/sprites.h"
#include "render/textures.h"
#include "stage/frames.h"
#include "test_sprites_pictures.h"

using namespace stage_pictures;

namespace {

void empty_high_scores() {
    for (HighScoreEntry& e : high_scores) {
        e.score = 0;
        snprintf(e.name, sizeof e.name, "%s", "EMPTY");
        e.ship = -1;
    }
}

struct NavCompleteTest : testing::Test {
    void SetUp() override {
        load_white({TEX_NAV_COMPLETE});
        zero_world();
        fresh_player(1, 0.4, 0.3);
        selected_ship = 1;
        nav_completed = 1;
        outro_timer = NAV_OUTRO_FRAMES;
        textures_loaded = 1;
        profile_name = "ace";
        empty_high_scores();
        begin_frame();
    }
};

}  // namespace

TEST_F(NavCompleteTest, EachStepShowsThePictureClimbsAndSlidesThePanelOut) {
    screen_state = STATE_NAV1;
    run_nav_complete(STATE_NAV2);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(near(pixel_at(0.5, 0.495), rgb(1, 0.7, 0.7)));
    // 0.34..0.66 by 0.47..0.52: 256 by 30 window pixels, centred on the whole screen.
    EXPECT_EQ(lit_pixels(0, 0, 800, 600), 256 * 30);
    EXPECT_DOUBLE_EQ(player.y, 0.318);
    EXPECT_DOUBLE_EQ(hud_offset, 0.005);
    EXPECT_EQ(outro_timer, NAV_OUTRO_FRAMES - 1);
    glDisable(GL_TEXTURE_2D);
}

TEST_F(NavCompleteTest, AfterNavOneItEntersNavTwoWithoutTouchingTheTable) {
    screen_state = STATE_NAV1;
    score = 12345;
    HighScoreEntry before[HIGH_SCORE_PLACES];
    memcpy(before, high_scores, sizeof before);

    for (int f = 0; f < NAV_OUTRO_FRAMES - 1; ++f) run_nav_complete(STATE_NAV2);
    EXPECT_EQ(screen_state, STATE_NAV1);
    EXPECT_EQ(textures_loaded, 1);
    run_nav_complete(STATE_NAV2);
    EXPECT_EQ(screen_state, STATE_NAV2);
    EXPECT_EQ(textures_loaded, 0) << "NAV 2's pictures load on the next frame";
    EXPECT_EQ(outro_timer, 0);
    EXPECT_EQ(score, 12345) << "the score carries into NAV 2";
    EXPECT_EQ(memcmp(before, high_scores, sizeof before), 0);
    EXPECT_NEAR(player.y, 0.3 + 200 * 0.018, 1e-9);
    EXPECT_NEAR(hud_offset, 1.0, 1e-9);
    glDisable(GL_TEXTURE_2D);
}

TEST_F(NavCompleteTest, AfterNavTwoItRecordsEvenANoughtAndReturnsToTheMenu) {
    screen_state = STATE_NAV2;
    score = 0;
    for (int f = 0; f < NAV_OUTRO_FRAMES - 1; ++f) run_nav_complete(STATE_MAIN_MENU);
    EXPECT_EQ(screen_state, STATE_NAV2);
    EXPECT_STREQ(high_scores[0].name, "EMPTY");
    run_nav_complete(STATE_MAIN_MENU);

    EXPECT_STREQ(high_scores[0].name, "ace") << "a score of 0 is entered all the same";
    EXPECT_EQ(high_scores[0].score, 0);
    EXPECT_EQ(high_scores[0].ship, 1);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(textures_loaded, 0);
    EXPECT_EQ(nav_completed, 0) << "the game was reset";
    EXPECT_EQ(hud_offset, 0.26);
    glDisable(GL_TEXTURE_2D);
}

TEST_F(NavCompleteTest, ATimerAlreadySpentEndsAtOnceInsteadOfRunningOn) {
    screen_state = STATE_NAV1;
    outro_timer = 0;
    run_nav_complete(STATE_NAV2);
    EXPECT_EQ(screen_state, STATE_NAV2);
    glDisable(GL_TEXTURE_2D);
}
