// Quitting from the main menu: the one place settings.cfg is written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/screen_state.h"
#include "input/keys.h"
#include "input/screen_keys.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "support/scratch_dir.h"

namespace {

// Tells the dying child which folder the test looks in afterwards.
const char* const FOLDER_VARIABLE = "KORVANE_QUIT_TEST_FOLDER";

// Runs in the child: a fresh process (exit is not safe in a forked copy of a
// process with GL threads) that replays the test body and so made its own
// scratch folder. It leaves that one and quits in the parent's.
void quit_in_the_tests_folder(const ScratchDir& own) {
    const char* folder = getenv(FOLDER_VARIABLE);
    if (folder == nullptr || chdir(folder) != 0) _exit(3);
    if (own.path() != folder) rmdir(own.path().c_str());
    keyboard_callback(KEY_ENTER, 0, 0);
}

}  // namespace

TEST(QuitKey, QuitItemSavesSettingsAndScoresThenExitsWithStatus0) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ScratchDir dir;
    if (getenv(FOLDER_VARIABLE) == nullptr) setenv(FOLDER_VARIABLE, dir.path().c_str(), 1);
    screen_state = STATE_MAIN_MENU;
    menu_cursor = 6;
    fullscreen = 0, sfx = 0, music = 1, sfxvol = 9, musicvol = 3;
    reset_high_scores();
    insert_high_score(250, "quitter", 1);

    EXPECT_EXIT(quit_in_the_tests_folder(dir), testing::ExitedWithCode(0), "");
    unsetenv(FOLDER_VARIABLE);

    std::string text = dir.read("settings.cfg");
    EXPECT_EQ(text.rfind("[ver]\nid=1.1\n\n[video]\nfullscreen=0\n\n[sound]\nsfx=0\nmusic=1\nsfxvol=9\nmusicvol=3\n\n"
                         "[scores]\n1=250\n1n=quitter\n1s=1\n2=0\n2n=EMPTY\n2s=-1\n",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("\n10=0\n10n=EMPTY\n10s=-1\nchecksum=1000\n"), std::string::npos) << text;
}
