// Shared by the bridge tests: the game folder's wiiuse.so copied into a scratch
// folder and loaded by the engine's loader, over the libxwiimote stand-in this
// executable links. Tests either call the bridge's operations with callbacks of
// their own, to see exactly what it hands out, or go through the engine's
// connection sequence to see what a player sees.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "standin_xwiimote.h"
#include "unit/test_wiimote_support.h"

namespace bridge_test {

inline const std::string BRIDGE = GAME_DIR "/wiiuse.so";
using Clock = std::chrono::steady_clock;

// One callback of the bridge, as the callback saw the remote.
struct Delivery {
    char kind;  // 'e' event, 's' status, 'd' disconnect
    uint16_t btns, btns_held;
    int32_t state;
    float roll, pitch;
    float battery_level;
};

inline std::mutex deliveries_lock;  // the callbacks run on whichever thread polls
inline std::vector<Delivery> deliveries;

inline void record(const Delivery& delivery) {
    std::lock_guard<std::mutex> hold(deliveries_lock);
    deliveries.push_back(delivery);
}
inline void record_event(wiiuse_remote* remote) {
    record({'e', remote->btns, remote->btns_held, remote->state, remote->orient.roll, remote->orient.pitch, 0});
}
inline void record_status(wiiuse_remote*, int, int, int, int*, float level) { record({'s', 0, 0, 0, 0, 0, level}); }
inline void record_disconnect(wiiuse_remote*) { record({'d', 0, 0, 0, 0, 0, 0}); }

// The bridge's operation in `slot`, as the signature of its role.
template <typename Operation>
Operation operation(int slot) {
    return reinterpret_cast<Operation>(wiiuse_operations[slot]);
}
// Slot 1 of the bridge frees what initialise made; the engine never calls it.
using CleanupFn = void (*)(wiiuse_remote**, int);
constexpr int BRIDGE_SLOT_CLEANUP = 1;

struct BridgeOverStandin : testing::Test {
    ScratchDir dir;
    wiiuse_remote** remotes = nullptr;
    std::string output;  // the console lines of the last connect

    void SetUp() override {
        standin_reset();
        remote_test::reset_remote_globals();
        std::lock_guard<std::mutex> hold(deliveries_lock);
        deliveries.clear();
        remote_test::install_library(BRIDGE);
    }

    // Plays stand-in script lines; a line it does not know fails the test.
    void script(const char* text) { ASSERT_EQ(standin_script(text), 0) << text; }

    // Loads the bridge and finds (waiting at most `find_seconds`) and connects
    // the remote with this test's callbacks; returns what connect returned.
    int open(int find_seconds = 5) {
        if (!load_wiiuse("./wiiuse.so")) return -1;
        static const int IDS[1] = {1};
        remotes = operation<wiiuse_initialise_fn>(WIIUSE_SLOT_INITIALISE)(1, IDS, record_event, record_status,
                                                                           record_disconnect);
        if (!remotes || operation<wiiuse_find_fn>(WIIUSE_SLOT_FIND)(remotes, 1, find_seconds) != 1) return 0;
        testing::internal::CaptureStdout();
        int connected = operation<wiiuse_connect_fn>(WIIUSE_SLOT_CONNECT)(remotes, 1);
        output = testing::internal::GetCapturedStdout();
        return connected;
    }

    void motion(int on) { operation<wiiuse_motion_sensing_fn>(WIIUSE_SLOT_MOTION_SENSING)(remotes[0], on); }

    // Polls `polls` times and hands back what was delivered meanwhile.
    std::vector<Delivery> poll(int polls = 1) {
        for (int i = 0; i < polls; ++i) operation<wiiuse_poll_fn>(WIIUSE_SLOT_POLL)(remotes, 1);
        std::lock_guard<std::mutex> hold(deliveries_lock);
        std::vector<Delivery> taken;
        taken.swap(deliveries);
        return taken;
    }

    // Through the engine instead: its connection sequence, its poll and its
    // queue; returns the console output.
    std::string engine_connect() {
        testing::internal::CaptureStdout();
        int result = connect_wiimote();
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(result, 0) << out;
        return out;
    }
    std::string engine_poll_and_apply(int polls = 1) {
        testing::internal::CaptureStdout();
        for (int i = 0; i < polls; ++i) wiimote_poll_once();
        apply_remote_events();
        return testing::internal::GetCapturedStdout();
    }

    // Lets the bridge go, whichever way it was opened.
    void close() {
        if (remotes) operation<CleanupFn>(BRIDGE_SLOT_CLEANUP)(remotes, 1);
        remotes = nullptr;
        wiimote_disconnect_and_unload();
        unload_wiiuse();
        EXPECT_EQ(standin_live_devices(), 0) << "every device the bridge opened was released";
    }
    void TearDown() override { close(); }
};

}  // namespace bridge_test
