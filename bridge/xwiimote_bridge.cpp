// The game's remote library over libxwiimote. The kernel's hid-wiimote driver
// does the Bluetooth work once the operating system has paired and connected a
// remote; this library finds such a remote through libxwiimote's monitor, opens
// its core interface (buttons, LEDs, rumble) and, while motion sensing is on,
// its accelerometer, and presents it through the engine's remote interface.
//
// Threads: the engine polls on its poll thread and calls LEDs, rumble, motion
// sensing and status requests from its main thread, so each remote's device is
// guarded by its own lock. The lock is never held while waiting for input or
// while a callback runs.
#include <dirent.h>
#include <errno.h>
#include <poll.h>
#include <pthread.h>
#include <time.h>
#include <xwiimote.h>

#include <cstdlib>
#include <cstring>

#include "input/wiimote_orientation.h"
#include "input/wiiuse_api.h"

namespace {

constexpr int POLL_LIMIT_MS = 10;        // longest a poll blocks
constexpr int FIND_STEP_MS = 100;        // how often find looks again while waiting
constexpr int REPORTS_PER_POLL = 64;     // the rest waits for the next poll
constexpr const char* BLUETOOTH_ADAPTERS = "/sys/class/bluetooth";

struct BridgeRemote {
    pthread_mutex_t lock;
    char* syspath;        // the remote's HID device, from find
    xwii_iface* device;   // while connected
    int connected;
    int motion_on;        // the accelerometer is open and tilt is reported
    int status_requested;
    TiltFilter tilt;
    // Touched by the polling thread only.
    uint16_t buttons;
    float roll, pitch;    // last reported tilt
};

wiiuse_event_callback on_event = nullptr;
wiiuse_status_callback on_status = nullptr;
wiiuse_disconnect_callback on_disconnect = nullptr;

BridgeRemote* bridge_of(wiiuse_remote* remote) {
    return remote ? static_cast<BridgeRemote*>(remote->library_data) : nullptr;
}

long now_ms() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000L + now.tv_nsec / 1000000L;
}

void sleep_ms(int ms) {
    timespec wait{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0) {
    }
}

// A machine without a Bluetooth adapter cannot gain a remote while we wait.
bool bluetooth_adapter_present() {
    DIR* adapters = opendir(BLUETOOTH_ADAPTERS);
    if (!adapters) return false;
    bool present = false;
    while (dirent* entry = readdir(adapters))
        if (entry->d_name[0] != '.') present = true;
    closedir(adapters);
    return present;
}

// True when `syspath` is a remote whose buttons we can read (not, say, a
// balance board).
bool has_core_interface(const char* syspath) {
    xwii_iface* device = nullptr;
    if (xwii_iface_new(&device, syspath) != 0) return false;
    bool core = (xwii_iface_available(device) & XWII_IFACE_CORE) != 0;
    xwii_iface_unref(device);
    return core;
}

uint16_t button_bit(unsigned int code) {
    switch (code) {
        case XWII_KEY_LEFT: return WIIUSE_BUTTON_LEFT;
        case XWII_KEY_RIGHT: return WIIUSE_BUTTON_RIGHT;
        case XWII_KEY_UP: return WIIUSE_BUTTON_UP;
        case XWII_KEY_DOWN: return WIIUSE_BUTTON_DOWN;
        case XWII_KEY_A: return WIIUSE_BUTTON_A;
        case XWII_KEY_B: return WIIUSE_BUTTON_B;
        case XWII_KEY_PLUS: return WIIUSE_BUTTON_PLUS;
        case XWII_KEY_MINUS: return WIIUSE_BUTTON_MINUS;
        case XWII_KEY_HOME: return WIIUSE_BUTTON_HOME;
        case XWII_KEY_ONE: return WIIUSE_BUTTON_ONE;
        case XWII_KEY_TWO: return WIIUSE_BUTTON_TWO;
        default: return 0;
    }
}

// Closes the device; the caller holds the remote's lock.
void close_device(BridgeRemote* bridge) {
    if (bridge->device) xwii_iface_unref(bridge->device);  // closes every interface
    bridge->device = nullptr;
    bridge->connected = 0;
    bridge->motion_on = 0;
}

// ---- the operations ----

