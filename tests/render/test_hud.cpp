// The HUD: the panel's slide, what shows once it is in, the gauges' colours
// and the picture of the fighter, read back from the screen.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "app/game_values.h"
#include "render/hud.h"
#include "render/textures.h"
#include "test_sprites_pictures.h"

using namespace stage_pictures;

namespace {

const Rgb WHITE = rgb(1, 1, 1);
const Rgb PILVET_PANEL = rgb(0.2, 0.7, 0.2);

struct HudTest : testing::Test {
    void SetUp() override {
        load_white({0, 1, 2, TEX_NAV_MAP, TEX_HUD_PANEL});
        zero_world();
        fresh_player(0, 0.4, 0.05);
        set_game_start_values();
        nav_timer = 0;
        begin_frame();
    }
    // As the stage frames draw it: the HUD, then the panel's slide.
    static void frame() {
        begin_frame();
        draw_hud();
        slide_hud_panel();
    }
};

// White text pixels in the window rectangle around a text's raster position.
int text_pixels(double x, double y, int width = 60) {
    const int px = static_cast<int>(x * 800), py = static_cast<int>(y * 600);
    return pixels_of(WHITE, px, py - 1, px + width, py + 10);
}
int score_pixels() { return text_pixels(0.88, 0.87); }
int damage_pixels() { return text_pixels(0.89, 0.22, 88); }
int notice_pixels() { return text_pixels(0.01, 0.02, 120); }

// White pixels on a pip segment: a strip 2 pixels across the line and 10 along it.
int pip_pixels(double x, double y, bool vertical) {
    const int px = static_cast<int>(x * 800), py = static_cast<int>(y * 600);
    return vertical ? pixels_of(WHITE, px - 1, py - 5, px + 1, py + 5) : pixels_of(WHITE, px - 5, py - 1, px + 5, py + 1);
}
// Pips lit on each side, counting the levels from the inside out; the middles of the segments.
int pips_lit(int side) {
    const double along = side == SIDE_LEFT || side == SIDE_RIGHT ? 0.29 : 0.937;
    const double level[5][3] = {{}, {0.34, 0.345, 0.35}, {0.24, 0.235, 0.23}, {0.9, 0.895, 0.89}, {0.975, 0.98, 0.985}};
    int lit = 0;
    for (int k = 0; k < 3; ++k) {
        const bool vertical = side == SIDE_LEFT || side == SIDE_RIGHT;
        if ((vertical ? pip_pixels(level[side][k], along, true) : pip_pixels(along, level[side][k], false)) > 0)
            lit |= 1 << k;
    }
    return lit;  // bit k set when level k + 1 is drawn
}

}  // namespace

