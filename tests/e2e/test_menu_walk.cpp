// A player's walk through every menu screen of the real engine, with a
// screenshot of each for the docs. Each screen is recognised by where its
// pictures put content on the screen (stars aside).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "harness.h"

namespace {

namespace fs = std::filesystem;

// Share of the pixels in the game-unit rectangle that hold something other
// than black or a star (the stars are all one colour).
double content(const Screenshot& shot, double x0, double y0, double x1, double y1) {
    int total = 0, filled = 0;
    for (int px = static_cast<int>(x0 * 800); px < static_cast<int>(x1 * 800); ++px)
        for (int py = 600 - static_cast<int>(y1 * 600); py < 600 - static_cast<int>(y0 * 600); ++py) {
            const Pixel p = shot.at_px(px, py);
            ++total;
            const bool black = p.r == 0 && p.g == 0 && p.b == 0;
            const bool star = std::abs(p.r - 178) <= 2 && std::abs(p.g - 128) <= 2 && std::abs(p.b - 128) <= 2;
            if (!black && !star) ++filled;
        }
    return total ? static_cast<double>(filled) / total : 0.0;
}

int star_pixels(const Screenshot& shot) {
    int n = 0;
    for (const Pixel& p : shot.pixels)
        n += std::abs(p.r - 178) <= 2 && std::abs(p.g - 128) <= 2 && std::abs(p.b - 128) <= 2;
    return n;
}

// Regions the screens fill differently.
double banner(const Screenshot& s) { return content(s, 0.18, 0.75, 0.82, 0.85); }
double main_items(const Screenshot& s) { return content(s, 0.38, 0.25, 0.66, 0.55); }
double setting_values(const Screenshot& s) { return content(s, 0.70, 0.60, 0.78, 0.70); }
double restart_notice(const Screenshot& s) { return content(s, 0.70, 0.40, 1.00, 0.45); }
double stage_title(const Screenshot& s) { return content(s, 0.30, 0.60, 0.96, 0.66); }
double big_logo(const Screenshot& s) { return content(s, 0.30, 0.40, 0.70, 0.62); }

bool is_intro(const Screenshot& s) { return star_pixels(s) < 20 && banner(s) < 0.01 && big_logo(s) > 0.05; }
bool is_main_menu(const Screenshot& s) {
    return banner(s) > 0.3 && main_items(s) > 0.1 && setting_values(s) < 0.02 && stage_title(s) < 0.02;
}
bool is_settings(const Screenshot& s) { return banner(s) > 0.3 && setting_values(s) > 0.1 && stage_title(s) < 0.15; }
bool is_controls(const Screenshot& s) {
    return banner(s) > 0.3 && content(s, 0.05, 0.19, 0.47, 0.72) > 0.2 && content(s, 0.52, 0.19, 0.94, 0.72) > 0.15;
}
bool is_stage_select(const Screenshot& s) { return banner(s) > 0.3 && stage_title(s) > 0.2 && main_items(s) < 0.02; }
bool is_high_scores(const Screenshot& s) { return banner(s) > 0.3 && content(s, 0.18, 0.22, 0.82, 0.65) > 0.9; }
bool is_ship_select(const Screenshot& s) {
    return banner(s) < 0.01 && content(s, 0.18, 0.85, 0.82, 0.91) > 0.1 && content(s, 0.18, 0.10, 0.82, 0.21) > 0.1;
}
bool is_credits(const Screenshot& s) {
    return star_pixels(s) > 100 && banner(s) < 0.01 && content(s, 0.18, 0.85, 0.82, 0.91) < 0.01 && big_logo(s) > 0.05;
}

const std::string SHOTS = std::string(BUILD_DIR) + "/screenshots";

bool pictures_present() { return fs::exists(std::string(GAME_DIR) + "/tex/tex_logo_kro.tga"); }

// Presses a key and gives the game a few frames to show its effect.
void press(const GameRun& game, const std::string& key) {
    game.key(key);
    GameRun::wait_frames(4);
}

// Waits up to `frames` frames for the screen to satisfy `test`; the last screenshot.
template <typename Test>
Screenshot wait_for_screen(const GameRun& game, Test test, int frames = 50) {
    Screenshot shot = game.screenshot();
    for (int waited = 0; !test(shot) && waited < frames; waited += 5) {
        GameRun::wait_frames(5);
        shot = game.screenshot();
    }
    return shot;
}

}  // namespace

