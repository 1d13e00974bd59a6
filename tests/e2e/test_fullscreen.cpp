// A settings file that asks for full-screen game mode on a display that cannot
// switch modes (Xvfb): the engine says so and plays in its usual window.
#include <gtest/gtest.h>

#include <fstream>

#include "harness.h"

TEST(Fullscreen, WithoutGameModeTheEngineFallsBackToThe800x600Window) {
    GameRun game;
    std::ofstream(game.folder() + "/settings.cfg") << "[ver]\nid=1.1\n\n[video]\nfullscreen=1\n";
    game.start({"pilot"});

    ASSERT_TRUE(game.wait_for_output(
        "Full-screen mode 800x600:16@60 is not available; playing in an 800x600 window\n"))
        << game.out() << game.err();
    EXPECT_NE(game.out().find("Configuration file found, file version: 1.1\n"), std::string::npos);

    std::string window = game.wait_for_window("^Korvane Arcade \\[Playable Demo, Wii-mote controlled\\]$");
    ASSERT_NE(window, "");
    std::string geometry;
    run_command({"xdotool", "getwindowgeometry", window}, game.display(), &geometry);
    EXPECT_NE(geometry.find("Geometry: 800x600"), std::string::npos) << geometry;

    // The game goes on: the intro can be skipped and the menu runs.
    game.key("Escape");
    GameRun::wait_frames(10);
    EXPECT_TRUE(game.running());
}
