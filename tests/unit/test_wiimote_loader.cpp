// Loading the remote library at run time and the connection sequence, against
// the scripted stand-in library and its broken variants.
#include <chrono>

#include "platform/os.h"
#include "stage/setup.h"
#include "test_wiimote_support.h"

using namespace remote_test;

namespace {

struct RemoteLoader : testing::Test {
    ScratchDir dir;
    void SetUp() override { reset_remote_globals(); }
    void TearDown() override {
        wiimote_disconnect_and_unload();
        unload_wiiuse();
    }
};

bool operations_all_empty() {
    for (wiiuse_operation operation : wiiuse_operations)
        if (operation) return false;
    return true;
}

}  // namespace

TEST_F(RemoteLoader, RejectedLibrariesAreUnloadedAndLeaveNothingBehind) {
    EXPECT_EQ(load_wiiuse(nullptr), nullptr);
    EXPECT_EQ(load_wiiuse("./no-such-library.so"), nullptr);
    EXPECT_EQ(wiiuse_loaded(), 0);

    for (const std::string& broken : {SCRIPTED_NO_ENTRY, SCRIPTED_API_7}) {
        SCOPED_TRACE(broken);
        install_library(broken);
        EXPECT_EQ(load_wiiuse("./wiiuse.so"), nullptr) << broken;
        EXPECT_EQ(wiiuse_loaded(), 0);
        EXPECT_EQ(wiiuse_record, nullptr);
        EXPECT_TRUE(operations_all_empty());
        EXPECT_FALSE(library_mapped("./wiiuse.so")) << broken << " stayed loaded";
    }
}

TEST_F(RemoteLoader, AcceptedLibraryHasItsOperationsCopiedAndLoadsOnce) {
    install_library(SCRIPTED);
    testing::internal::CaptureStdout();
    const char* version = load_wiiuse("./wiiuse.so");
    std::string out = testing::internal::GetCapturedStdout();
    ASSERT_NE(version, nullptr);
    EXPECT_STREQ(version, "1.0 (scripted)");
    EXPECT_EQ(out, "wiiuse v1.0 (scripted) loaded\n");
    EXPECT_EQ(wiiuse_loaded(), 1);
    for (int slot = 0; slot < WIIUSE_OPERATION_COUNT; ++slot)
        EXPECT_EQ(wiiuse_operations[slot], wiiuse_record->operations[slot]) << "slot " << slot;

    // A second load hands back the same text without loading or printing again.
    testing::internal::CaptureStdout();
    EXPECT_EQ(load_wiiuse("./some-other-file.so"), version);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    unload_wiiuse();
    EXPECT_EQ(wiiuse_loaded(), 0);
    EXPECT_EQ(wiiuse_record, nullptr);
    EXPECT_TRUE(operations_all_empty());
    EXPECT_FALSE(library_mapped("./wiiuse.so"));
}

const char* const NO_LIBRARY_LINE = "Failed to load Wiiuse library. Make sure wiiuse.so is in the same directory\n";

TEST_F(RemoteLoader, WithoutALibraryConnectingFailsAndTheOperationsAreSkipped) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(connect_wiimote(), -1);
    std::string err = testing::internal::GetCapturedStderr();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Wiiuse DLL Version = (null)\n");
    EXPECT_EQ(err, std::string(NO_LIBRARY_LINE) +
                       "Wiiuse library not loaded: ./wiiuse.so: cannot open shared object file: No such file or "
                       "directory\n");

    // Everything the game calls on the remote is quietly skipped.
    wiimote_motion_sensing(1);
    wiimote_set_leds(WIIMOTE_LEDS_1_AND_4);
    wiimote_rumble(1);
    wiimote_poll_once();
    wiimote_disconnect_and_unload();
    EXPECT_EQ(wiiuse_loaded(), 0);
}

TEST_F(RemoteLoader, BrokenLibrariesFailTheConnectionLikeAMissingOneAndSayWhy) {
    const struct {
        std::string library, reason;
    } cases[] = {
        {SCRIPTED_NO_ENTRY, "./wiiuse.so has no wiiuse_main entry point handing out its record"},
        {SCRIPTED_API_7, "./wiiuse.so speaks API version 7, the game needs 8"},
        {SCRIPTED_NEEDS_ABSENT, "libxwiimote.so.0: cannot open shared object file: No such file or directory; "
                                "the Wii Remote needs the package libxwiimote2"},
    };
    for (const auto& broken : cases) {
        SCOPED_TRACE(broken.library);
        install_library(broken.library);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_EQ(connect_wiimote(), -1);
        std::string err = testing::internal::GetCapturedStderr();
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(out, "Wiiuse DLL Version = (null)\n");
        EXPECT_EQ(err, NO_LIBRARY_LINE + ("Wiiuse library not loaded: " + broken.reason + "\n"));
        EXPECT_FALSE(library_mapped("./wiiuse.so"));
    }
}

