// The remote's callbacks and the queue that carries their reports from the poll
// thread to the toolkit's thread, where they act like keys between frames.
//
// The queue is a fixed ring of plain records guarded by one mutex: nothing in
// it has a destructor, so a poll thread still running while the process exits
// never touches freed memory.
#include <cstdio>
#include <mutex>

#include "app/replay_player.h"
#include "app/screen_state.h"
#include "input/input_stream.h"
#include "input/keys.h"
#include "input/wiimote.h"
#include "input/wiimote_events.h"
#include "stage/world.h"

namespace {

std::mutex queue_lock;
RemoteNotice queue_ring[REMOTE_QUEUE_CAPACITY];  // guarded by queue_lock
int queue_first = 0;                             // oldest waiting notice
int queue_count = 0;
int queue_dropped = 0;

// The batch being applied on the toolkit's thread, taken out of the ring at once
// so that the poll thread never waits for key handlers.
RemoteNotice applying[REMOTE_QUEUE_CAPACITY];

}  // namespace

void queue_remote_notice(const RemoteNotice& notice) {
    std::lock_guard<std::mutex> hold(queue_lock);
    if (queue_count == REMOTE_QUEUE_CAPACITY) {
        queue_first = (queue_first + 1) % REMOTE_QUEUE_CAPACITY;  // the oldest goes
        --queue_count;
        ++queue_dropped;
    }
    queue_ring[(queue_first + queue_count) % REMOTE_QUEUE_CAPACITY] = notice;
    ++queue_count;
}

int queued_remote_notices() {
    std::lock_guard<std::mutex> hold(queue_lock);
    return queue_count;
}

int remote_notices_dropped() {
    std::lock_guard<std::mutex> hold(queue_lock);
    return queue_dropped;
}

void discard_remote_notices() {
    std::lock_guard<std::mutex> hold(queue_lock);
    queue_first = 0;
    queue_count = 0;
}

void wiimote_event_callback(wiiuse_remote* remote) {
    RemoteNotice notice{};
    notice.kind = REMOTE_REPORT;
    notice.btns = remote->btns;
    notice.btns_held = remote->btns_held;
    notice.state = remote->state;
    notice.roll = remote->orient.roll;
    notice.pitch = remote->orient.pitch;
    queue_remote_notice(notice);
}

void wiimote_status_callback(wiiuse_remote*, int, int, int, int*, float battery_level) {
    RemoteNotice notice{};
    notice.kind = REMOTE_STATUS;
    notice.battery_level = battery_level;
    queue_remote_notice(notice);
}

void wiimote_disconnect_callback(wiiuse_remote* remote) {
    RemoteNotice notice{};
    notice.kind = REMOTE_DISCONNECT;
    notice.remote_id = remote->id;
    queue_remote_notice(notice);
}

static void apply_remote_report(const RemoteNotice& report) {
    if (replay_playing) return apply_remote_replay_buttons(report.btns, report.btns_held);
    // The table is chosen once, by the state the event starts in; each key then
    // acts on whatever state the previous one left.
    int keys[MAX_REMOTE_KEYS];
    const int count = remote_keys_for_report(report.btns, report.btns_held, screen_state, keys);
    for (int i = 0; i < count; ++i) device_key_down(&remote_steering, keys[i]);
    if ((report.state & WIIUSE_STATE_ORIENTATION) != 0 && in_tilt_range(screen_state))
        apply_remote_tilt(report.roll, report.pitch);
}

static int battery_percent(float level) {
    if (!(level > 0.0f)) return 0;  // also a level that is not a number
    if (level > 1.0f) return 100;
    return static_cast<int>(level * 100.0f);
}

void apply_remote_notice(const RemoteNotice& notice) {
    switch (notice.kind) {
        case REMOTE_REPORT:
            apply_remote_report(notice);
            break;
        case REMOTE_STATUS:
            printf("Battery status: %d %%\n", battery_percent(notice.battery_level));
            break;
        case REMOTE_DISCONNECT:
            printf("\n\n--- DISCONNECTED [wiimote id %i] ---\n", notice.remote_id);
            // The ship must not fly on by a tilt nobody holds any more, and the
            // keyboard takes over at its own speed.
            stop_remote_tilt_steering();
            break;
    }
}

void apply_remote_events() {
    int count;
    {
        std::lock_guard<std::mutex> hold(queue_lock);
        count = queue_count;
        for (int i = 0; i < count; ++i) applying[i] = queue_ring[(queue_first + i) % REMOTE_QUEUE_CAPACITY];
        queue_first = 0;
        queue_count = 0;
    }
    for (int i = 0; i < count; ++i) apply_remote_notice(applying[i]);
}
