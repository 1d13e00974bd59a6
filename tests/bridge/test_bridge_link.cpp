// The bridge's hold on the remote: opening it while the system is still
// granting access, without write access, and what happens when the kernel
// takes the remote or its accelerometer away, also with the engine's poll
// thread running beside the game's thread.
#include <xwiimote.h>

#include <string>

#include "input/keys.h"
#include "platform/os.h"
#include "bridge_support.h"

using namespace bridge_test;

namespace {

int milliseconds_since(Clock::time_point start) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

int count_of(const std::string& text, const std::string& piece) {
    int count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
    return count;
}

const std::string DISCONNECTED = "\n\n--- DISCONNECTED [wiimote id 1] ---\n";

}  // namespace

TEST_F(BridgeOverStandin, RefusedOpenIsTriedAgainForAboutASecondThenReported) {
    struct Row {
        const char* refusal;
        int find_seconds;
        int connected, writable, core_opens;  // core_opens -1: not counted
        int min_ms, max_ms;
        const char* output;
    };
    const Row ROWS[] = {
        // Each try asks for write access first, then settles for reading.
        {"refuse core EACCES 4", 5, 1, 1, 5, 90, 900, ""},
        {"refuse core EPERM 1", 5, 1, 0, 2, 0, 300, ""},
        {"refuse write EACCES always", 5, 1, 0, 2, 0, 300, ""},
        {"refuse core EACCES always", 5, 0, 0, -1, 900, 3000, "Wiimote could not be opened: Permission denied\n"},
        // A busy device is no device still being set up: no waiting.
        {"refuse core EBUSY 2", 5, 0, 0, 2, 0, 300, "Wiimote could not be opened: Device or resource busy\n"},
        // A remote that appears as find's wait runs out (here: a wait of no
        // time at all) still gets its whole second.
        {"refuse core EACCES 4", 0, 1, 1, 5, 90, 900, ""},
        {"refuse core EACCES always", 0, 0, 0, -1, 900, 3000, "Wiimote could not be opened: Permission denied\n"},
    };
    for (const Row& row : ROWS) {
        SCOPED_TRACE(std::string(row.refusal) + ", find " + std::to_string(row.find_seconds) + " s");
        standin_reset();
        script(row.refusal);
        Clock::time_point start = Clock::now();
        EXPECT_EQ(open(row.find_seconds), row.connected);
        int took = milliseconds_since(start);
        EXPECT_GE(took, row.min_ms);
        EXPECT_LT(took, row.max_ms);
        EXPECT_EQ(output, row.output);
        EXPECT_EQ(standin_core_writable(), row.writable);
        if (row.core_opens >= 0) {
            EXPECT_EQ(standin_core_opens(), row.core_opens);
        }
        close();
    }
}

TEST_F(BridgeOverStandin, ReadOnlyRemoteGivesButtonsAndLedsButCannotRumble) {
    script("refuse write EACCES always");
    ASSERT_EQ(open(), 1) << output;
    operation<wiiuse_rumble_fn>(WIIUSE_SLOT_RUMBLE)(remotes[0], 1);
    EXPECT_EQ(standin_rumble(), 0);
    operation<wiiuse_set_leds_fn>(WIIUSE_SLOT_SET_LEDS)(remotes[0], WIIMOTE_LEDS_1_AND_4);
    EXPECT_EQ(standin_led(1), 1);
    script("key two down");
    std::vector<Delivery> got = poll();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].btns, WIIUSE_BUTTON_TWO);
}

TEST_F(BridgeOverStandin, RemoteTakenAwayIsOneDisconnect) {
    ASSERT_EQ(open(), 1) << output;
    script("key two down");
    ASSERT_EQ(poll().size(), 1u);
    script("lose core\nkey one down");  // the kernel drops what the device still held
    std::vector<Delivery> got = poll();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].kind, 'd');
    EXPECT_EQ(standin_live_devices(), 0) << "the bridge let the device go at once";

    Clock::time_point start = Clock::now();
    EXPECT_TRUE(poll(5).empty()) << "a gone remote reports nothing more";
    EXPECT_GE(milliseconds_since(start), 40) << "polling nothing still waits instead of spinning";
}

TEST_F(BridgeOverStandin, RemoteLostMidTiltStopsItsSteeringAndLeavesTheKeyboards) {
    engine_connect();
    screen_state = STATE_NAV1;
    wiimote_motion_sensing(1);
    script("accel 50 -60 100");  // rolled right, nose down: up and left
    engine_poll_and_apply();
    ASSERT_EQ(tilt_active, 1);
    ASSERT_EQ(steer_x, HELD_LEFT);
    ASSERT_EQ(steer_y, HELD_UP);
    special_callback(SPECIAL_DOWN, 0, 0);  // the keyboard takes the vertical axis

    script("lose core");
    EXPECT_EQ(engine_poll_and_apply(), DISCONNECTED);
    EXPECT_EQ(steer_x, HELD_NONE) << "the tilt's direction stops with the remote";
    EXPECT_EQ(steer_y, HELD_DOWN) << "the key pressed since still steers";
    EXPECT_EQ(tilt_active, 0) << "and at the keyboard's own speed";
}