wiiuse_remote** bridge_initialise(int count, const int* ids, wiiuse_event_callback event,
                                  wiiuse_status_callback status, wiiuse_disconnect_callback disconnect) {
    if (count < 1) return nullptr;
    on_event = event;
    on_status = status;
    on_disconnect = disconnect;
    auto remotes = static_cast<wiiuse_remote**>(calloc(static_cast<size_t>(count), sizeof(wiiuse_remote*)));
    if (!remotes) return nullptr;
    for (int i = 0; i < count; ++i) {
        auto remote = static_cast<wiiuse_remote*>(calloc(1, sizeof(wiiuse_remote)));
        auto bridge = static_cast<BridgeRemote*>(calloc(1, sizeof(BridgeRemote)));
        if (!remote || !bridge) {
            free(remote);
            free(bridge);
            continue;
        }
        pthread_mutex_init(&bridge->lock, nullptr);
        remote->id = ids ? ids[i] : i + 1;
        remote->library_data = bridge;
        remotes[i] = remote;
    }
    return remotes;
}

void bridge_cleanup(wiiuse_remote** remotes, int count) {
    if (!remotes) return;
    for (int i = 0; i < count; ++i) {
        BridgeRemote* bridge = bridge_of(remotes[i]);
        if (bridge) {
            pthread_mutex_lock(&bridge->lock);
            close_device(bridge);
            free(bridge->syspath);
            pthread_mutex_unlock(&bridge->lock);
            pthread_mutex_destroy(&bridge->lock);
            free(bridge);
        }
        free(remotes[i]);
    }
    free(remotes);
}

// Where find keeps what it has seen: a device whose core interface is not
// there yet (the driver adds it a moment after the device appears) is kept and
// looked at again while find waits.
struct FindState {
    wiiuse_remote** remotes;
    int max_remotes;
    int found;
    char* pending;  // a device still without its core interface
};

void offer_device(FindState* state, char* path) {
    BridgeRemote* bridge = state->found < state->max_remotes ? bridge_of(state->remotes[state->found]) : nullptr;
    if (bridge && has_core_interface(path)) {
        free(bridge->syspath);
        bridge->syspath = path;
        ++state->found;
    } else if (bridge && !state->pending) {
        state->pending = path;
    } else {
        free(path);
    }
}

// Takes every device path the monitor has to give, and the pending one again.
void take_devices(xwii_monitor* monitor, FindState* state) {
    if (state->pending) {
        char* again = state->pending;
        state->pending = nullptr;
        offer_device(state, again);
    }
    while (char* path = xwii_monitor_poll(monitor)) offer_device(state, path);
}

// Remotes the kernel already knows come at once; otherwise we wait for one to
// be connected (paired by the operating system) until the time-out, unless the
// machine has no Bluetooth adapter at all.
int bridge_find(wiiuse_remote** remotes, int max_remotes, int timeout_seconds) {
    if (!remotes || max_remotes < 1) return 0;
    xwii_monitor* monitor = xwii_monitor_new(true, false);
    bool hotplug = monitor != nullptr;
    if (!monitor) monitor = xwii_monitor_new(false, false);
    if (!monitor) return 0;
    FindState state{remotes, max_remotes, 0, nullptr};
    take_devices(monitor, &state);

    if (state.found == 0 && (state.pending || bluetooth_adapter_present())) {
        int fd = hotplug ? xwii_monitor_get_fd(monitor, false) : -1;
        long deadline = now_ms() + timeout_seconds * 1000L;
        while (state.found == 0 && now_ms() < deadline) {
            if (fd >= 0) {
                pollfd wait{fd, POLLIN, 0};
                poll(&wait, 1, FIND_STEP_MS);
                take_devices(monitor, &state);
            } else {
                // No hot-plug notices here: look the devices over again.
                sleep_ms(FIND_STEP_MS);
                xwii_monitor* again = xwii_monitor_new(false, false);
                if (again) {
                    take_devices(again, &state);
                    xwii_monitor_unref(again);
                }
            }
        }
    }
    free(state.pending);
    xwii_monitor_unref(monitor);
    return state.found;
}

