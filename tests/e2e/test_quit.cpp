// Leaving through the main menu's quit item: the settings file appears and
// the engine ends with status 0.
#include <gtest/gtest.h>

#include <fstream>

#include "harness.h"

namespace {

// What the engine writes for the default settings and an untouched table.
const char* const DEFAULT_FILE =
    "[ver]\nid=1.1\n\n[video]\nfullscreen=0\n\n[sound]\nsfx=1\nmusic=1\nsfxvol=5\nmusicvol=5\n\n"
    "[scores]\n"
    "1=0\n1n=EMPTY\n1s=-1\n2=0\n2n=EMPTY\n2s=-1\n3=0\n3n=EMPTY\n3s=-1\n4=0\n4n=EMPTY\n4s=-1\n"
    "5=0\n5n=EMPTY\n5s=-1\n6=0\n6n=EMPTY\n6s=-1\n7=0\n7n=EMPTY\n7s=-1\n8=0\n8n=EMPTY\n8s=-1\n"
    "9=0\n9n=EMPTY\n9s=-1\n10=0\n10n=EMPTY\n10s=-1\n"
    "checksum=0\n";

}  // namespace

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
    EXPECT_EQ(game.file("settings.cfg"), DEFAULT_FILE);
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
