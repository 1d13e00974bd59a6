// The screen saver waits while the game shows: a pad or remote player makes no
// X input, and the screen must not blank in the middle of a game. A private
// display with a short saver time-out and a private session bus with a
// stand-in of the desktop's screen saver service watch the real engine.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>

#include "harness.h"

namespace {

constexpr int SAVER_SECONDS = 2;
const std::string INHIBIT = "Inhibit Korvane Arcade: Playing a game -> ";

// The stand-in service logs the calls it gets into the game folder's screensaver_calls.txt.
struct ScreenSaver : testing::Test {
    GameRun game;
    std::string bus_address;
    pid_t bus = -1;

    void SetUp() override {
        std::string printed;
        run_command({"dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"}, "", &printed);
        std::istringstream(printed) >> bus_address >> bus;
        run_command({"env", "DBUS_SESSION_BUS_ADDRESS=" + bus_address, STANDIN_SCREENSAVER,
                     game.folder() + "/screensaver_calls.txt"}, "");
        EXPECT_EQ(screen_saver_on(game.display(), SAVER_SECONDS), 0);
    }
    void TearDown() override {
        if (bus > 0) kill(bus, SIGTERM);  // the service ends with it
    }

    // Starts the engine on that bus with `environment` and flies into NAV 1; the window's X id.
    std::string start_a_stage(std::vector<std::string> environment = {}) {
        environment.push_back("DBUS_SESSION_BUS_ADDRESS=" + bus_address);
        game.start_program({"./korvane", "pilot"}, game.folder(), environment);
        const std::string window = game.wait_for_window();
        GameRun::wait_frames(5);
        game.fly_into_nav1();
        return window;
    }
    // Longer than the saver waits, with no input at all.
    static void sit_still() { std::this_thread::sleep_for(std::chrono::milliseconds(SAVER_SECONDS * 1000 + 1500)); }
};

}  // namespace

TEST_F(ScreenSaver, HeldOffWhileTheWindowShowsAndLetGoWhenHiddenAndWhenTheGameEnds) {
    const std::string window = start_a_stage();
    ASSERT_NE(window, "") << game.out() << game.err();
    sit_still();
    EXPECT_EQ(screen_saver_on(game.display()), 0) << "the screen blanked during play";

    run_command({"xdotool", "windowunmap", "--sync", window}, game.display());
    sit_still();
    EXPECT_EQ(screen_saver_on(game.display()), 1) << "the saver was still held with the window hidden";

    run_command({"xdotool", "windowmap", "--sync", window}, game.display());
    GameRun::wait_frames(5);
    game.send_signal(SIGTERM);
    ASSERT_EQ(game.wait_exit(5000), 0) << game.out() << game.err();
    // Held, let go when hidden, held again when shown, let go at the end: one call each.
    EXPECT_EQ(game.file("screensaver_calls.txt"), INHIBIT + "1\nUnInhibit 1\n" + INHIBIT + "2\nUnInhibit 2\n");
}

TEST_F(ScreenSaver, SdlsVariableLetsTheSaverRun) {
    ASSERT_NE(start_a_stage({"SDL_VIDEO_ALLOW_SCREENSAVER=1"}), "");
    sit_still();
    EXPECT_EQ(screen_saver_on(game.display()), 1) << "the saver was held although the player allows it";
    EXPECT_EQ(game.file("screensaver_calls.txt"), "");
}