int bridge_connect(wiiuse_remote** remotes, int count) {
    if (!remotes) return 0;
    int connected = 0;
    for (int i = 0; i < count; ++i) {
        BridgeRemote* bridge = bridge_of(remotes[i]);
        if (!bridge || !bridge->syspath) continue;
        pthread_mutex_lock(&bridge->lock);
        close_device(bridge);
        xwii_iface* device = nullptr;
        if (xwii_iface_new(&device, bridge->syspath) == 0) {
            // Writable for rumble; a player without write access still gets buttons.
            if (xwii_iface_open(device, XWII_IFACE_CORE | XWII_IFACE_WRITABLE) != 0)
                xwii_iface_open(device, XWII_IFACE_CORE);
            if (xwii_iface_opened(device) & XWII_IFACE_CORE) {
                xwii_iface_watch(device, true);  // removal notices; without them a read error tells
                bridge->device = device;
                bridge->connected = 1;
                bridge->buttons = 0;
                ++connected;
            } else {
                xwii_iface_unref(device);
            }
        }
        pthread_mutex_unlock(&bridge->lock);
    }
    return connected;
}

void bridge_disconnect(wiiuse_remote* remote) {
    BridgeRemote* bridge = bridge_of(remote);
    if (!bridge) return;
    pthread_mutex_lock(&bridge->lock);
    close_device(bridge);
    pthread_mutex_unlock(&bridge->lock);
}

void bridge_rumble(wiiuse_remote* remote, int on) {
    BridgeRemote* bridge = bridge_of(remote);
    if (!bridge) return;
    pthread_mutex_lock(&bridge->lock);
    if (bridge->device) xwii_iface_rumble(bridge->device, on != 0);
    pthread_mutex_unlock(&bridge->lock);
}

void bridge_set_leds(wiiuse_remote* remote, int mask) {
    BridgeRemote* bridge = bridge_of(remote);
    if (!bridge) return;
    const int LED_BITS[4] = {WIIUSE_LED_1, WIIUSE_LED_2, WIIUSE_LED_3, WIIUSE_LED_4};
    pthread_mutex_lock(&bridge->lock);
    if (bridge->device)
        for (int n = 1; n <= 4; ++n) xwii_iface_set_led(bridge->device, XWII_LED(n), (mask & LED_BITS[n - 1]) != 0);
    pthread_mutex_unlock(&bridge->lock);
}

void bridge_motion_sensing(wiiuse_remote* remote, int on) {
    BridgeRemote* bridge = bridge_of(remote);
    if (!bridge) return;
    pthread_mutex_lock(&bridge->lock);
    if (bridge->device) {
        if (on) {
            xwii_iface_open(bridge->device, XWII_IFACE_ACCEL);
            bridge->motion_on = (xwii_iface_opened(bridge->device) & XWII_IFACE_ACCEL) != 0;
        } else {
            xwii_iface_close(bridge->device, XWII_IFACE_ACCEL);
            bridge->motion_on = 0;
        }
        tilt_filter_reset(&bridge->tilt);
    }
    pthread_mutex_unlock(&bridge->lock);
}

void bridge_request_status(wiiuse_remote* remote) {
    BridgeRemote* bridge = bridge_of(remote);
    if (!bridge) return;
    pthread_mutex_lock(&bridge->lock);
    bridge->status_requested = 1;
    pthread_mutex_unlock(&bridge->lock);
}

// What one input event becomes, taken under the lock and delivered after it.
struct Report {
    uint16_t btns, btns_held;
    float roll, pitch;
};

// Reads the events waiting on one remote; the caller holds its lock. Returns
// the number of reports, and sets *gone when the remote went away.
int read_reports(BridgeRemote* bridge, Report* reports, bool* gone) {
    int count = 0;
    xwii_event event;
    while (count < REPORTS_PER_POLL) {
        int result = xwii_iface_dispatch(bridge->device, &event, sizeof event);
        if (result == -EAGAIN) break;
        if (result < 0) {
            *gone = true;
            break;
        }
        if (event.type == XWII_EVENT_KEY) {
            uint16_t bit = button_bit(event.v.key.code);
            if (!bit || event.v.key.state > 1) continue;  // not a core button, or auto-repeat
            uint16_t now = event.v.key.state ? (bridge->buttons | bit) : (bridge->buttons & ~bit);
            if (now == bridge->buttons) continue;
            reports[count++] = Report{now, bridge->buttons, bridge->roll, bridge->pitch};
            bridge->buttons = now;
        } else if (event.type == XWII_EVENT_ACCEL) {
            if (!bridge->motion_on) continue;
            const xwii_event_abs& accel = event.v.abs[0];
            if (!tilt_filter_update(&bridge->tilt, accel.x, accel.y, accel.z)) continue;
            bridge->roll = bridge->tilt.roll;
            bridge->pitch = bridge->tilt.pitch;
            reports[count++] = Report{bridge->buttons, bridge->buttons, bridge->roll, bridge->pitch};
        } else if (event.type == XWII_EVENT_WATCH) {
            if (!(xwii_iface_opened(bridge->device) & XWII_IFACE_CORE)) {
                *gone = true;
                break;
            }
        }
    }
    return count;
}

