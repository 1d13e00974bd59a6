// The libxwiimote bridge on a machine without a remote: it loads, finds none
// at once when there is no Bluetooth adapter, and its poll neither spins nor
// blocks for long.
#include <chrono>

#include "test_wiimote_support.h"

using namespace remote_test;

namespace {

const std::string BRIDGE = GAME_DIR "/wiiuse.so";

bool bluetooth_adapter_present() {
    std::error_code ignored;
    return std::filesystem::exists("/sys/class/bluetooth", ignored) &&
           !std::filesystem::is_empty("/sys/class/bluetooth", ignored);
}

struct RemoteBridge : testing::Test {
    ScratchDir dir;
    void SetUp() override {
        if (!std::filesystem::exists(BRIDGE)) GTEST_SKIP() << "the bridge is built only with libxwiimote";
        if (bluetooth_adapter_present()) GTEST_SKIP() << "a Bluetooth adapter here makes find wait for a remote";
        reset_remote_globals();
        install_library(BRIDGE);
    }
    void TearDown() override { wiimote_disconnect_and_unload(); }
};

using Clock = std::chrono::steady_clock;

}  // namespace

TEST_F(RemoteBridge, FindsNoRemoteAtOnceAndStaysSafeToCall) {
    testing::internal::CaptureStdout();
    auto started = Clock::now();
    EXPECT_EQ(connect_wiimote(), -1);
    auto took = Clock::now() - started;
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out,
              "wiiuse v1.0 (libxwiimote bridge) loaded\n"
              "Wiiuse DLL Version = 1.0 (libxwiimote bridge)\n"
              "No Wiimotes could be found!\n");
    EXPECT_LT(took, std::chrono::milliseconds(1000)) << "no time-out is waited out";
    ASSERT_EQ(wiiuse_loaded(), 1);

    // Without a device every operation is a harmless no-op.
    wiimote_set_leds(WIIMOTE_LEDS_1_AND_4);
    wiimote_rumble(1);
    wiimote_motion_sensing(1);
    wiimote_motion_sensing(0);

    // A poll with nothing to read waits about 10 ms: ten of them neither spin
    // nor hang.
    started = Clock::now();
    for (int i = 0; i < 10; ++i) wiimote_poll_once();
    took = Clock::now() - started;
    EXPECT_GE(took, std::chrono::milliseconds(90));
    EXPECT_LT(took, std::chrono::milliseconds(1000));
    EXPECT_EQ(queued_remote_notices(), 0);
}
