// Starting the real engine: the launcher check, the loading line and the window.
#include <gtest/gtest.h>

#include "harness.h"

TEST(Startup, WithoutAProfileItRefusesAndOpensNoWindow) {
    GameRun game;
    game.start({}, /*with_display=*/false);  // a window attempt would fail loudly without a display
    EXPECT_EQ(game.wait_exit(5000), 0);
    EXPECT_EQ(game.out(), "ERROR: Do not run the engine directly, run kro.exe instead\n");
    EXPECT_EQ(game.err(), "");

    GameRun with_display;
    with_display.start({});
    EXPECT_EQ(with_display.wait_exit(5000), 0);
    EXPECT_EQ(with_display.wait_for_window("Korvane", 300), "");
}

TEST(Startup, WithAProfileItOpensTheTitled800x600Window) {
    GameRun game;
    game.start({"pilot", "ignored", "arguments"});
    ASSERT_TRUE(game.wait_for_output("Loading: Korvane Arcade - Wii-mote controlled - Please wait...\n\n"));
    EXPECT_EQ(game.out().rfind("Loading: Korvane Arcade", 0), 0u) << "the loading line comes first";
    std::string window = game.wait_for_window("^Korvane Arcade \\[Playable Demo, Wii-mote controlled\\]$");
    ASSERT_NE(window, "");

    std::string geometry;
    run_command({"xdotool", "getwindowgeometry", window}, game.display(), &geometry);
    EXPECT_NE(geometry.find("Geometry: 800x600"), std::string::npos) << geometry;
    EXPECT_TRUE(game.running());
}
