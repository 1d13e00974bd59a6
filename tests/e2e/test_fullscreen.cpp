// A settings file that asks for full screen on a display that cannot switch
// modes (Xvfb): the engine says so and fills the screen with a full-screen
// window, its 800x600 picture scaled to the largest 4:3 area between black bars.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <functional>

#include "harness.h"

namespace {

const char* const FULL_SCREEN_SETTINGS = "[ver]\nid=1.1\n\n[video]\nfullscreen=1\n";
const char* const SCALED_LINE =
    "Full-screen mode 800x600:16@60 is not available; playing in a full-screen window, the picture scaled to fit\n";

std::string geometry_of(const GameRun& game, const std::string& window) {
    std::string geometry;
    run_command({"xdotool", "getwindowgeometry", window}, game.display(), &geometry);
    return geometry;
}

// Where the 800x600 picture lies on the screen: its top-left corner and scale.
struct Placement {
    int left, top;
    double scale;
};

struct Box {
    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;  // screen pixels, last ones included
};

// The box around the pixels `keep` accepts, searched in the rectangle
// [x0,x1) x [y0,y1) of picture pixels (top-left origin) placed by `at`.
Box box_of(const Screenshot& shot, Placement at, int x0, int y0, int x1, int y1,
           const std::function<bool(const Pixel&)>& keep) {
    Box box;
    for (int y = at.top + static_cast<int>(y0 * at.scale); y < at.top + static_cast<int>(y1 * at.scale); ++y)
        for (int x = at.left + static_cast<int>(x0 * at.scale); x < at.left + static_cast<int>(x1 * at.scale); ++x)
            if (keep(shot.at_px(x, y))) {
                box.x0 = std::min(box.x0, x), box.x1 = std::max(box.x1, x);
                box.y0 = std::min(box.y0, y), box.y1 = std::max(box.y1, y);
            }
    return box;
}

// The stars are (178, 128, 128) and, filtered, darker shades of it: none of
// these tests take them.
bool banner_red(const Pixel& p) { return p.r > 60 && p.r >= 1.7 * p.g; }
bool menu_grey(const Pixel& p) {
    return p.r > 150 && std::abs(p.r - p.g) < 20 && std::abs(p.g - p.b) < 20;
}
bool status_text(const Pixel& p) { return p.r > 180; }

// The main menu: Esc skips the intro (again, should a busy machine have let
// the first press pass before the game took keys; the menu ignores Esc).
Screenshot main_menu_of(const GameRun& game, Placement at) {
    if (game.wait_for_window().empty()) return {};
    Screenshot shot;
    for (int attempt = 0; attempt < 10; ++attempt) {
        game.key("Escape");
        GameRun::wait_frames(10);
        shot = game.screenshot();
        if (!shot.valid()) continue;
        const Box banner = box_of(shot, at, 100, 60, 700, 170, banner_red);
        if (banner.x1 - banner.x0 > 400 * at.scale) break;  // wide enough for the scale asked
    }
    return shot;
}

int lit_rows(const Screenshot& shot, int first, int last) {
    int lit = 0;
    for (int y = first; y <= last; ++y)
        for (int x = 0; x < shot.width; ++x) {
            const Pixel p = shot.at_px(x, y);
            lit += p.r || p.g || p.b;
        }
    return lit;
}

}  // namespace

TEST(Fullscreen, WithoutGameModeTheEngineFillsTheScreenWithAWindow) {
    GameRun game;
    std::ofstream(game.folder() + "/settings.cfg") << FULL_SCREEN_SETTINGS;
    game.start({"pilot"});

    ASSERT_TRUE(game.wait_for_output(SCALED_LINE)) << game.out() << game.err();
    EXPECT_NE(game.out().find("Configuration file found, file version: 1.1\n"), std::string::npos);

    std::string window = game.wait_for_window("^Korvane Arcade \\[Playable Demo, Wii-mote controlled\\]$");
    ASSERT_NE(window, "");
    EXPECT_NE(geometry_of(game, window).find("Geometry: 800x600"), std::string::npos) << "the whole 800x600 screen";

    // The game goes on: the intro can be skipped and the menu runs.
    game.key("Escape");
    GameRun::wait_frames(10);
    EXPECT_TRUE(game.running());
}

TEST(Fullscreen, OnA1280x1024ScreenTheMenuIsThe800x600OneScaledTo1280x960BetweenBarsOf32Rows) {
    GameRun windowed;  // the plain 800x600 window: the layout to compare with
    windowed.start({"pilot"});
    const Placement window_placement{0, 0, 1.0}, scaled_placement{0, 32, 1.6};
    const Screenshot reference = main_menu_of(windowed, window_placement);
    ASSERT_TRUE(reference.valid());
    // The window keeps its size: the game puts it back to 800x600.
    const std::string window = windowed.wait_for_window();
    run_command({"xdotool", "windowsize", window, "640", "480"}, windowed.display());
    GameRun::wait_frames(5);
    EXPECT_NE(geometry_of(windowed, window).find("Geometry: 800x600"), std::string::npos);

    GameRun game("1280x1024x24");
    std::ofstream(game.folder() + "/settings.cfg") << FULL_SCREEN_SETTINGS;
    game.start({"pilot"});
    ASSERT_TRUE(game.wait_for_output(SCALED_LINE)) << game.out() << game.err();
    const Screenshot shot = main_menu_of(game, scaled_placement);
    ASSERT_EQ(shot.width, 1280);
    ASSERT_EQ(shot.height, 1024);
    EXPECT_NE(geometry_of(game, game.wait_for_window()).find("Geometry: 1280x1024"), std::string::npos);

    EXPECT_EQ(lit_rows(shot, 0, 31), 0) << "the top bar";
    EXPECT_EQ(lit_rows(shot, 992, 1023), 0) << "the bottom bar";

    // The banner, the menu items with the pointer, and the status line's bitmap
    // text: each where the window shows it, 1.6 times as far from the corner
    // and 1.6 times as large.
    struct Part {
        const char* name;
        int x0, y0, x1, y1;  // where to look, in picture pixels
        bool (*keep)(const Pixel&);
    };
    const Part parts[] = {
        {"banner", 100, 60, 700, 170, banner_red},
        {"menu items", 250, 250, 560, 470, menu_grey},
        {"status line", 0, 570, 360, 600, status_text},
    };
    for (const Part& part : parts) {
        SCOPED_TRACE(part.name);
        const Box in_window = box_of(reference, window_placement, part.x0, part.y0, part.x1, part.y1, part.keep);
        const Box scaled = box_of(shot, scaled_placement, part.x0, part.y0, part.x1, part.y1, part.keep);
        ASSERT_GT(in_window.x1 - in_window.x0, 20) << "nothing of it found in the window";
        EXPECT_NEAR(scaled.x0, 1.6 * in_window.x0, 3);
        EXPECT_NEAR(scaled.x1 + 1, 1.6 * (in_window.x1 + 1), 3);
        EXPECT_NEAR(scaled.y0, 32 + 1.6 * in_window.y0, 3);
        EXPECT_NEAR(scaled.y1 + 1, 32 + 1.6 * (in_window.y1 + 1), 3);
    }
}