TEST(MenuWalk, EveryScreenWithThePlayersKeys) {
    ASSERT_TRUE(pictures_present()) << "the generated pictures belong in the game folder";
    fs::create_directories(SHOTS);
    GameRun game;
    game.start({"pilot"});
    ASSERT_NE(game.wait_for_window(), "");

    // The intro at about its brightest.
    GameRun::wait_frames(100);
    Screenshot shot = game.screenshot();
    ASSERT_TRUE(is_intro(shot)) << "intro";
    game.save_png(SHOTS + "/logo_intro.png");

    press(game, "Escape");
    shot = wait_for_screen(game, is_main_menu, 10);
    ASSERT_TRUE(is_main_menu(shot)) << "Esc skips the intro";
    game.save_png(SHOTS + "/menu_main.png");

    // Item 3: settings. Switch the video mode twice: windowed again, but the notice stays.
    press(game, "Down");
    press(game, "Down");
    press(game, "Return");
    ASSERT_TRUE(is_settings(wait_for_screen(game, is_settings)));
    for (int n = 0; n < 4; ++n) press(game, "Down");
    press(game, "Return");
    press(game, "Return");
    shot = game.screenshot();
    ASSERT_TRUE(is_settings(shot));
    EXPECT_GT(restart_notice(shot), 0.05) << "restart notice after two switches";
    game.save_png(SHOTS + "/menu_settings.png");

    // Row 6: the controls screen, and back.
    press(game, "Down");
    press(game, "Return");
    ASSERT_TRUE(is_controls(wait_for_screen(game, is_controls))) << "controls";
    game.save_png(SHOTS + "/menu_controls.png");
    press(game, "Escape");
    ASSERT_TRUE(is_settings(wait_for_screen(game, is_settings)));
    press(game, "Escape");
    ASSERT_TRUE(is_main_menu(wait_for_screen(game, is_main_menu)));

    // Item 2: stage select (the cursor is still on 3).
    press(game, "Up");
    press(game, "Return");
    ASSERT_TRUE(is_stage_select(wait_for_screen(game, is_stage_select))) << "stage select";
    game.save_png(SHOTS + "/menu_stage_select.png");
    press(game, "Escape");
    ASSERT_TRUE(is_main_menu(wait_for_screen(game, is_main_menu)));

    // Item 4: high scores.
    press(game, "Down");
    press(game, "Down");
    press(game, "Return");
    ASSERT_TRUE(is_high_scores(wait_for_screen(game, is_high_scores))) << "high scores";
    game.save_png(SHOTS + "/menu_high_scores.png");
    press(game, "Escape");
    ASSERT_TRUE(is_main_menu(wait_for_screen(game, is_main_menu)));

    // Item 5: credits, a second into the scroll.
    press(game, "Down");
    press(game, "Return");
    GameRun::wait_frames(25);
    ASSERT_TRUE(is_credits(wait_for_screen(game, is_credits))) << "credits";
    game.save_png(SHOTS + "/menu_credits.png");
    press(game, "Escape");
    ASSERT_TRUE(is_main_menu(wait_for_screen(game, is_main_menu)));

    // Item 1: ship select, one fighter to the right.
    for (int n = 0; n < 4; ++n) press(game, "Up");
    press(game, "Return");
    ASSERT_TRUE(is_ship_select(wait_for_screen(game, is_ship_select))) << "ship select";
    press(game, "Right");
    game.save_png(SHOTS + "/menu_ship_select.png");
    press(game, "Escape");
    ASSERT_TRUE(is_main_menu(wait_for_screen(game, is_main_menu)));

    // Item 6: quit, which saves the settings: windowed, after the two switches.
    press(game, "Up");
    press(game, "Return");
    EXPECT_EQ(game.wait_exit(5000), 0);
    EXPECT_NE(game.file("settings.cfg").find("fullscreen=0\n"), std::string::npos);
}

TEST(MenuWalk, TheIntroHandsOverToTheMainMenuByItself) {
    ASSERT_TRUE(pictures_present()) << "the generated pictures belong in the game folder";
    GameRun game;
    game.start({"pilot"});
    ASSERT_NE(game.wait_for_window(), "");
    GameRun::wait_frames(200);
    EXPECT_FALSE(is_main_menu(game.screenshot())) << "still in the intro after 200 frames";
    // 283 frames at most 25 a second: give a slow machine some room.
    Screenshot shot = wait_for_screen(game, is_main_menu, 250);
    EXPECT_TRUE(is_main_menu(shot));
}
