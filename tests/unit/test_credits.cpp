// The credits: the logo and the headed lines rise 0.002 a frame and re-enter
// from below once the block reaches 1.5.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/game_values.h"
#include "app/screen_state.h"
#include "input/keys.h"
#include "input/screen_keys.h"
#include "menus/screens.h"
#include "render/starfield.h"
#include "render/text.h"
#include "render/textures.h"
#include "support/gl_pixels.h"
#include "support/scratch_dir.h"

namespace {

const Rgb LOGO = rgb(200 / 255.0, 200 / 255.0, 200 / 255.0);
const Rgb HEADING = rgb(1.0, 0.7, 0.7);
const Rgb CREDIT = rgb(1.0, 0.0, 0.0);

// Which pixels of the window box [x0, x1) x [y0, y1) hold `colour`.
std::vector<bool> mask_of(const Rgb& colour, int x0, int y0, int x1, int y1) {
    std::vector<unsigned char> p(static_cast<size_t>(x1 - x0) * (y1 - y0) * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x0, y0, x1 - x0, y1 - y0, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    std::vector<bool> mask(p.size() / 4);
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = near({p[i * 4], p[i * 4 + 1], p[i * 4 + 2]}, colour, 1);
    return mask;
}

int count_of(const Rgb& colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (bool b : mask_of(colour, x0, y0, x1, y1)) n += b;
    return n;
}

struct CreditsTest : testing::Test {
    ScratchDir dir;
    void SetUp() override {
        unsigned char px[2 * 2 * 3];
        for (unsigned char& byte : px) byte = 200;
        write_tga("logo.tga", 2, 2, 24, px);
        ASSERT_EQ(load_tga_texture("logo.tga", 0), TGA_LOADED);
        set_game_start_values();
        screen_state = STATE_CREDITS;
        for (Star& star : starfield) star = {0.999, 0.999, 0.0};
    }
    static void frame() {
        begin_frame();
        draw_credits();
    }
    // Frames whose pixels nobody reads: drawn without clearing first.
    static void frames(int count) {
        for (int n = 0; n < count; ++n) draw_credits();
    }
};

}  // namespace

TEST_F(CreditsTest, FirstFrameHasTheLogoInTheMiddleAndTheFirstHeadingBelowIt) {
    frame();
    EXPECT_EQ(pixel_at(0.5, 0.36), LOGO);
    EXPECT_EQ(pixel_at(0.5, 0.64), LOGO);
    EXPECT_EQ(pixel_at(0.26, 0.5), LOGO);
    EXPECT_EQ(pixel_at(0.5, 0.345), rgb(0, 0, 0));
    EXPECT_EQ(pixel_at(0.24, 0.5), rgb(0, 0, 0));
    EXPECT_DOUBLE_EQ(credits_scroll, 0.002);

    // Headings and credit lines start at x 0.35 (280 px) and nothing lies left of it but the logo.
    EXPECT_EQ(count_of(HEADING, 0, 0, 280, 200), 0);
    EXPECT_EQ(count_of(CREDIT, 0, 0, 280, 200), 0);
    // The first heading stands 0.002 higher than its place under the logo (0.302, not 0.300).
    const std::vector<bool> drawn = mask_of(HEADING, 280, 170, 800, 200);
    begin_frame();
    glColor3f(1.0f, 0.7f, 0.7f);
    draw_text(0.35f, 0.302f, GLUT_BITMAP_HELVETICA_12, "CODING (ENGINE AND GRAPHICS)");
    EXPECT_EQ(drawn, mask_of(HEADING, 280, 170, 800, 200));
}

TEST_F(CreditsTest, HeadingsAndLinesAlternateDownTheBlock) {
    credits_scroll = 0.598;  // the whole list above the bottom edge, the logo above the top
    frame();
    const double s = credits_scroll;
    auto row = [s](double y) { return static_cast<int>((s + y) * 600.0); };
    for (double heading : {0.30, 0.23, 0.16, 0.09, 0.02, -0.05, -0.12, -0.25, -0.36})
        EXPECT_GT(count_of(HEADING, 280, row(heading), 800, row(heading) + 8), 10) << "heading at " << heading;
    for (double line : {0.28, 0.21, 0.14, 0.07, 0.0, -0.07, -0.14, -0.16, -0.18, -0.20, -0.27, -0.29, -0.31, -0.38,
                        -0.40, -0.42})
        EXPECT_GT(count_of(CREDIT, 280, row(line), 800, row(line) + 8), 10) << "credit line at " << line;
    // The four closing lines, in the small font, each from its own x.
    for (auto [x, y] : {std::pair{0.42, -0.47}, {0.22, -0.49}, {0.32, -0.51}, {0.43, -0.53}}) {
        const int px = static_cast<int>(x * 800.0);
        EXPECT_GT(count_of(HEADING, px, row(y), px + 40, row(y) + 7), 5) << "closing line at " << y;
        EXPECT_EQ(count_of(HEADING, px - 30, row(y) + 1, px, row(y) + 6), 0) << "nothing before x " << x;
    }
}

TEST_F(CreditsTest, Frame750ReachesTheTopAndTheBlockReentersFromBelow) {
    frames(749);
    EXPECT_LT(credits_scroll, 1.5);
    EXPECT_GT(credits_scroll, 1.497);

    frame();  // frame 750: its texts stand at 1.5, then the offset jumps
    EXPECT_EQ(credits_scroll, -0.6);
    EXPECT_GT(count_of(HEADING, 340, 580, 500, 600), 5) << "the last closing lines at the top edge";

    frame();  // only the top strip of the logo, no text yet
    EXPECT_EQ(pixel_at(0.5, 0.02), LOGO);
    EXPECT_EQ(pixel_at(0.5, 0.06), rgb(0, 0, 0));
    EXPECT_EQ(count_of(HEADING, 0, 0, 800, 600), 0);
    EXPECT_EQ(count_of(CREDIT, 0, 0, 800, 600), 0);
}

TEST_F(CreditsTest, ARoundFromTheBottomTakes1050Frames) {
    credits_scroll = -0.6;
    int count = 0;
    do {
        draw_credits();
        ++count;
    } while (credits_scroll != -0.6 && count < 5000);
    EXPECT_EQ(count, 1050);
    EXPECT_EQ(credits_scroll, -0.6);
}

TEST_F(CreditsTest, LeavingAndComingBackStartsFromTheBeginning) {
    frames(300);
    keyboard_callback(KEY_ESC, 0, 0);
    ASSERT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(credits_scroll, 0.0);

    menu_cursor = 5;
    keyboard_callback(KEY_ENTER, 0, 0);
    ASSERT_EQ(screen_state, STATE_CREDITS);
    frame();
    EXPECT_EQ(pixel_at(0.5, 0.36), LOGO);
    EXPECT_EQ(pixel_at(0.5, 0.345), rgb(0, 0, 0));
}

TEST_F(CreditsTest, EveryHeadingIsWordedAsTheCreditsNameIt) {
    credits_scroll = 0.598;
    frame();
    const double s = credits_scroll;
    // Above the closing lines, which share the headings' colour.
    const std::vector<bool> drawn = mask_of(HEADING, 280, 130, 800, 600);
    begin_frame();
    glColor3f(1.0f, 0.7f, 0.7f);
    const std::pair<double, const char*> headings[] = {
        {0.30, "CODING (ENGINE AND GRAPHICS)"}, {0.23, "GAME DESIGN AND TEXTURE COMPILER"},
        {0.16, "TEXTURES / MUSIC / SFX"},       {0.09, "BIG 'PILVET' MODEL (MENU)"},
        {0.02, "BIG 'VESKER' MODEL (MENU)"},    {-0.05, "KORVANE FONT"},
        {-0.12, "GAMEPLAY TESTERS"},            {-0.25, "LIBRARIES USED"},
        {-0.36, "SPECIAL THANKS TO"},
    };
    for (const auto& [y, text] : headings) draw_text(0.35f, static_cast<float>(s + y), GLUT_BITMAP_HELVETICA_12, text);
    const std::vector<bool> expected = mask_of(HEADING, 280, 130, 800, 600);
    EXPECT_GT(std::count(expected.begin(), expected.end(), true), 9 * 100) << "every heading lights pixels";
    EXPECT_EQ(drawn, expected);
}
