// Thousands of remote reports from the real poll thread while the game's
// thread applies them in every screen state and calls the remote itself. Run
// under ThreadSanitizer (a build with KORVANE_SANITIZE=thread) it proves that
// the two threads share nothing unguarded.
#include <cstdlib>
#include <sstream>

#include "input/screen_keys.h"
#include "platform/os.h"
#include "test_wiimote_support.h"

using namespace remote_test;

namespace {

constexpr int REPORTS = 6000;
constexpr int STATUS_EVERY = 97;

// Buttons that cannot reach the quit item: the D-pad's left and right would
// move the main-menu cursor, and Enter on item 6 ends the process.
const char* const SAFE_BUTTONS[] = {"TWO", "ONE", "B", "A", "MINUS", "HOME", "UP", "DOWN", "PLUS"};

std::string stress_script(int* statuses) {
    std::ostringstream script;
    unsigned seed = 12345;
    *statuses = 0;
    for (int i = 0; i < REPORTS; ++i) {
        int choice = rand_r(&seed) % 10;
        if (i % STATUS_EVERY == 0) {
            script << "status 0." << (10 + rand_r(&seed) % 90) << "\n";
            ++*statuses;
        } else if (choice < 3) {
            script << "tilt pitch=" << (rand_r(&seed) % 181 - 90) << " roll=" << (rand_r(&seed) % 181 - 90) << "\n";
        } else {
            script << "buttons";
            for (const char* name : SAFE_BUTTONS)
                if (rand_r(&seed) % 4 == 0) script << " " << name;
            script << "\n";
        }
        if (i % 64 == 63) script << "sleep 1\n";
    }
    script << "disconnect\n";
    return script.str();
}

const int EVERY_STATE[] = {STATE_LOGO_INTRO, STATE_MAIN_MENU,    STATE_SHIP_SELECT, STATE_NAV1,
                           STATE_NAV2,       STATE_QUIT_OVERLAY, STATE_SETTINGS,    STATE_STAGE_SELECT,
                           STATE_CREDITS,    STATE_HIGH_SCORES,  STATE_CONTROLS};

int count_of(const std::string& text, const std::string& piece) {
    int count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
    return count;
}

using RemoteStress = ConnectedRemote;

}  // namespace

TEST_F(RemoteStress, ThousandsOfReportsAcrossEveryState) {
    int statuses = 0;
    connect(stress_script(&statuses));
    int dropped_before = remote_notices_dropped();
    ASSERT_EQ(os_start_thread(poll_thread), 0);

    testing::internal::CaptureStdout();
    int round = 0;
    for (int waited = 0; waited < 60000; ++waited, ++round) {
        // The game's side: change state as frames and keys would, apply the
        // queue, and drive the remote from this thread while it is polled.
        screen_state = EVERY_STATE[round % (sizeof EVERY_STATE / sizeof EVERY_STATE[0])];
        menu_cursor = 1;
        apply_remote_events();
        if (round % 7 == 0) wiimote_motion_sensing(round % 14 == 0);
        if (round % 11 == 0) wiimote_set_leds(WIIMOTE_LEDS_1_AND_4);
        if (round % 13 == 0) wiimote_rumble(round % 26 == 0);
        if (log_has(dir, "script done") && queued_remote_notices() == 0) break;
        os_sleep_ms(1);
    }
    apply_remote_events();
    std::string out = testing::internal::GetCapturedStdout();

    ASSERT_TRUE(log_has(dir, "script done")) << "the poll thread played the whole script";
    int dropped = remote_notices_dropped() - dropped_before;
    int battery_lines = count_of(out, "Battery status: ");
    EXPECT_LE(battery_lines, statuses);
    EXPECT_GE(battery_lines, statuses - dropped) << "every status was printed or counted as dropped";
    EXPECT_EQ(count_of(out, "--- DISCONNECTED [wiimote id 1] ---"), 1);
    EXPECT_GE(round, 20) << "the game's thread had a share";

    wiimote_disconnect_and_unload();
    EXPECT_EQ(wiiuse_loaded(), 0);
}