TEST_F(RemoteLoader, ConnectionGreetsTheRemoteInOrder) {
    install_library(SCRIPTED);
    dir.write("wiiuse_script.txt", "battery 0.737\n");
    tilt_pitch = 12;
    tilt_roll = -7;

    testing::internal::CaptureStdout();
    auto started = std::chrono::steady_clock::now();
    int result = connect_wiimote();
    auto took = std::chrono::steady_clock::now() - started;
    std::string out = testing::internal::GetCapturedStdout();

    ASSERT_EQ(result, 0);
    EXPECT_EQ(out,
              "wiiuse v1.0 (scripted) loaded\n"
              "Wiiuse DLL Version = 1.0 (scripted)\n"
              "Connection to Wiimote estabished!\n");
    EXPECT_EQ(log_lines(dir), (std::vector<std::string>{"initialise 1 id=1", "find max=1 timeout=5 -> 1",
                                                         "connect -> 1", "leds 144", "rumble 1", "rumble 0",
                                                         "status request", "motion 0"}));
    EXPECT_GE(took, std::chrono::milliseconds(WIIMOTE_RUMBLE_GREETING_MS)) << "the greeting buzz lasts 200 ms";
    EXPECT_EQ(tilt_pitch, 0);
    EXPECT_EQ(tilt_roll, 0);

    // The battery answer arrives with the next poll, and prints when applied.
    testing::internal::CaptureStdout();
    wiimote_poll_once();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "the poll thread prints nothing itself";
    testing::internal::CaptureStdout();
    apply_remote_events();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Battery status: 73 %\n");
}

TEST_F(RemoteLoader, NoRemoteOrNoConnectionKeepsTheLibraryLoaded) {
    install_library(SCRIPTED);
    dir.write("wiiuse_script.txt", "find 0\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(connect_wiimote(), -1);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Wiiuse DLL Version = 1.0 (scripted)\nNo Wiimotes could be found!\n"), std::string::npos)
        << out;
    EXPECT_EQ(wiiuse_loaded(), 1);
    EXPECT_NE(wiimote, nullptr);
    EXPECT_EQ(log_lines(dir).size(), 2u) << "nothing after the failed find";

    // The game's calls still reach the library, and quitting lets it go.
    wiimote_set_leds(WIIMOTE_LEDS_1_AND_4);
    wiimote_disconnect_and_unload();
    EXPECT_EQ(wiiuse_loaded(), 0);
    EXPECT_EQ(wiimote, nullptr);
    std::vector<std::string> lines = log_lines(dir);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[2], "leds 144");
    EXPECT_EQ(lines[3], "disconnect");
    EXPECT_EQ(lines[4], "unload");

    dir.write("wiiuse_script.txt", "connect 0\n");
    install_library(SCRIPTED);
    testing::internal::CaptureStdout();
    EXPECT_EQ(connect_wiimote(), -1);
    out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Failed to connect to the Wiimote!\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("estabished"), std::string::npos);
}

TEST_F(RemoteLoader, QuitStopsThePollThreadBeforeTheLibraryGoes) {
    install_library(SCRIPTED);
    dir.write("wiiuse_script.txt", "buttons TWO\nbuttons\n");
    testing::internal::CaptureStdout();
    ASSERT_EQ(connect_wiimote(), 0);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(os_start_thread(poll_thread), 0);

    // Let the thread play the script, then quit while it keeps polling.
    for (int i = 0; i < 200 && log_lines(dir).back() != "script done"; ++i) os_sleep_ms(5);
    ASSERT_EQ(log_lines(dir).back(), "script done");
    wiimote_disconnect_and_unload();
    EXPECT_EQ(wiiuse_loaded(), 0);
    EXPECT_FALSE(library_mapped("./wiiuse.so"));
    std::vector<std::string> lines = log_lines(dir);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "disconnect");
    EXPECT_EQ(lines.back(), "unload");
    os_sleep_ms(30);  // a thread still polling would now crash in unmapped code
}

TEST_F(RemoteLoader, EachNavSetUpLightsTheFirstAndLastLed) {
    install_library(SCRIPTED);
    dir.write("wiiuse_script.txt", "");
    testing::internal::CaptureStdout();
    ASSERT_EQ(connect_wiimote(), 0);
    testing::internal::GetCapturedStdout();
    auto leds_lit = [&] {
        int count = 0;
        for (const std::string& line : log_lines(dir)) count += line == "leds 144";
        return count;
    };
    const int before = leds_lit();
    setup_nav1();
    EXPECT_EQ(leds_lit(), before + 1) << "NAV 1";
    setup_nav2();
    EXPECT_EQ(leds_lit(), before + 2) << "NAV 2";
}
