// Quit signals from the session or a terminal: the handler only notes them,
// and the toolkit thread then ends the game through the quit item's routine,
// so the settings and the scores of the run are saved. Each case runs in a
// child process of its own, since a signal's note cannot be taken back.
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "app/quit_requests.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "platform/quit_signals.h"
#include "support/scratch_dir.h"

namespace {

const char* const FOLDER_VARIABLE = "KORVANE_SIGNAL_TEST_FOLDER";

// In the child (a fresh run of this test, so it made its own scratch folder):
// three quit signals in a row, then the toolkit thread's look at the note.
void signalled_game_in_the_tests_folder(const ScratchDir& own) {
    const char* folder = getenv(FOLDER_VARIABLE);
    if (folder == nullptr || chdir(folder) != 0) _exit(3);
    if (own.path() != folder) rmdir(own.path().c_str());
    os_hold_quit_signals();
    os_take_quit_signals();
    raise(SIGTERM);
    raise(SIGHUP);  // more signals while the game is ending only note again
    raise(SIGINT);
    quit_if_signalled();
    _exit(4);  // not reached when the signals ended the game
}

// Whether the thread calling this would be interrupted by a quit signal.
bool quit_signals_reach_this_thread() {
    sigset_t mask;
    pthread_sigmask(SIG_BLOCK, nullptr, &mask);
    return !sigismember(&mask, SIGTERM) && !sigismember(&mask, SIGHUP) && !sigismember(&mask, SIGINT);
}

// In the child: signals held during start-up, then taken by the toolkit thread.
void held_then_taken() {
    os_hold_quit_signals();
    bool other_thread_reached = true;
    std::thread later_thread([&] { other_thread_reached = quit_signals_reach_this_thread(); });
    later_thread.join();
    raise(SIGINT);  // held: noted only once the toolkit thread takes the signals
    const int noted_while_held = os_quit_signal_arrived();
    os_take_quit_signals();
    const bool taken = quit_signals_reach_this_thread();
    _exit(other_thread_reached ? 5 : noted_while_held ? 6 : !taken ? 7 : os_quit_signal_arrived() ? 0 : 8);
}

}  // namespace

TEST(QuitSignals, ASignalSavesTheChangedSettingsAndTheNewScoreAndExits0) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ScratchDir dir;
    if (getenv(FOLDER_VARIABLE) == nullptr) setenv(FOLDER_VARIABLE, dir.path().c_str(), 1);
    fullscreen = 1, sfx = 1, music = 0, sfxvol = 8, musicvol = 5;
    reset_high_scores();
    insert_high_score(480, "survivor", 2);

    quit_if_signalled();  // no signal yet: the game goes on
    EXPECT_EXIT(signalled_game_in_the_tests_folder(dir), testing::ExitedWithCode(0), "");
    unsetenv(FOLDER_VARIABLE);

    const std::string text = dir.read("settings.cfg");
    EXPECT_EQ(text.rfind("[ver]\nid=1.1\n\n[video]\nfullscreen=1\n\n[sound]\nsfx=1\nmusic=0\nsfxvol=8\nmusicvol=5\n\n"
                         "[scores]\n1=480\n1n=survivor\n1s=2\n2=0\n",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("\nchecksum=1920\n"), std::string::npos) << text;
}

TEST(QuitSignals, HeldAtStartUpAwayFromOtherThreadsAndNotedOnceTheToolkitThreadTakesThem) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(held_then_taken(), testing::ExitedWithCode(0), "");
}