TEST_F(BridgeOverStandin, AccelerometerRefusedOrLostPrintsOneLineAndComesBack) {
    ASSERT_EQ(open(), 1) << output;
    struct Row {
        const char* before;  // played before motion sensing goes on
        const char* after;   // played once a first reading came
        const char* line;
    };
    const char* REFUSED = "Wiimote accelerometer could not be opened: Permission denied; trying again\n";
    const char* LOST = "Wiimote accelerometer lost; reopening\n";
    const Row ROWS[] = {
        {"refuse accel EACCES 1", "", REFUSED},
        {"refuse accel EACCES 3", "", REFUSED},
        {"", "lose accel", LOST},
        {"", "refuse accel EBUSY 2\nlose accel", LOST},
    };
    for (const Row& row : ROWS) {
        SCOPED_TRACE(std::string(row.before) + " / " + row.after);
        script(row.before);
        testing::internal::CaptureStdout();
        motion(1);
        if (*row.after) {
            script("accel 0 0 100");
            EXPECT_EQ(poll().size(), 1u);
            script(row.after);
            std::vector<Delivery> level = poll();
            ASSERT_EQ(level.size(), 1u) << "the loss reads as a level remote: the ship must not fly on";
            EXPECT_EQ(level[0].state, WIIUSE_STATE_ORIENTATION);
            EXPECT_EQ(level[0].roll, 0.0f);
            EXPECT_EQ(level[0].pitch, 0.0f);
        }
        for (int i = 0; i < 300 && !(standin_opened() & XWII_IFACE_ACCEL); ++i) poll();
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(out, row.line) << "one line, however many tries";
        ASSERT_TRUE(standin_opened() & XWII_IFACE_CORE) << "the remote itself stays";
        ASSERT_TRUE(standin_opened() & XWII_IFACE_ACCEL) << "reopened";

        script("accel 100 0 100");
        std::vector<Delivery> got = poll();
        ASSERT_EQ(got.size(), 1u) << "tilt comes again";
        EXPECT_NEAR(got[0].roll, 45, 0.5) << "the first reading after reopening counts at once";
        motion(0);
    }
}

// Run under ThreadSanitizer by the test command: the engine's poll thread in
// the bridge while the game's thread applies reports, switches motion sensing,
// sets LEDs and rumble, and the kernel takes the accelerometer and then the
// remote away.
TEST_F(BridgeOverStandin, PollThreadAndGameThreadShareTheBridgeSafely) {
    engine_connect();
    screen_state = STATE_NAV1;
    selected_ship = 0;
    gun_mode = GUN_MODE_LASER;
    wiimote_motion_sensing(1);
    ASSERT_EQ(os_start_thread(poll_thread), 0);

    testing::internal::CaptureStdout();
    constexpr int ROUNDS = 200;
    int gun_switches = 0;
    for (int round = 0; round < ROUNDS; ++round) {
        int previous_gun_mode = gun_mode;
        script(("key one down\nkey one up\naccel " + std::to_string(round % 90 - 45) + " 20 100").c_str());
        if (round % 40 == 20) script("lose accel");
        if (round % 10 == 0) wiimote_motion_sensing(round % 20 == 0);
        if (round % 7 == 0) wiimote_set_leds(round % 14 == 0 ? WIIMOTE_LEDS_1_AND_4 : 0);
        if (round % 5 == 0) wiimote_rumble(round % 10 == 0);
        if (round % 9 == 0) operation<wiiuse_request_status_fn>(WIIUSE_SLOT_REQUEST_STATUS)(wiimote[0]);
        os_sleep_ms(2);
        apply_remote_events();
        gun_switches += gun_mode != previous_gun_mode;
    }
    apply_remote_events();
    tilt_active = 1;  // the disconnect clears it: the sign that it was applied
    script("lose core");
    for (int waited = 0; waited < 2000 && tilt_active == 1; ++waited) {
        os_sleep_ms(1);
        apply_remote_events();
    }
    std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(count_of(out, DISCONNECTED), 1);
    EXPECT_GE(count_of(out, "Battery status: 100 %"), 1);
    EXPECT_GE(gun_switches, ROUNDS / 10) << "the game's thread saw the presses";
}
