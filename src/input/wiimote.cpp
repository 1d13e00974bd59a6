// The remote library's loader, the connection sequence, the poll thread and the
// operations the rest of the game calls.
#include "input/wiimote.h"

#include <atomic>
#include <cstdio>
#include <cstring>

#include "input/wiimote_events.h"
#include "platform/os.h"
#include "stage/world.h"

void* wiiuse_module = nullptr;
wiiuse_api* wiiuse_record = nullptr;
wiiuse_operation wiiuse_operations[WIIUSE_OPERATION_COUNT] = {};
wiiuse_remote** wiimote = nullptr;

namespace {

// The poll thread's life, so that the library is never unloaded under it.
enum { POLL_NOT_STARTED, POLL_RUNNING, POLL_STOPPED };
std::atomic<int> poll_state{POLL_NOT_STARTED};
std::atomic<int> poll_stop_requested{0};
// How long quitting waits for a poll in progress to return (a poll blocks ~10 ms).
constexpr int POLL_STOP_WAIT_MS = 2000;

// The slot of a role, as the signature of that role.
template <typename Operation>
Operation slot(int index) {
    return reinterpret_cast<Operation>(wiiuse_operations[index]);
}

wiiuse_remote* first_remote() { return wiimote ? wiimote[0] : nullptr; }

const int REMOTE_IDS[1] = {1};

}  // namespace

// The record's version text; a library without one gets an empty text, since
// "no text" means failure to the caller.
static const char* record_version() { return wiiuse_record->version ? wiiuse_record->version : ""; }

// Why the last load failed, for connect_wiimote's message: the file may be
// there and still not load (a library it needs is missing), and the player
// needs to know which.
static char load_failure[600] = "";

// The loader's reason, and the package to install when what is missing is the
// library the bridge is built on.
static void note_load_failure(const char* reason) {
    const bool bridge_library_missing = strstr(reason, WIIUSE_NEEDS_LIBRARY) != nullptr;
    snprintf(load_failure, sizeof load_failure, "Wiiuse library not loaded: %s%s%s", reason,
             bridge_library_missing ? "; the Wii Remote needs the package " : "",
             bridge_library_missing ? WIIUSE_NEEDS_PACKAGE : "");
}

const char* load_wiiuse(const char* file) {
    if (wiiuse_record) return record_version();
    if (!file) return nullptr;
    wiiuse_module = os_load_library(file);
    if (!wiiuse_module) {
        note_load_failure(os_library_load_error());
        return nullptr;
    }

    auto entry = reinterpret_cast<wiiuse_main_fn>(os_find_symbol(wiiuse_module, "wiiuse_main"));
    if (entry) entry(&wiiuse_record);
    if (!entry || !wiiuse_record || wiiuse_record->api_version != WIIUSE_API_VERSION) {
        char reason[300];
        if (!entry || !wiiuse_record)
            snprintf(reason, sizeof reason, "%s has no wiiuse_main entry point handing out its record", file);
        else
            snprintf(reason, sizeof reason, "%s speaks API version %d, the game needs %d", file,
                     wiiuse_record->api_version, WIIUSE_API_VERSION);
        note_load_failure(reason);
        unload_wiiuse();
        return nullptr;
    }
    for (int i = 0; i < WIIUSE_OPERATION_COUNT; ++i) wiiuse_operations[i] = wiiuse_record->operations[i];
    printf("wiiuse v%s loaded\n", record_version());
    return record_version();
}

void unload_wiiuse() {
    if (wiiuse_module) os_unload_library(wiiuse_module);
    wiiuse_record = nullptr;
    for (wiiuse_operation& operation : wiiuse_operations) operation = nullptr;
    wiiuse_module = nullptr;
}

