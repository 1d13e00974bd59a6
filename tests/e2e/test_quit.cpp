// Leaving through the main menu's quit item: the settings file appears and
// the engine ends with status 0.
#include <gtest/gtest.h>

#include <fstream>

#include "harness.h"
#include "support/default_settings_file.h"

TEST(Quit, QuitItemWritesTheDefaultSettingsFileAndExits0) {
    GameRun game;
    game.start({"pilot"});
    ASSERT_NE(game.wait_for_window(), "");
    GameRun::wait_frames(5);
    EXPECT_EQ(game.file("settings.cfg"), "") << "nothing is written before quitting";

    game.key("Escape");  // skip the intro
    GameRun::wait_frames(3);
    game.key("Up");  // from the first item up to the last: quit
    GameRun::wait_frames(3);
    game.key("Return");

    ASSERT_EQ(game.wait_exit(10000), 0) << game.out() << game.err();
    EXPECT_EQ(game.file("settings.cfg"), DEFAULT_SETTINGS_FILE);
}

TEST(Quit, SettingsChangedInTheMenuAreWrittenAndReadAtTheNextStart) {
    GameRun game;
    game.start({"pilot"});
    ASSERT_NE(game.wait_for_window(), "");
    GameRun::wait_frames(5);
    game.key("Escape");
    GameRun::wait_frames(3);
    for (const char* key : {"Down", "Down", "Return"}) {  // item 3: the settings menu
        game.key(key);
        GameRun::wait_frames(3);
    }
    for (const char* key : {"Down", "Down", "Return", "Return"}) {  // sound volume 5 -> 7
        game.key(key);
        GameRun::wait_frames(3);
    }
    for (const char* key : {"Escape", "Up", "Up", "Up", "Return"}) {  // back, up from item 3 to 6, quit
        game.key(key);
        GameRun::wait_frames(3);
    }
    ASSERT_EQ(game.wait_exit(10000), 0) << game.out() << game.err();
    std::string text = game.file("settings.cfg");
    EXPECT_NE(text.find("\nsfxvol=7\n"), std::string::npos) << text;

    // The next start reads it: the version line, and the volume shown by quitting at once.
    GameRun next;
    std::ofstream(next.folder() + "/settings.cfg") << text;
    next.start({"pilot"});
    EXPECT_TRUE(next.wait_for_output("Configuration file found, file version: 1.1\n")) << next.out();
    ASSERT_NE(next.wait_for_window(), "");
    GameRun::wait_frames(5);
    for (const char* key : {"Escape", "Up", "Return"}) {
        next.key(key);
        GameRun::wait_frames(3);
    }
    ASSERT_EQ(next.wait_exit(10000), 0);
    EXPECT_EQ(next.file("settings.cfg"), text);
}
