// What the bridge hands the engine for what the remote does: buttons, tilt,
// battery, and what the engine's LED mask and rumble do to the remote.
#include <cstdio>
#include <string>

#include "bridge_support.h"

using namespace bridge_test;

namespace {

constexpr uint16_t TWO = WIIUSE_BUTTON_TWO, ONE = WIIUSE_BUTTON_ONE;

std::string line(const char* format, int a, int b = 0, int c = 0) {
    char text[96];
    snprintf(text, sizeof text, format, a, b, c);
    return text;
}

}  // namespace

TEST_F(BridgeOverStandin, KeysDownAndUpBecomeReportsAndAutoRepeatIsNoPress) {
    ASSERT_EQ(open(), 1) << output;
    struct Step {
        const char* script;
        size_t reports;
        uint16_t btns, btns_held;
    };
    const Step STEPS[] = {
        {"key two down", 1, TWO, 0},
        {"key two repeat", 0, 0, 0},
        {"key one down", 1, TWO | ONE, TWO},
        {"key x down", 0, 0, 0},  // not a button of the remote itself
        {"key two up", 1, ONE, TWO | ONE},
        {"key two up", 0, 0, 0},
        {"key one up", 1, 0, ONE},
    };
    for (const Step& step : STEPS) {
        script(step.script);
        std::vector<Delivery> got = poll();
        ASSERT_EQ(got.size(), step.reports) << step.script;
        if (step.reports == 0) continue;
        EXPECT_EQ(got[0].kind, 'e');
        EXPECT_EQ(got[0].btns, step.btns) << step.script;
        EXPECT_EQ(got[0].btns_held, step.btns_held) << step.script;
        EXPECT_EQ(got[0].state, 0) << "motion sensing is off";
    }

    const std::pair<const char*, uint16_t> BUTTONS[] = {
        {"left", WIIUSE_BUTTON_LEFT}, {"right", WIIUSE_BUTTON_RIGHT}, {"up", WIIUSE_BUTTON_UP},
        {"down", WIIUSE_BUTTON_DOWN}, {"a", WIIUSE_BUTTON_A},         {"b", WIIUSE_BUTTON_B},
        {"plus", WIIUSE_BUTTON_PLUS}, {"minus", WIIUSE_BUTTON_MINUS}, {"home", WIIUSE_BUTTON_HOME},
        {"one", ONE},                 {"two", TWO}};
    for (const auto& [name, bit] : BUTTONS) {
        script(("key " + std::string(name) + " down\nkey " + name + " up").c_str());
        std::vector<Delivery> got = poll();
        ASSERT_EQ(got.size(), 2u) << name;
        EXPECT_EQ(got[0].btns, bit) << name;
        EXPECT_EQ(got[1].btns, 0) << name;
        EXPECT_EQ(got[1].btns_held, bit) << name;
    }
}

TEST_F(BridgeOverStandin, AccelerometerGivesRollAndPitchOnlyWhileMotionSensingIsOn) {
    ASSERT_EQ(open(), 1) << output;
    script("accel 0 0 100");
    EXPECT_TRUE(poll().empty()) << "motion sensing is off after connecting";

    struct Row {
        int x, y, z;
        float roll, pitch;
    };
    const Row ROWS[] = {{0, 0, 100, 0, 0},    {100, 0, 100, 45, 0},  {0, -100, 100, 0, -45},
                        {-173, 0, 100, -60, 0}, {0, 100, 0, 0, 90}};
    for (const Row& row : ROWS) {
        motion(1);  // switching on forgets the smoothing, so one reading tells
        std::string reading = line("accel %d %d %d", row.x, row.y, row.z);
        script(reading.c_str());
        std::vector<Delivery> got = poll();
        ASSERT_EQ(got.size(), 1u) << reading;
        EXPECT_EQ(got[0].state, WIIUSE_STATE_ORIENTATION) << reading;
        EXPECT_NEAR(got[0].roll, row.roll, 0.5) << reading;
        EXPECT_NEAR(got[0].pitch, row.pitch, 0.5) << reading;
        motion(0);
    }

    motion(1);
    script("accel 0 0 100\nkey a down");
    std::vector<Delivery> got = poll();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1].state, WIIUSE_STATE_ORIENTATION) << "a button report carries the tilt while it is on";
    motion(0);
    script("key a up\naccel 100 0 100");
    got = poll();
    ASSERT_EQ(got.size(), 1u) << "no tilt once motion sensing is off";
    EXPECT_EQ(got[0].state, 0);
}

TEST_F(BridgeOverStandin, BatteryLinePrintsThePercentTheRemoteReports) {
    ASSERT_EQ(open(), 1) << output;
    for (int percent = 0; percent <= 100; ++percent) {
        script(line("battery %d", percent).c_str());
        operation<wiiuse_request_status_fn>(WIIUSE_SLOT_REQUEST_STATUS)(remotes[0]);
        std::vector<Delivery> got = poll();
        ASSERT_EQ(got.size(), 1u);
        ASSERT_EQ(got[0].kind, 's');
        EXPECT_LE(got[0].battery_level, 1.0f);
        RemoteNotice status{};
        status.kind = REMOTE_STATUS;
        status.battery_level = got[0].battery_level;
        testing::internal::CaptureStdout();
        apply_remote_notice(status);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), line("Battery status: %d %%\n", percent));
    }
}

TEST_F(BridgeOverStandin, LedMaskLightsTheFourLedsAndRumbleFollows) {
    ASSERT_EQ(open(), 1) << output;
    struct Row {
        int mask;
        int leds[4];
    };
    const Row ROWS[] = {{0x90, {1, 0, 0, 1}}, {0xF0, {1, 1, 1, 1}}, {0x00, {0, 0, 0, 0}},
                        {0x60, {0, 1, 1, 0}}, {0x0F, {0, 0, 0, 0}}, {0x2F, {0, 1, 0, 0}}};
    for (const Row& row : ROWS) {
        operation<wiiuse_set_leds_fn>(WIIUSE_SLOT_SET_LEDS)(remotes[0], row.mask);
        for (int n = 1; n <= 4; ++n) EXPECT_EQ(standin_led(n), row.leds[n - 1]) << "mask " << row.mask << " LED " << n;
    }
    auto rumble = operation<wiiuse_rumble_fn>(WIIUSE_SLOT_RUMBLE);
    rumble(remotes[0], 1);
    EXPECT_EQ(standin_rumble(), 1);
    rumble(remotes[0], 0);
    EXPECT_EQ(standin_rumble(), 0);
}
