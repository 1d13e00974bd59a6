// The game's remote library over libxwiimote. The kernel's hid-wiimote driver
// does the Bluetooth work once the operating system has paired and connected a
// remote; this library finds such a remote through libxwiimote's monitor, opens
// its core interface (buttons, LEDs, rumble) and, while motion sensing is on,
// its accelerometer, and presents it through the engine's remote interface.
//
// Threads: the engine polls on its poll thread and calls LEDs, rumble, motion
// sensing and status requests from its main thread, so each remote's device is
// guarded by its own lock. The lock is never held while waiting for input or a
// retry, nor while a callback runs: the main thread must never wait on a poll.
#include <dirent.h>
#include <errno.h>
#include <poll.h>
#include <pthread.h>
#include <time.h>
#include <xwiimote.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "input/wiimote_orientation.h"
#include "input/wiiuse_api.h"

namespace {

constexpr int POLL_LIMIT_MS = 10;        // longest a poll blocks
constexpr int FIND_STEP_MS = 100;        // how often find looks again while waiting
constexpr int REPORTS_PER_POLL = 64;     // the rest waits for the next poll
constexpr const char* BLUETOOTH_ADAPTERS = "/sys/class/bluetooth";
// Right after a remote appears its input devices belong to root until udev has
// given them to the player: the open is tried again for about a second.
constexpr int OPEN_RETRY_LIMIT_MS = 1000;
constexpr int OPEN_RETRY_STEP_MS = 50;
// How often the poll thread tries a refused or lost accelerometer again.
constexpr int ACCEL_RETRY_MS = 200;

struct BridgeRemote {
    pthread_mutex_t lock;
    char* syspath;        // the remote's HID device, from find
    xwii_iface* device;   // while connected
    int connected;
    int motion_wanted;    // the engine has motion sensing on
    int accel_open;       // the accelerometer is open and tilt is reported
    long accel_retry_at;  // while wanted but not open: when the poll thread tries again (ms)
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
    bridge->motion_wanted = 0;
    bridge->accel_open = 0;
}

// The level the engine's status callback takes (0..1) for the percentage the
// driver reports. The middle of that percent, so that a reader who truncates
// level x 100 gets the driver's number back (53 / 100.0f x 100 is 52.99...).
float battery_level(uint8_t capacity) {
    float level = (static_cast<float>(capacity) + 0.5f) / 100.0f;
    return level > 1.0f ? 1.0f : level;
}

// Opens the core interface of the remote at `syspath`: writable for rumble and,
// when writing is refused, read-only, which still gives the buttons. Returns the
// device, or nullptr with the libxwiimote error in *error.
xwii_iface* open_core(const char* syspath, int* error) {
    xwii_iface* device = nullptr;
    int result = xwii_iface_new(&device, syspath);
    if (result != 0) {
        *error = result;
        return nullptr;
    }
    result = xwii_iface_open(device, XWII_IFACE_CORE | XWII_IFACE_WRITABLE);
    if (result != 0) result = xwii_iface_open(device, XWII_IFACE_CORE);
    if (xwii_iface_opened(device) & XWII_IFACE_CORE) return device;
    *error = result != 0 ? result : -ENODEV;
    xwii_iface_unref(device);
    return nullptr;
}

// Errors of a device that has only just appeared: no permission yet, or its
// node not made yet.
bool transient_open_error(int error) {
    return error == -EACCES || error == -EPERM || error == -ENOENT || error == -ENODEV;
}

// The state flags of a report; the caller holds the lock.
int32_t orientation_state(const BridgeRemote* bridge) { return bridge->accel_open ? WIIUSE_STATE_ORIENTATION : 0; }

// Tries the accelerometer; the caller holds the lock. Returns 0 or the error.
int open_accelerometer(BridgeRemote* bridge) {
    int result = xwii_iface_open(bridge->device, XWII_IFACE_ACCEL);
    bridge->accel_open = (xwii_iface_opened(bridge->device) & XWII_IFACE_ACCEL) != 0;
    tilt_filter_reset(&bridge->tilt);  // the first reading after (re)opening counts at once
    if (bridge->accel_open) return 0;
    bridge->accel_retry_at = now_ms() + ACCEL_RETRY_MS;
    return result != 0 ? result : -ENODEV;
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
    const long deadline_ms = now_ms() + timeout_seconds * 1000L;
    take_devices(monitor, &state);

    if (state.found == 0 && (state.pending || bluetooth_adapter_present())) {
        int fd = hotplug ? xwii_monitor_get_fd(monitor, false) : -1;
        while (state.found == 0 && now_ms() < deadline_ms) {
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

// Opens the remote found, trying again while a device that has only just
// appeared refuses (at start-up, on the game's thread, before any frame). The
// retry gets its whole time however late in find's wait the remote appeared:
// a remote connected just before the wait ran out needs udev's second as much
// as one connected early, and cutting it short loses the player's remote.
xwii_iface* open_found_remote(const char* syspath) {
    const long deadline = now_ms() + OPEN_RETRY_LIMIT_MS;
    int error = 0;
    for (;;) {
        if (xwii_iface* device = open_core(syspath, &error)) return device;
        if (!transient_open_error(error) || now_ms() + OPEN_RETRY_STEP_MS > deadline) break;
        sleep_ms(OPEN_RETRY_STEP_MS);
    }
    printf("Wiimote could not be opened: %s\n", strerror(-error));
    return nullptr;
}

int bridge_connect(wiiuse_remote** remotes, int count) {
    if (!remotes) return 0;
    int connected = 0;
    for (int i = 0; i < count; ++i) {
        BridgeRemote* bridge = bridge_of(remotes[i]);
        if (!bridge || !bridge->syspath) continue;
        pthread_mutex_lock(&bridge->lock);
        close_device(bridge);
        pthread_mutex_unlock(&bridge->lock);

        xwii_iface* device = open_found_remote(bridge->syspath);  // may wait: without the lock
        if (!device) continue;
        xwii_iface_watch(device, true);  // removal notices; without them a read error tells
        pthread_mutex_lock(&bridge->lock);
        bridge->device = device;
        bridge->connected = 1;
        bridge->buttons = 0;
        pthread_mutex_unlock(&bridge->lock);
        ++connected;
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

// Called on the game's thread at the start and end of a game: one try, never a
// wait. A refused accelerometer is tried again by the poll thread.
void bridge_motion_sensing(wiiuse_remote* remote, int on) {
    BridgeRemote* bridge = bridge_of(remote);
    if (!bridge) return;
    int refused = 0;
    pthread_mutex_lock(&bridge->lock);
    if (bridge->device) {
        bridge->motion_wanted = on != 0;
        if (on) {
            refused = open_accelerometer(bridge);
        } else {
            xwii_iface_close(bridge->device, XWII_IFACE_ACCEL);
            bridge->accel_open = 0;
        }
    }
    pthread_mutex_unlock(&bridge->lock);
    if (refused) printf("Wiimote accelerometer could not be opened: %s; trying again\n", strerror(-refused));
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
    int32_t state;
    float roll, pitch;
};

// What one poll found besides reports.
struct PollNews {
    bool gone;          // the remote went away
    bool accel_lost;    // the accelerometer closed under us while the core stays
};

// Reads the events waiting on one remote; the caller holds its lock. Returns
// the number of reports.
int read_reports(BridgeRemote* bridge, Report* reports, PollNews* news) {
    int count = 0;
    xwii_event event;
    while (count < REPORTS_PER_POLL) {
        int result = xwii_iface_dispatch(bridge->device, &event, sizeof event);
        if (result == -EAGAIN) break;
        if (result < 0) {
            news->gone = true;
            break;
        }
        if (event.type == XWII_EVENT_KEY) {
            uint16_t bit = button_bit(event.v.key.code);
            if (!bit || event.v.key.state > 1) continue;  // not a core button, or auto-repeat
            uint16_t now = event.v.key.state ? (bridge->buttons | bit) : (bridge->buttons & ~bit);
            if (now == bridge->buttons) continue;
            reports[count++] = Report{now, bridge->buttons, orientation_state(bridge), bridge->roll, bridge->pitch};
            bridge->buttons = now;
        } else if (event.type == XWII_EVENT_ACCEL) {
            if (!bridge->accel_open) continue;
            const xwii_event_abs& accel = event.v.abs[0];
            if (!tilt_filter_update(&bridge->tilt, accel.x, accel.y, accel.z)) continue;
            bridge->roll = bridge->tilt.roll;
            bridge->pitch = bridge->tilt.pitch;
            reports[count++] = Report{bridge->buttons, bridge->buttons, WIIUSE_STATE_ORIENTATION, bridge->roll,
                                      bridge->pitch};
        } else if (event.type == XWII_EVENT_WATCH) {
            unsigned int opened = xwii_iface_opened(bridge->device);
            if (!(opened & XWII_IFACE_CORE)) {
                news->gone = true;
                break;
            }
            if (bridge->accel_open && !(opened & XWII_IFACE_ACCEL)) {
                // Until it is back the remote counts as level: the ship must not
                // fly on by the last tilt read.
                news->accel_lost = true;
                bridge->accel_open = 0;
                bridge->accel_retry_at = now_ms();
                bridge->roll = bridge->pitch = 0.0f;
                reports[count++] = Report{bridge->buttons, bridge->buttons, WIIUSE_STATE_ORIENTATION, 0.0f, 0.0f};
            }
        }
    }
    return count;
}

void poll_remote(wiiuse_remote* remote, bool readable) {
    BridgeRemote* bridge = bridge_of(remote);
    Report reports[REPORTS_PER_POLL];
    int count = 0;
    PollNews news{};
    bool answer_status = false;
    uint8_t capacity = 0;

    pthread_mutex_lock(&bridge->lock);
    if (bridge->connected) {
        if (bridge->status_requested) {
            bridge->status_requested = 0;
            answer_status = xwii_iface_get_battery(bridge->device, &capacity) == 0;
        }
        if (readable) count = read_reports(bridge, reports, &news);
        if (news.gone) close_device(bridge);
        if (bridge->motion_wanted && !bridge->accel_open && now_ms() >= bridge->accel_retry_at)
            open_accelerometer(bridge);
    }
    int32_t state = orientation_state(bridge);
    pthread_mutex_unlock(&bridge->lock);

    if (news.accel_lost) printf("Wiimote accelerometer lost; reopening\n");
    remote->state = state;
    if (answer_status && on_status) on_status(remote, 0, 0, 0, nullptr, battery_level(capacity));
    for (int i = 0; i < count; ++i) {
        remote->state = reports[i].state;
        remote->btns = reports[i].btns;
        remote->btns_held = reports[i].btns_held;
        remote->orient.roll = reports[i].roll;
        remote->orient.pitch = reports[i].pitch;
        if (on_event) on_event(remote);
    }
    remote->state = state;
    if (news.gone) {
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
