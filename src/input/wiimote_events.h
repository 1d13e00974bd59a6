// What the remote's callbacks hand from the poll thread to the toolkit's
// thread, and how a report becomes key presses and steering.
#pragma once

#include <cstdint>

#include "input/keys.h"
#include "input/wiiuse_api.h"

enum RemoteNoticeKind { REMOTE_REPORT, REMOTE_STATUS, REMOTE_DISCONNECT };

// A copy of what one callback saw, taken on the poll thread.
struct RemoteNotice {
    int kind;             // RemoteNoticeKind
    uint16_t btns;        // report: buttons down now
    uint16_t btns_held;   // report: buttons down in the previous report too
    int32_t state;        // report: the remote's state flags
    float roll, pitch;    // report: orientation in degrees
    float battery_level;  // status: 0..1
    int32_t remote_id;    // disconnect: the remote's id
};

// Reports waiting for the toolkit's thread. When the toolkit stops applying
// them (a hidden window has no idle callback) the oldest are dropped.
constexpr int REMOTE_QUEUE_CAPACITY = 1024;

// The callbacks handed to the library's initialise; they only queue.
void wiimote_event_callback(wiiuse_remote* remote);
void wiimote_status_callback(wiiuse_remote* remote, int attachment, int speaker, int ir, int* leds,
                             float battery_level);
void wiimote_disconnect_callback(wiiuse_remote* remote);

// Queues one notice (poll thread). Drops the oldest one when the queue is full.
void queue_remote_notice(const RemoteNotice& notice);
// Number of notices waiting, and dropped so far for want of room.
int queued_remote_notices();
int remote_notices_dropped();
// Empties the queue without applying it; for tests and a fresh connection.
void discard_remote_notices();

// Applies one notice with the event, status or disconnect logic (toolkit thread).
void apply_remote_notice(const RemoteNotice& notice);

constexpr int MAX_REMOTE_KEYS = 8;

// The game keys one report sends, in order, by the screen state at the start of the
// event: menu tables act on every listed button that is down, the stage table
// only on buttons newly down. Writes at most MAX_REMOTE_KEYS; returns the count.
int remote_keys_for_report(uint16_t btns, uint16_t btns_held, int state, int keys[MAX_REMOTE_KEYS]);
// While a replay plays, a report reaches its controls instead of the screen's
// keys, pressed and let go (a held button plays fast); the tilt steers nothing.
// Called by the report logic in place of the tables and the tilt.
void apply_remote_replay_buttons(uint16_t btns, uint16_t btns_held);

// What the remote steers: its tilt, and the arrow keys it imitates in menus.
extern DeviceSteering remote_steering;

// Tilt steering of one report in state 2 or above: left or right by the sign of
// the pitch, up or down by the roll, then the truncated angles become
// tilt_pitch and tilt_roll and tilt_active is set.
void apply_remote_tilt(float roll, float pitch);
// The remote has gone: the axes its tilt still steers fall back to the arrow
// keys still held, or stop (an axis another input has pressed since stays as
// that input left it), and keys steer at their own speed again. Called by the
// disconnect notice.
void stop_remote_tilt_steering();