void poll_remote(wiiuse_remote* remote, bool readable) {
    BridgeRemote* bridge = bridge_of(remote);
    Report reports[REPORTS_PER_POLL];
    int count = 0;
    bool gone = false;
    bool answer_status = false;
    uint8_t capacity = 0;

    pthread_mutex_lock(&bridge->lock);
    if (bridge->connected) {
        if (bridge->status_requested) {
            bridge->status_requested = 0;
            answer_status = xwii_iface_get_battery(bridge->device, &capacity) == 0;
        }
        if (readable) count = read_reports(bridge, reports, &gone);
        if (gone) close_device(bridge);
    }
    int32_t state = bridge->motion_on ? WIIUSE_STATE_ORIENTATION : 0;
    pthread_mutex_unlock(&bridge->lock);

    remote->state = state;
    if (answer_status && on_status) on_status(remote, 0, 0, 0, nullptr, capacity / 100.0f);
    for (int i = 0; i < count; ++i) {
        remote->btns = reports[i].btns;
        remote->btns_held = reports[i].btns_held;
        remote->orient.roll = reports[i].roll;
        remote->orient.pitch = reports[i].pitch;
        if (on_event) on_event(remote);
    }
    if (gone) {
        remote->btns = remote->btns_held = 0;
        if (on_disconnect) on_disconnect(remote);
    }
}

// Waits at most POLL_LIMIT_MS for input from the connected remotes, then
// delivers what came through the callbacks.
void bridge_poll(wiiuse_remote** remotes, int count) {
    if (!remotes || count < 1) return;
    constexpr int MAX_POLLED = 4;
    pollfd waits[MAX_POLLED];
    int polled[MAX_POLLED];
    int n = 0;
    for (int i = 0; i < count && n < MAX_POLLED; ++i) {
        BridgeRemote* bridge = bridge_of(remotes[i]);
        if (!bridge) continue;
        pthread_mutex_lock(&bridge->lock);
        if (bridge->device) {
            waits[n] = pollfd{xwii_iface_get_fd(bridge->device), POLLIN, 0};
            polled[n++] = i;
        }
        pthread_mutex_unlock(&bridge->lock);
    }
    if (n == 0) {
        sleep_ms(POLL_LIMIT_MS);  // nothing connected: never spin
        return;
    }
    poll(waits, static_cast<nfds_t>(n), POLL_LIMIT_MS);
    for (int k = 0; k < n; ++k) poll_remote(remotes[polled[k]], waits[k].revents != 0);
}

template <typename Function>
wiiuse_operation as_operation(Function function) {
    return reinterpret_cast<wiiuse_operation>(function);
}

wiiuse_api record = {"1.0 (libxwiimote bridge)", WIIUSE_API_VERSION, {}};

}  // namespace

extern "C" __attribute__((visibility("default"))) void wiiuse_main(wiiuse_api** api) {
    record.operations[WIIUSE_SLOT_INITIALISE] = as_operation(&bridge_initialise);
    record.operations[1] = as_operation(&bridge_cleanup);
    record.operations[WIIUSE_SLOT_RUMBLE] = as_operation(&bridge_rumble);
    record.operations[WIIUSE_SLOT_SET_LEDS] = as_operation(&bridge_set_leds);
    record.operations[WIIUSE_SLOT_MOTION_SENSING] = as_operation(&bridge_motion_sensing);
    record.operations[WIIUSE_SLOT_REQUEST_STATUS] = as_operation(&bridge_request_status);
    record.operations[WIIUSE_SLOT_FIND] = as_operation(&bridge_find);
    record.operations[WIIUSE_SLOT_CONNECT] = as_operation(&bridge_connect);
    record.operations[WIIUSE_SLOT_DISCONNECT] = as_operation(&bridge_disconnect);
    record.operations[WIIUSE_SLOT_POLL] = as_operation(&bridge_poll);
    *api = &record;
}
