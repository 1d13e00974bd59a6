// The remote library's run-time interface, shared by the engine (which loads a
// library at run time and calls it) and the libraries that implement it: the
// bridge over libxwiimote and the scripted stand-in used by the tests.
//
// A library exports one C entry point, `wiiuse_main`, that fills in a pointer
// to its `wiiuse_api` record. The record carries the library's version text,
// its API version (the engine accepts only WIIUSE_API_VERSION) and a table of
// WIIUSE_OPERATION_COUNT operations. The engine relies only on the roles of the
// slots named below; the other slots are the library's own business and may be
// empty.
//
// Threads: the engine calls `poll` on its poll thread, and rumble, LEDs,
// motion sensing and status requests on its main thread while the poll thread
// may be polling, so a library guards its device state itself. The remote
// records are written by the library only inside `initialise`, `find`,
// `connect` and `poll` (never from the other operations), so the callbacks,
// which run inside `poll`, may read them without a lock.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    WIIUSE_API_VERSION = 8,
    WIIUSE_OPERATION_COUNT = 22,
};

// Core-button bits of `btns` and `btns_held`, as printed on a remote held upright.
enum {
    WIIUSE_BUTTON_TWO = 0x0001,
    WIIUSE_BUTTON_ONE = 0x0002,
    WIIUSE_BUTTON_B = 0x0004,
    WIIUSE_BUTTON_A = 0x0008,
    WIIUSE_BUTTON_MINUS = 0x0010,
    WIIUSE_BUTTON_HOME = 0x0080,
    WIIUSE_BUTTON_LEFT = 0x0100,
    WIIUSE_BUTTON_RIGHT = 0x0200,
    WIIUSE_BUTTON_DOWN = 0x0400,
    WIIUSE_BUTTON_UP = 0x0800,
    WIIUSE_BUTTON_PLUS = 0x1000,
};

// Bit of `state`: motion sensing is on and `orient` holds the remote's tilt.
enum { WIIUSE_STATE_ORIENTATION = 0x10 };

// The four player LEDs of the LED mask; 0x90 lights the first and the fourth.
enum {
    WIIUSE_LED_1 = 0x10,
    WIIUSE_LED_2 = 0x20,
    WIIUSE_LED_3 = 0x40,
    WIIUSE_LED_4 = 0x80,
};

// Tilt of the remote in degrees, -180..180, smoothed by the library.
struct wiiuse_orientation {
    float roll;   // about the remote's long axis
    float pitch;  // nose up (positive) or down
};

// One remote, as the library presents it to the callbacks.
struct wiiuse_remote {
    int32_t id;        // the id given to `initialise`
    int32_t state;     // state flags (WIIUSE_STATE_*)
    uint16_t btns;       // buttons down in this report
    uint16_t btns_held;  // buttons that were already down in the previous report
    struct wiiuse_orientation orient;  // valid while WIIUSE_STATE_ORIENTATION is set
    void* library_data;  // the library's own per-remote data
};

// Callbacks the engine hands to `initialise`; each runs on the thread that polls.
typedef void (*wiiuse_event_callback)(struct wiiuse_remote* remote);
// The four middle arguments (attachment, speaker, IR, LEDs) are not used by
// the engine; libraries pass 0 and a null LED array.
typedef void (*wiiuse_status_callback)(struct wiiuse_remote* remote, int attachment, int speaker, int ir,
                                       int* leds, float battery_level);
typedef void (*wiiuse_disconnect_callback)(struct wiiuse_remote* remote);

// Signatures of the slots the engine calls.
typedef struct wiiuse_remote** (*wiiuse_initialise_fn)(int count, const int* ids, wiiuse_event_callback event,
                                                      wiiuse_status_callback status,
                                                      wiiuse_disconnect_callback disconnect);
typedef void (*wiiuse_rumble_fn)(struct wiiuse_remote* remote, int on);
typedef void (*wiiuse_set_leds_fn)(struct wiiuse_remote* remote, int mask);
typedef void (*wiiuse_motion_sensing_fn)(struct wiiuse_remote* remote, int on);
typedef void (*wiiuse_request_status_fn)(struct wiiuse_remote* remote);
// Number of remotes found (0 = none) after waiting at most `timeout_seconds`.
typedef int (*wiiuse_find_fn)(struct wiiuse_remote** remotes, int max_remotes, int timeout_seconds);
// Number of remotes connected (0 = failure).
typedef int (*wiiuse_connect_fn)(struct wiiuse_remote** remotes, int count);
typedef void (*wiiuse_disconnect_fn)(struct wiiuse_remote* remote);
// Delivers pending reports through the callbacks; blocks at most about 10 ms.
typedef void (*wiiuse_poll_fn)(struct wiiuse_remote** remotes, int count);

// Roles of the slots the engine calls.
enum {
    WIIUSE_SLOT_INITIALISE = 0,
    WIIUSE_SLOT_RUMBLE = 2,
    WIIUSE_SLOT_SET_LEDS = 4,
    WIIUSE_SLOT_MOTION_SENSING = 5,
    WIIUSE_SLOT_REQUEST_STATUS = 8,
    WIIUSE_SLOT_FIND = 18,
    WIIUSE_SLOT_CONNECT = 19,
    WIIUSE_SLOT_DISCONNECT = 20,
    WIIUSE_SLOT_POLL = 21,
};

// A slot holds any of the signatures above; callers convert it back to the
// signature of its role before calling.
typedef void (*wiiuse_operation)(void);

struct wiiuse_api {
    const char* version;  // the library's version text
    int32_t api_version;  // WIIUSE_API_VERSION for the record laid out here
    wiiuse_operation operations[WIIUSE_OPERATION_COUNT];
};

// The entry point: stores the address of the library's record in *api.
typedef void (*wiiuse_main_fn)(struct wiiuse_api** api);

#ifdef __cplusplus
}
#endif