int connect_wiimote() {
    const char* version = load_wiiuse(WIIUSE_LIBRARY_FILE);
    printf("Wiiuse DLL Version = %s\n", version ? version : "(null)");
    if (!version) {
        fprintf(stderr, "Failed to load Wiiuse library. Make sure %s is in the same directory\n",
                WIIUSE_LIBRARY_NAME);
        fprintf(stderr, "%s\n", load_failure);
        return -1;
    }

    wiimote = slot<wiiuse_initialise_fn>(WIIUSE_SLOT_INITIALISE)(1, REMOTE_IDS, wiimote_event_callback,
                                                                 wiimote_status_callback,
                                                                 wiimote_disconnect_callback);
    if (!wiimote || !first_remote()) {
        // A library that cannot even set up a remote has none to find.
        printf("No Wiimotes could be found!\n");
        return -1;
    }
    if (slot<wiiuse_find_fn>(WIIUSE_SLOT_FIND)(wiimote, 1, WIIMOTE_FIND_TIMEOUT_SECONDS) == 0) {
        printf("No Wiimotes could be found!\n");
        return -1;
    }
    if (slot<wiiuse_connect_fn>(WIIUSE_SLOT_CONNECT)(wiimote, 1) == 0) {
        printf("Failed to connect to the Wiimote!\n");
        return -1;
    }
    printf("Connection to Wiimote estabished!\n");

    wiimote_set_leds(WIIMOTE_LEDS_1_AND_4);
    wiimote_rumble(1);
    os_sleep_ms(WIIMOTE_RUMBLE_GREETING_MS);
    wiimote_rumble(0);
    slot<wiiuse_request_status_fn>(WIIUSE_SLOT_REQUEST_STATUS)(first_remote());  // answered while polling
    wiimote_motion_sensing(0);

    tilt_pitch = 0;
    tilt_roll = 0;
    return 0;
}

void wiimote_poll_once() {
    if (!wiiuse_module || !wiimote) return;
    slot<wiiuse_poll_fn>(WIIUSE_SLOT_POLL)(wiimote, 1);
}

void poll_thread() {
    int expected = POLL_NOT_STARTED;
    if (!poll_state.compare_exchange_strong(expected, POLL_RUNNING)) return;  // quit came first
    while (!poll_stop_requested.load()) wiimote_poll_once();
    poll_state.store(POLL_STOPPED);
}

// Asks the poll thread to leave the library and waits until it has; false when
// a poll never returned (the library is then left loaded).
static bool stop_poll_thread() {
    poll_stop_requested.store(1);
    int expected = POLL_NOT_STARTED;
    if (poll_state.compare_exchange_strong(expected, POLL_STOPPED)) return true;  // never polled
    for (int waited = 0; waited < POLL_STOP_WAIT_MS; ++waited) {
        if (poll_state.load() == POLL_STOPPED) return true;
        os_sleep_ms(1);
    }
    return poll_state.load() == POLL_STOPPED;
}

int wiiuse_loaded() { return wiiuse_module != nullptr; }

int wiimote_polling() { return poll_state.load() == POLL_RUNNING; }

void wiimote_motion_sensing(int on) {
    if (!wiiuse_module || !first_remote()) return;
    slot<wiiuse_motion_sensing_fn>(WIIUSE_SLOT_MOTION_SENSING)(first_remote(), on);
}

void wiimote_set_leds(int mask) {
    if (!wiiuse_module || !first_remote()) return;
    slot<wiiuse_set_leds_fn>(WIIUSE_SLOT_SET_LEDS)(first_remote(), mask);
}

void wiimote_rumble(int on) {
    if (!wiiuse_module || !first_remote()) return;
    slot<wiiuse_rumble_fn>(WIIUSE_SLOT_RUMBLE)(first_remote(), on);
}

void wiimote_disconnect_and_unload() {
    if (!wiiuse_module) return;
    // Unloading the library while the poll thread runs its code would crash the
    // exit: the thread leaves the library first.
    if (!stop_poll_thread()) return;
    if (first_remote()) slot<wiiuse_disconnect_fn>(WIIUSE_SLOT_DISCONNECT)(first_remote());
    unload_wiiuse();
    wiimote = nullptr;  // the array lived in the library
    discard_remote_notices();
    // A later connection (tests) starts with a fresh poll thread.
    poll_state.store(POLL_NOT_STARTED);
    poll_stop_requested.store(0);
}
