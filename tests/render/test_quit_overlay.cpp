// The quit overlay's frame: where the prompt sits as the panel slides, and the
// stars behind it obeying the stage's stars switch.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>

#include "app/game_values.h"
#include "app/screen_state.h"
#include "render/hud.h"
#include "render/quit_overlay.h"
#include "render/starfield.h"
#include "render/textures.h"
#include "stage/stage_screen.h"
#include "test_sprites_pictures.h"

using namespace stage_pictures;

namespace {

const Rgb PROMPT = rgb(1, 0.7, 0.7);
const Rgb STAR = rgb(0.7, 0.5, 0.5);

struct QuitOverlayTest : testing::Test {
    void SetUp() override {
        load_white({0, 1, 2, TEX_NAV_MAP, TEX_HUD_PANEL, TEX_QUIT_PROMPT});
        zero_world();
        fresh_player(0, 0.4, 0.05);
        set_game_start_values();
        screen_state = STATE_QUIT_OVERLAY;
        for (Star& s : starfield) s = {0.2, 0.8, 0.0};  // all on one still spot
        begin_frame();
    }
    void TearDown() override { stars_on = 1; }

    // True when the prompt's middle row covers x0..x1 and nothing else (give or take an edge pixel).
    static bool prompt_spans(double x0, double x1) {
        const int p0 = static_cast<int>(std::lround(x0 * 800)), p1 = static_cast<int>(std::lround(x1 * 800));
        auto row = [](int from, int to) { return pixels_of(PROMPT, from, 297, to, 298, 1); };
        return row(p0 + 1, p1 - 1) == p1 - p0 - 2 && row(0, p0 - 1) == 0 && row(p1 + 1, 800) == 0;
    }
};

}  // namespace

TEST_F(QuitOverlayTest, CentredOnTheScreenWhileThePanelSlides) {
    hud_offset = 0.1;
    frame_quit_overlay();
    EXPECT_TRUE(prompt_spans(0.42, 0.58));
    EXPECT_EQ(pixels_of(PROMPT, 0, 0, 800, 282, 1), 0) << "nothing below 0.47";
    EXPECT_EQ(pixels_of(PROMPT, 0, 312, 800, 600, 1), 0) << "nothing above 0.52";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(QuitOverlayTest, OnThePlayfieldOnceThePanelIsIn) {
    hud_offset = 0.0;
    frame_quit_overlay();
    EXPECT_TRUE(prompt_spans(0.34, 0.50));
    EXPECT_GT(pixels_of(rgb(1, 1, 1), 700, 515, 780, 535), 0) << "the HUD's content is drawn too";
}

TEST_F(QuitOverlayTest, JumpsToThePlayfieldInTheFrameThePanelArrives) {
    hud_offset = 0.005;  // this frame's slide overshoots below 0: still on its way
    frame_quit_overlay();
    EXPECT_TRUE(prompt_spans(0.42, 0.58));

    begin_frame();  // this frame's HUD snaps the panel in
    frame_quit_overlay();
    EXPECT_EQ(hud_offset, 0.0);
    EXPECT_TRUE(prompt_spans(0.34, 0.50));
}

TEST_F(QuitOverlayTest, StaysCentredWhileTheFlyOutHoldsThePanelOut) {
    hud_offset = 0.3;
    nav_completed = 1;
    for (int f = 0; f < 3; ++f) {
        begin_frame();
        frame_quit_overlay();
    }
    EXPECT_EQ(hud_offset, 0.3);
    EXPECT_TRUE(prompt_spans(0.42, 0.58));
}

TEST_F(QuitOverlayTest, StarsFallBehindItUnlessSwitchedOff) {
    hud_offset = 0.0;
    frame_quit_overlay();
    EXPECT_GT(pixels_near(STAR, 0.2, 0.8, 3, 2), 0);

    stars_on = 0;
    begin_frame();
    frame_quit_overlay();
    EXPECT_EQ(pixels_of(STAR, 0, 0, 800, 600, 2), 0) << "drawn over black";
    EXPECT_TRUE(prompt_spans(0.34, 0.50));
}