TEST_F(HudTest, WhileSlidingOnlyThePanelIsDrawnAtItsOffset) {
    hud_offset = 0.1;  // panel from 0.94 to 1.1
    score = 1234;
    message_timer = 10;
    snprintf(message_text, sizeof message_text, "%s", "Stars Enabled");
    frame();
    EXPECT_TRUE(near(pixel_at(0.95, 0.5), PILVET_PANEL));
    EXPECT_EQ(pixel_at(0.93, 0.5), rgb(0, 0, 0));
    EXPECT_EQ(pixels_of(WHITE, 0, 0, 800, 600), 0) << "no text";
    EXPECT_EQ(lit_pixels(0, 0, 752, 600), 0) << "no gauge, picture or map left of the panel";
    EXPECT_NEAR(hud_offset, 0.09, 1e-12);
    EXPECT_EQ(message_timer, 10) << "the notice waits for the content";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(HudTest, ContentAppearsFromTheFrameTheOffsetIsExactlyZero) {
    hud_offset = 0.26;
    score = 77;
    int first_content_frame = -1;
    for (int f = 0; f < 40; ++f) {
        const double at_entry = hud_offset;
        frame();
        const bool content = score_pixels() > 0;
        EXPECT_EQ(content, at_entry == 0.0) << "frame " << f << " entered at " << at_entry;
        if (content && first_content_frame < 0) first_content_frame = f;
    }
    // 26 steps of 0.01 overshoot just below 0, the 27th snaps to 0: the 28th frame shows content.
    EXPECT_EQ(first_content_frame, 27);
    EXPECT_EQ(hud_offset, 0.0);
}

TEST_F(HudTest, TheSlideStopsOnceTheNavIsCompleteAndAnOvershootSnapsToZero) {
    hud_offset = 0.1;
    nav_completed = 1;
    frame();
    EXPECT_EQ(hud_offset, 0.1);

    nav_completed = 0;
    hud_offset = -0.005;
    frame();
    EXPECT_EQ(score_pixels(), 0) << "not exactly 0 at the start of the frame";
    EXPECT_EQ(hud_offset, 0.0);
}

TEST_F(HudTest, TextsSitInFrontOfThePanel) {
    score = 4321;
    frame();
    EXPECT_GT(score_pixels(), 10);
    EXPECT_GT(damage_pixels(), 10);
    EXPECT_GT(text_pixels(0.959, 0.414, 33), 10) << "energy percentage";
    EXPECT_GT(text_pixels(0.91, 0.72), 10) << "gun name";
    EXPECT_GT(text_pixels(0.91, 0.68), 10) << "No Missiles";
    EXPECT_TRUE(near(pixel_at(0.85, 0.9), PILVET_PANEL));
}

TEST_F(HudTest, TwoGunNamesOnlyForTheFullGunSets) {
    // The second line's band, clear of the first line's descenders.
    auto second_line = [] { return pixels_of(WHITE, 728, 423, 790, 429); };
    for (int mode = GUN_MODE_LASER; mode < GUN_MODE_COUNT; ++mode) {
        gun_mode = mode;
        frame();
        EXPECT_EQ(second_line() > 0, mode >= GUN_MODE_LASER_ION) << "gun mode " << mode;
        EXPECT_GT(text_pixels(0.91, 0.72), 10) << "gun mode " << mode;
    }
}

TEST_F(HudTest, TheNoticeCountsDownOnlyInFramesThatDrawIt) {
    snprintf(message_text, sizeof message_text, "%s", "Guns switched");
    message_timer = 2;
    hud_offset = 0.05;
    frame();
    EXPECT_EQ(message_timer, 2);
    hud_offset = 0.0;
    frame();
    EXPECT_GT(notice_pixels(), 20);
    EXPECT_EQ(message_timer, 1);
    frame();
    EXPECT_GT(notice_pixels(), 20);
    EXPECT_EQ(message_timer, 0);
    frame();
    EXPECT_EQ(notice_pixels(), 0);
    EXPECT_EQ(message_timer, 0);
}

TEST_F(HudTest, EnergyBarColourAndLengthFollowTheEnergy) {
    struct Case {
        double energy;
        Rgb colour;
    } cases[] = {
        {100, rgb(0.5, 0.5, 0.3)}, {60, rgb(0.5, 0.5, 0.3)}, {59.9, rgb(0.8, 0.5, 0.3)},
        {30, rgb(0.8, 0.5, 0.3)},  {29, rgb(0.7, 0.3, 0.3)}, {5, rgb(0.7, 0.3, 0.3)},
    };
    for (const Case& c : cases) {
        player.gun_energy = c.energy;
        frame();
        EXPECT_TRUE(near(pixel_at(0.877, 0.42), c.colour)) << c.energy << ": " << pixel_at(0.877, 0.42);
    }
    player.gun_energy = 50;  // the bar ends at 0.875 + 0.12 * 0.5 = 0.935
    frame();
    EXPECT_TRUE(near(pixel_at(0.93, 0.42), rgb(0.8, 0.5, 0.3)));
    EXPECT_TRUE(near(pixel_at(0.94, 0.42), PILVET_PANEL));
}

TEST_F(HudTest, FighterPictureReddensAsTheHullGoes) {
    for (int side = 1; side <= 4; ++side) player.shield[side] = 0;  // no read-outs over the picture
    struct Case {
        int hull;
        Rgb colour;
    } cases[] = {  // of 80
        {80, rgb(0.5, 0.3, 0.3)},   {56, rgb(0.5, 0.3, 0.3)},  {55, rgb(0.65, 0.2, 0.2)}, {40, rgb(0.65, 0.2, 0.2)},
        {39, rgb(0.8, 0.15, 0.15)}, {24, rgb(0.8, 0.15, 0.15)}, {23, rgb(1, 0.1, 0.1)},   {-9, rgb(1, 0.1, 0.1)},
    };
    for (const Case& c : cases) {
        player.hull = c.hull;
        frame();
        EXPECT_TRUE(near(pixel_at(0.94, 0.29), c.colour)) << c.hull << ": " << pixel_at(0.94, 0.29);
        // 48 x 48 design pixels from (0.91, 0.25).
        EXPECT_TRUE(near(pixel_at(0.968, 0.328), c.colour)) << c.hull;
        EXPECT_TRUE(near(pixel_at(0.972, 0.29), PILVET_PANEL)) << c.hull;
    }
}

TEST_F(HudTest, ADestroyedPlayerKeepsOnlyScoreNoticeMarkerMapAndPanel) {
    score = 900;
    snprintf(message_text, sizeof message_text, "%s", "Stars Enabled");
    message_timer = 5;
    nav_timer = 750;
    player.hull = -3;
    player_destroyed = 1;
    frame();
    EXPECT_TRUE(near(pixel_at(0.94, 0.29), rgb(0.1, 0.1, 0.1))) << pixel_at(0.94, 0.29);
    EXPECT_GT(score_pixels(), 10);
    EXPECT_GT(notice_pixels(), 10);
    EXPECT_GT(pixels_of(rgb(1, 0.3, 0.3), 716, 290, 722, 310, 1), 0) << "progress marker";
    EXPECT_TRUE(near(pixel_at(0.95, 0.55), rgb(0.8, 0.8, 0.8))) << "map";
    EXPECT_TRUE(near(pixel_at(0.85, 0.9), PILVET_PANEL));

    EXPECT_EQ(damage_pixels(), 0);
    EXPECT_EQ(text_pixels(0.91, 0.72), 0) << "gun names";
    EXPECT_EQ(text_pixels(0.91, 0.68), 0);
    EXPECT_EQ(text_pixels(0.959, 0.414, 33), 0) << "energy percentage";
    EXPECT_TRUE(near(pixel_at(0.877, 0.42), PILVET_PANEL)) << "energy bar";
    for (int side = 1; side <= 4; ++side) EXPECT_EQ(pips_lit(side), 0) << "side " << side;
}

TEST_F(HudTest, ShieldPipsCountTheThresholdsEachSideExceeds) {
    player.shield[SIDE_FRONT] = 250;
    player.shield[SIDE_REAR] = 150;
    player.shield[SIDE_LEFT] = 100;  // not above 100: one pip
    player.shield[SIDE_RIGHT] = 10;  // not above 10: none
    frame();
    EXPECT_EQ(pips_lit(SIDE_FRONT), 0b111);
    EXPECT_EQ(pips_lit(SIDE_REAR), 0b011);
    EXPECT_EQ(pips_lit(SIDE_LEFT), 0b001);
    EXPECT_EQ(pips_lit(SIDE_RIGHT), 0b000);

    player.shield[SIDE_LEFT] = 200.5;
    player.shield[SIDE_RIGHT] = 10.01;
    frame();
    EXPECT_EQ(pips_lit(SIDE_LEFT), 0b111);
    EXPECT_EQ(pips_lit(SIDE_RIGHT), 0b001);
}

TEST_F(HudTest, ABrokenShieldShowsNoNumber) {
    auto right_number = [] { return text_pixels(0.945, 0.285, 22); };
    player.shield[SIDE_RIGHT] = 10;  // 5%
    frame();
    EXPECT_GT(right_number(), 5);
    player.shield[SIDE_RIGHT] = -1;
    frame();
    EXPECT_EQ(right_number(), 0);
    EXPECT_EQ(pips_lit(SIDE_RIGHT), 0);
    player.shield[SIDE_RIGHT] = 0;
    frame();
    EXPECT_EQ(right_number(), 0);
}

TEST_F(HudTest, ProgressMarkerClimbsWithTheNavClock) {
    auto marker_at = [](double y) { return pixels_of(rgb(1, 0.3, 0.3), 716, static_cast<int>(y * 600), 722, static_cast<int>(y * 600) + 1, 1); };
    nav_timer = 0;
    frame();
    EXPECT_EQ(marker_at(0.46), 0);
    nav_timer = 750;  // to 0.455 + 0.095
    frame();
    EXPECT_GT(marker_at(0.545), 0);
    EXPECT_EQ(marker_at(0.555), 0);
    nav_timer = 1500;  // to 0.645
    frame();
    EXPECT_GT(marker_at(0.46), 0);
    EXPECT_GT(marker_at(0.64), 0);
    EXPECT_EQ(marker_at(0.65), 0);
}

TEST(HudPercent, TruncatesTheExactValueAndDoesNotClamp) {
    EXPECT_EQ(hud_percent(80 - 72, 80), 10);     // 1 - 0.9 is not quite 0.1 in floating point
    EXPECT_EQ(hud_percent(29, 100), 29);
    EXPECT_EQ(hud_percent(57.4, 200), 28);
    EXPECT_EQ(hud_percent(80 - (-9), 80), 111);  // damage beyond 100 percent
    EXPECT_EQ(hud_percent(-1, 200), 0);          // truncated toward zero
    EXPECT_EQ(hud_percent(5, 0), 0);             // a record not filled in yet
}
