// The screen saver waits while the game shows: a pad or remote player makes no
// X input, and the screen must not blank in the middle of a game. A private
// display with a short saver time-out and a private session bus with a
// stand-in of the desktop's screen saver service watch the real engine.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "harness.h"
#include "standin_desktop.h"

namespace {

constexpr int SAVER_SECONDS = 2;

// Longer than the saver waits, with no input at all.
void sit_still() { std::this_thread::sleep_for(std::chrono::milliseconds(SAVER_SECONDS * 1000 + 1500)); }

// Starts the engine with `environment` on a display whose saver comes on
// quickly, and flies into NAV 1; the window's X id.
std::string start_a_stage(GameRun& game, const std::vector<std::string>& environment) {
    EXPECT_TRUE(set_screen_saver_timeout(game.display(), SAVER_SECONDS));
    game.start_program({"./korvane", "pilot"}, game.folder(), environment);
    const std::string window = game.wait_for_window();
    GameRun::wait_frames(5);
    for (const char* key : {"Escape", "Return", "Return"}) {
        game.key(key);
        GameRun::wait_frames(3);
    }
    return window;
}

const std::string INHIBIT = "Inhibit Korvane Arcade: Playing a game -> ";

}  // namespace

TEST(ScreenSaver, HeldOffWhileTheWindowShowsAndLetGoWhenHiddenAndWhenTheGameEnds) {
    GameRun game;
    StandinDesktop desktop(game.scratch());
    const std::string window = start_a_stage(game, {desktop.bus_variable()});
    ASSERT_NE(window, "") << game.out() << game.err();

    sit_still();
    EXPECT_EQ(screen_saver_on(game.display()), 0) << "the screen blanked during play";
    EXPECT_EQ(desktop.calls(), std::vector<std::string>{INHIBIT + "1"});

    run_command({"xdotool", "windowunmap", "--sync", window}, game.display());
    sit_still();
    EXPECT_EQ(screen_saver_on(game.display()), 1) << "the saver was still held with the window hidden";
    EXPECT_EQ(desktop.calls(), (std::vector<std::string>{INHIBIT + "1", "UnInhibit 1"}));

    run_command({"xdotool", "windowmap", "--sync", window}, game.display());
    ASSERT_TRUE(desktop.wait_for_calls(3));
    game.send_signal(SIGTERM);
    ASSERT_EQ(game.wait_exit(5000), 0) << game.out() << game.err();
    EXPECT_EQ(desktop.calls(), (std::vector<std::string>{INHIBIT + "1", "UnInhibit 1", INHIBIT + "2", "UnInhibit 2"}));
}

TEST(ScreenSaver, SdlsVariableLetsTheSaverRun) {
    GameRun game;
    StandinDesktop desktop(game.scratch());
    ASSERT_NE(start_a_stage(game, {desktop.bus_variable(), "SDL_VIDEO_ALLOW_SCREENSAVER=1"}), "");

    sit_still();
    EXPECT_EQ(screen_saver_on(game.display()), 1) << "the saver was held although the player allows it";
    EXPECT_EQ(desktop.calls(), std::vector<std::string>{});
}
