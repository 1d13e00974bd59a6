// A stand-in remote library for the tests. It has the real library's shape
// (entry point `wiiuse_main`, the shared record) and plays one remote whose
// reports come from `wiiuse_script.txt` beside the library file; every
// operation the engine calls is written, one line each, to `wiiuse_log.txt`
// beside it.
//
// Script lines (one per line; `#` starts a comment, blank lines are skipped):
//   find N                        what find returns (default 1)
//   connect N                     what connect returns (default 1)
//   battery LEVEL                 level 0..1 a status request answers with (default 1)
//   buttons [NAME ...]            a report with exactly these buttons down; names:
//                                 TWO ONE B A MINUS HOME LEFT RIGHT DOWN UP PLUS
//   tilt pitch=DEG roll=DEG       a report with this orientation, buttons unchanged
//   status LEVEL                  a status report with this battery level
//   disconnect                    the remote goes away (disconnect callback)
//   sleep MS                      no reports for MS milliseconds
//   wait FILE                     no reports until FILE exists beside the script
//   wait_motion on|off            no reports until motion sensing is on / off
// find, connect and battery take effect when the script is read, wherever they
// stand. Each poll delivers at most one report: a pending status request's
// answer first, then the next report line. A poll with nothing to deliver
// blocks 10 ms, like a real remote's poll.
//
// Log lines: "initialise COUNT id=ID", "find max=M timeout=S -> N",
// "connect -> N", "leds MASK", "rumble 0|1", "status request", "motion 0|1",
// "disconnect", "script done" (once the last line was played), "unload".
//
// Built three ways: the normal library, one without the entry point
// (SCRIPTED_WIIUSE_NO_ENTRY) and one with another API version
// (SCRIPTED_WIIUSE_API_VERSION).
#include <dlfcn.h>
#include <pthread.h>
#include <sys/stat.h>
#include <time.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "input/wiiuse_api.h"

#ifndef SCRIPTED_WIIUSE_API_VERSION
#define SCRIPTED_WIIUSE_API_VERSION WIIUSE_API_VERSION
#endif

