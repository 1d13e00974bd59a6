// Ending the game from outside it: the window manager's close button and the
// signals of a session or a terminal. Each saves what the run changed, as the
// main menu's quit item does, and ends with status 0; the next start reads it.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "harness.h"

namespace {

void press(const GameRun& game, const char* key) {
    game.key(key);
    GameRun::wait_frames(3);
}

// Past the intro into the settings menu, sound volume 5 -> 7, back to the main menu.
void raise_the_sound_volume(const GameRun& game) {
    for (const char* key : {"Escape", "Down", "Down", "Return", "Down", "Down", "Return", "Return", "Escape"})
        press(game, key);
}

// A second start on the saved file, ended by `end`: it must have read the file
// (the version line, and the same file saved again on the way out).
template <typename End>
void next_start_reads(const std::string& saved, End end) {
    GameRun next;
    std::ofstream(next.folder() + "/settings.cfg") << saved;
    next.start({"pilot"});
    EXPECT_TRUE(next.wait_for_output("Configuration file found, file version: 1.1\n")) << next.out();
    const std::string window = next.wait_for_window();
    ASSERT_NE(window, "");
    GameRun::wait_frames(5);
    end(next, window);
    ASSERT_EQ(next.wait_exit(5000), 0) << next.out() << next.err();
    EXPECT_EQ(next.file("settings.cfg"), saved);
}

}  // namespace

TEST(QuitRequests, TheCloseButtonSavesTheChangedSetting) {
    GameRun game;
    game.start({"pilot"});
    const std::string window = game.wait_for_window();
    ASSERT_NE(window, "");
    GameRun::wait_frames(5);
    raise_the_sound_volume(game);
    ASSERT_TRUE(game.close_window(window));

    ASSERT_EQ(game.wait_exit(5000), 0) << game.out() << game.err();
    const std::string saved = game.file("settings.cfg");
    EXPECT_NE(saved.find("\nsfxvol=7\n"), std::string::npos) << saved;

    next_start_reads(saved, [](GameRun& next, const std::string&) { next.send_signal(SIGINT); });
}

TEST(QuitRequests, SigtermSavesTheChangedSettingEvenRepeatedOrWithTheWindowHidden) {
    GameRun game;
    game.start({"pilot"});
    ASSERT_NE(game.wait_for_window(), "");
    GameRun::wait_frames(5);
    raise_the_sound_volume(game);
    // A burst, as an impatient session sends: the later ones arrive while the
    // game saves and must not cut the save short.
    for (int n = 0; n < 3; ++n) game.send_signal(SIGTERM);

    ASSERT_EQ(game.wait_exit(5000), 0) << game.out() << game.err();
    const std::string saved = game.file("settings.cfg");
    EXPECT_NE(saved.find("\nsfxvol=7\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\nchecksum=0\n"), std::string::npos) << "saved whole\n" << saved;

    // Hidden (minimised), the game stands still, but a hang-up still ends it.
    next_start_reads(saved, [](GameRun& next, const std::string& window) {
        run_command({"xdotool", "windowunmap", "--sync", window}, next.display());
        GameRun::wait_frames(5);
        next.send_signal(SIGHUP);
    });
}

// The X server ending under the game (a logout), with the remote's poll thread
// running or not: the game saves as the quit item does, lets the remote go and
// ends with status 0 instead of Xlib's status 1.
TEST(QuitRequests, LosingTheDisplaySavesTheChangedSettingAndLetsTheRemoteGo) {
    for (bool with_remote : {false, true}) {
        SCOPED_TRACE(with_remote ? "with a remote" : "without a remote");
        GameRun game;
        if (with_remote) {
            std::filesystem::copy_file(SCRIPTED_WIIUSE_DIR "/scripted_wiiuse.so", game.folder() + "/wiiuse.so",
                                       std::filesystem::copy_options::overwrite_existing);
            std::ofstream(game.folder() + "/wiiuse_script.txt") << "battery 0.64\n";
        }
        game.start({"pilot"});
        ASSERT_NE(game.wait_for_window(), "");
        GameRun::wait_frames(5);
        raise_the_sound_volume(game);
        game.end_display();

        ASSERT_EQ(game.wait_exit(5000), 0) << game.out() << game.err();
        const std::string saved = game.file("settings.cfg");
        EXPECT_NE(saved.find("\nsfxvol=7\n"), std::string::npos) << saved;
        EXPECT_NE(saved.find("\nchecksum=0\n"), std::string::npos) << "saved whole\n" << saved;
        const std::string log = game.file("wiiuse_log.txt");
        if (with_remote) {
            EXPECT_NE(log.find("connect -> 1\n"), std::string::npos) << log;
            EXPECT_NE(log.find("\ndisconnect\nunload\n"), std::string::npos) << log;
        }
    }
}