namespace {

constexpr int IDLE_POLL_MS = 10;
constexpr int PATH_SIZE = 4096;
constexpr int LINE_SIZE = 512;

enum StepKind { STEP_BUTTONS, STEP_TILT, STEP_STATUS, STEP_DISCONNECT, STEP_SLEEP, STEP_WAIT_FILE, STEP_WAIT_MOTION };

struct Step {
    int kind;
    uint16_t buttons;
    float pitch, roll;
    float level;
    int milliseconds;
    int motion;              // wait_motion: 1 on, 0 off
    char* file;              // wait: full path (malloc'd)
};

// Everything below lives in plain storage without destructors: the engine's
// poll thread may still be inside poll while the process exits.
pthread_mutex_t state_lock = PTHREAD_MUTEX_INITIALIZER;
char folder[PATH_SIZE];  // where the library file lies, with a trailing '/'

// Guarded by state_lock (the engine calls these from two threads).
int motion_on = 0;
int status_requested = 0;
int connected = 0;
float battery_level = 1.0f;

// Read at initialise; afterwards touched by the polling thread only.
Step* steps = nullptr;
int step_count = 0;
int next_step = 0;
long sleep_until_ms = -1;  // deadline of the sleep step under way
int script_done_logged = 0;
int find_result = 1;
int connect_result = 1;

wiiuse_remote** remotes = nullptr;
int remote_count = 0;
wiiuse_event_callback on_event = nullptr;
wiiuse_status_callback on_status = nullptr;
wiiuse_disconnect_callback on_disconnect = nullptr;

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

void find_folder() {
    Dl_info info;
    folder[0] = '\0';
    if (dladdr(reinterpret_cast<void*>(&find_folder), &info) == 0 || !info.dli_fname) return;
    const char* slash = strrchr(info.dli_fname, '/');
    if (!slash) return;  // a bare name: the working directory
    size_t length = static_cast<size_t>(slash - info.dli_fname) + 1;
    if (length >= sizeof folder) return;
    memcpy(folder, info.dli_fname, length);
    folder[length] = '\0';
}

// The path of `name` beside the library; false when it does not fit.
bool beside(char* path, const char* name) {
    int length = snprintf(path, PATH_SIZE, "%s%s", folder, name);
    return length >= 0 && length < PATH_SIZE;
}

// Appends one line to the log; callers hold state_lock or run before the
// engine's threads share the library.
void log_line_unlocked(const char* format, ...) __attribute__((format(printf, 1, 2)));
void log_line_unlocked(const char* format, ...) {
    char path[PATH_SIZE];
    if (!beside(path, "wiiuse_log.txt")) return;
    FILE* log = fopen(path, "a");
    if (!log) return;
    va_list args;
    va_start(args, format);
    vfprintf(log, format, args);
    va_end(args);
    fputc('\n', log);
    fclose(log);
}

#define LOG_LOCKED(...)                       \
    do {                                      \
        pthread_mutex_lock(&state_lock);      \
        log_line_unlocked(__VA_ARGS__);       \
        pthread_mutex_unlock(&state_lock);    \
    } while (0)

struct ButtonName {
    const char* name;
    uint16_t bit;
};
const ButtonName BUTTON_NAMES[] = {
    {"TWO", WIIUSE_BUTTON_TWO},     {"ONE", WIIUSE_BUTTON_ONE},   {"B", WIIUSE_BUTTON_B},
    {"A", WIIUSE_BUTTON_A},         {"MINUS", WIIUSE_BUTTON_MINUS}, {"HOME", WIIUSE_BUTTON_HOME},
    {"LEFT", WIIUSE_BUTTON_LEFT},   {"RIGHT", WIIUSE_BUTTON_RIGHT}, {"DOWN", WIIUSE_BUTTON_DOWN},
    {"UP", WIIUSE_BUTTON_UP},       {"PLUS", WIIUSE_BUTTON_PLUS},
};

// Parses "buttons NAME NAME ..."; false on an unknown name.
bool parse_buttons(char* names, uint16_t* buttons) {
    *buttons = 0;
    for (char* name = strtok(names, " \t"); name; name = strtok(nullptr, " \t")) {
        bool known = false;
        for (const ButtonName& button : BUTTON_NAMES)
            if (strcmp(name, button.name) == 0) {
                *buttons = static_cast<uint16_t>(*buttons | button.bit);
                known = true;
            }
        if (!known) return false;
    }
    return true;
}

int step_capacity = 0;

bool add_step(const Step& step) {
    if (step_count == step_capacity) {
        int capacity = step_capacity ? step_capacity * 2 : 64;
        Step* grown = static_cast<Step*>(realloc(steps, sizeof(Step) * static_cast<size_t>(capacity)));
        if (!grown) return false;
        steps = grown;
        step_capacity = capacity;
    }
    steps[step_count++] = step;
    return true;
}

// One script line; a line that does not parse is logged and skipped.
void parse_line(char* line, int number) {
    char* hash = strchr(line, '#');
    if (hash) *hash = '\0';
    line[strcspn(line, "\r\n")] = '\0';
    char word[32];
    int consumed = 0;
    if (sscanf(line, " %31s%n", word, &consumed) != 1) return;  // blank
    char* rest = line + consumed;

    Step step{};
    char text[LINE_SIZE];
    bool ok = true;
    if (strcmp(word, "find") == 0) {
        ok = sscanf(rest, "%d", &find_result) == 1;
    } else if (strcmp(word, "connect") == 0) {
        ok = sscanf(rest, "%d", &connect_result) == 1;
    } else if (strcmp(word, "battery") == 0) {
        ok = sscanf(rest, "%f", &battery_level) == 1;
    } else if (strcmp(word, "buttons") == 0) {
        step.kind = STEP_BUTTONS;
        ok = parse_buttons(rest, &step.buttons);
    } else if (strcmp(word, "tilt") == 0) {
        step.kind = STEP_TILT;
        ok = sscanf(rest, " pitch=%f roll=%f", &step.pitch, &step.roll) == 2;
    } else if (strcmp(word, "status") == 0) {
        step.kind = STEP_STATUS;
        ok = sscanf(rest, "%f", &step.level) == 1;
    } else if (strcmp(word, "disconnect") == 0) {
        step.kind = STEP_DISCONNECT;
    } else if (strcmp(word, "sleep") == 0) {
        step.kind = STEP_SLEEP;
        ok = sscanf(rest, "%d", &step.milliseconds) == 1 && step.milliseconds >= 0;
    } else if (strcmp(word, "wait") == 0) {
        step.kind = STEP_WAIT_FILE;
        ok = sscanf(rest, " %511s", text) == 1;
        char path[PATH_SIZE];
        ok = ok && beside(path, text);
        if (ok) step.file = strdup(path);
    } else if (strcmp(word, "wait_motion") == 0) {
        step.kind = STEP_WAIT_MOTION;
        ok = sscanf(rest, " %511s", text) == 1 && (strcmp(text, "on") == 0 || strcmp(text, "off") == 0);
        step.motion = ok && strcmp(text, "on") == 0;
    } else {
        ok = false;
    }
    bool is_setting = strcmp(word, "find") == 0 || strcmp(word, "connect") == 0 || strcmp(word, "battery") == 0;
    if (!ok)
        log_line_unlocked("script line %d not understood", number);
    else if (!is_setting && !add_step(step))
        free(step.file);
}

void read_script() {
    for (int i = 0; i < step_count; ++i) free(steps[i].file);
    free(steps);
    steps = nullptr;
    step_count = 0;
    step_capacity = 0;
    next_step = 0;
    sleep_until_ms = -1;
    script_done_logged = 0;
    find_result = 1;
    connect_result = 1;
    battery_level = 1.0f;

    char path[PATH_SIZE];
    if (!beside(path, "wiiuse_script.txt")) return;
    FILE* script = fopen(path, "r");
    if (!script) return;  // no script: a remote that never reports
    char line[LINE_SIZE];
    int number = 0;
    while (fgets(line, sizeof line, script)) parse_line(line, ++number);
    fclose(script);
}

bool file_exists(const char* path) {
    struct stat info;
    return stat(path, &info) == 0;
}

// ---- the operations ----

wiiuse_remote** scripted_initialise(int count, const int* ids, wiiuse_event_callback event,
                                    wiiuse_status_callback status, wiiuse_disconnect_callback disconnect) {
    if (count < 1) return nullptr;
    pthread_mutex_lock(&state_lock);
    find_folder();
    read_script();
    motion_on = 0;
    status_requested = 0;
    connected = 0;
    on_event = event;
    on_status = status;
    on_disconnect = disconnect;
    remotes = static_cast<wiiuse_remote**>(calloc(static_cast<size_t>(count), sizeof(wiiuse_remote*)));
    if (remotes) {
        remote_count = count;
        for (int i = 0; i < count; ++i) {
            remotes[i] = static_cast<wiiuse_remote*>(calloc(1, sizeof(wiiuse_remote)));
            if (remotes[i]) remotes[i]->id = ids ? ids[i] : i + 1;
        }
    }
    log_line_unlocked("initialise %d id=%d", count, ids ? ids[0] : 1);
    pthread_mutex_unlock(&state_lock);
    return remotes;
}

void scripted_cleanup(wiiuse_remote** array, int count) {
    if (!array) return;
    for (int i = 0; i < count; ++i) free(array[i]);
    free(array);
    if (array == remotes) {
        remotes = nullptr;
        remote_count = 0;
    }
}

int scripted_find(wiiuse_remote**, int max_remotes, int timeout_seconds) {
    int found = find_result < max_remotes ? find_result : max_remotes;
    LOG_LOCKED("find max=%d timeout=%d -> %d", max_remotes, timeout_seconds, found);
    return found;
}

int scripted_connect(wiiuse_remote**, int count) {
    int result = connect_result < count ? connect_result : count;
    pthread_mutex_lock(&state_lock);
    connected = result > 0;
    log_line_unlocked("connect -> %d", result);
    pthread_mutex_unlock(&state_lock);
    return result;
}

void scripted_rumble(wiiuse_remote*, int on) { LOG_LOCKED("rumble %d", on ? 1 : 0); }

void scripted_set_leds(wiiuse_remote*, int mask) { LOG_LOCKED("leds %d", mask); }

void scripted_motion_sensing(wiiuse_remote*, int on) {
    pthread_mutex_lock(&state_lock);
    motion_on = on ? 1 : 0;
    log_line_unlocked("motion %d", motion_on);
    pthread_mutex_unlock(&state_lock);
}

void scripted_request_status(wiiuse_remote*) {
    pthread_mutex_lock(&state_lock);
    status_requested = 1;
    log_line_unlocked("status request");
    pthread_mutex_unlock(&state_lock);
}

void scripted_disconnect(wiiuse_remote*) {
    pthread_mutex_lock(&state_lock);
    connected = 0;
    log_line_unlocked("disconnect");
    pthread_mutex_unlock(&state_lock);
}

void log_script_done() {
    if (script_done_logged) return;
    script_done_logged = 1;
    LOG_LOCKED("script done");
}

// Plays script steps until one report was delivered or the script has to wait.
void scripted_poll(wiiuse_remote** array, int count) {
    if (!array || count < 1 || !array[0]) return;
    wiiuse_remote* remote = array[0];

    pthread_mutex_lock(&state_lock);
    int is_connected = connected;
    int motion = motion_on;
    int answer_status = status_requested;
    status_requested = 0;
    float level = battery_level;
    pthread_mutex_unlock(&state_lock);

    if (!is_connected) {
        if (next_step >= step_count) log_script_done();  // the script ended with a disconnect
        sleep_ms(IDLE_POLL_MS);
        return;
    }
    remote->state = motion ? WIIUSE_STATE_ORIENTATION : 0;
    if (answer_status) {
        if (on_status) on_status(remote, 0, 0, 0, nullptr, level);
        return;
    }

    while (next_step < step_count) {
        const Step& step = steps[next_step];
        switch (step.kind) {
            case STEP_BUTTONS:
                ++next_step;
                remote->btns_held = remote->btns;
                remote->btns = step.buttons;
                if (on_event) on_event(remote);
                return;
            case STEP_TILT:
                ++next_step;
                remote->btns_held = remote->btns;
                remote->orient.pitch = step.pitch;
                remote->orient.roll = step.roll;
                if (on_event) on_event(remote);
                return;
            case STEP_STATUS:
                ++next_step;
                pthread_mutex_lock(&state_lock);
                battery_level = step.level;
                pthread_mutex_unlock(&state_lock);
                if (on_status) on_status(remote, 0, 0, 0, nullptr, step.level);
                return;
            case STEP_DISCONNECT:
                ++next_step;
                pthread_mutex_lock(&state_lock);
                connected = 0;
                motion_on = 0;
                pthread_mutex_unlock(&state_lock);
                remote->state = 0;
                if (on_disconnect) on_disconnect(remote);
                return;
            case STEP_SLEEP: {
                long now = now_ms();
                if (sleep_until_ms < 0) sleep_until_ms = now + step.milliseconds;
                if (now >= sleep_until_ms) {
                    sleep_until_ms = -1;
                    ++next_step;
                    continue;
                }
                long left = sleep_until_ms - now;
                sleep_ms(left < IDLE_POLL_MS ? static_cast<int>(left) : IDLE_POLL_MS);
                return;
            }
            case STEP_WAIT_FILE:
                if (file_exists(step.file)) {
                    ++next_step;
                    continue;
                }
                sleep_ms(IDLE_POLL_MS);
                return;
            case STEP_WAIT_MOTION:
                if (motion == step.motion) {
                    ++next_step;
                    continue;
                }
                sleep_ms(IDLE_POLL_MS);
                return;
        }
        ++next_step;  // an unknown step kind cannot occur; never loop on one
    }
    log_script_done();
    sleep_ms(IDLE_POLL_MS);
}

template <typename Function>
wiiuse_operation as_operation(Function function) {
    return reinterpret_cast<wiiuse_operation>(function);
}

wiiuse_api record = {
    "1.0 (scripted)",
    SCRIPTED_WIIUSE_API_VERSION,
    {},
};

void fill_record() {
    record.operations[WIIUSE_SLOT_INITIALISE] = as_operation(&scripted_initialise);
    record.operations[1] = as_operation(&scripted_cleanup);
    record.operations[WIIUSE_SLOT_RUMBLE] = as_operation(&scripted_rumble);
    record.operations[WIIUSE_SLOT_SET_LEDS] = as_operation(&scripted_set_leds);
    record.operations[WIIUSE_SLOT_MOTION_SENSING] = as_operation(&scripted_motion_sensing);
    record.operations[WIIUSE_SLOT_REQUEST_STATUS] = as_operation(&scripted_request_status);
    record.operations[WIIUSE_SLOT_FIND] = as_operation(&scripted_find);
    record.operations[WIIUSE_SLOT_CONNECT] = as_operation(&scripted_connect);
    record.operations[WIIUSE_SLOT_DISCONNECT] = as_operation(&scripted_disconnect);
    record.operations[WIIUSE_SLOT_POLL] = as_operation(&scripted_poll);
}

__attribute__((destructor)) void log_unload() {
    if (folder[0] == '\0') find_folder();
    LOG_LOCKED("unload");
}

}  // namespace

#ifdef SCRIPTED_WIIUSE_NO_ENTRY
// A library that forgot its entry point: the engine must reject it.
extern "C" __attribute__((visibility("default"))) void wiiuse_main_missing(wiiuse_api** api) {
    fill_record();
    *api = &record;
}
#else
extern "C" __attribute__((visibility("default"))) void wiiuse_main(wiiuse_api** api) {
    fill_record();
    *api = &record;
}
#endif
