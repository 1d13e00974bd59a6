// The libxwiimote stand-in (see standin_xwiimote.h). Device objects, the
// monitor and the script's remote behave as far as the bridge can tell like the
// real library over the kernel's driver: opens that fail leave the interface
// closed and return the first error, a closed interface drops what it had
// queued, an interface the kernel closes is followed by a WATCH event, and each
// device object's descriptor is readable exactly while it has events waiting.
#include "standin_xwiimote.h"

#include <errno.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <xwiimote.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

struct xwii_iface {
    int refs;
    int fd;             // eventfd: non-zero while events wait
    bool signalled;
    unsigned opened;
    bool writable;
    std::deque<xwii_event> events;
};

struct xwii_monitor {
    int refs;
    int fd;  // never readable: no remote arrives later
    bool reported;
};

namespace {

constexpr const char* REMOTE_SYSPATH = "/sys/devices/standin/bluetooth/hci0/0005:057E:0306.0001";
constexpr int ALWAYS = -1;
constexpr int NEVER = 0;

struct Refusal {
    int error;  // negative errno
    int count;  // opens left to refuse, or ALWAYS
};

std::mutex lock;  // the bridge calls from two threads
bool remote_present;
unsigned remote_ifaces;
Refusal refuse_core, refuse_accel, refuse_write;
int battery;
int leds[4];
int rumbling;
int core_opens;
std::vector<xwii_iface*> live;

void signal_events(xwii_iface* device) {
    uint64_t value;
    if (!device->events.empty() && !device->signalled) {
        value = 1;
        if (write(device->fd, &value, sizeof value) == sizeof value) device->signalled = true;
    } else if (device->events.empty() && device->signalled) {
        if (read(device->fd, &value, sizeof value) == sizeof value) device->signalled = false;
    }
}

// The device object the bridge reads: the one with the core open.
xwii_iface* core_device() {
    for (xwii_iface* device : live)
        if (device->opened & XWII_IFACE_CORE) return device;
    return nullptr;
}

void queue(xwii_iface* device, const xwii_event& event) {
    device->events.push_back(event);
    signal_events(device);
}

xwii_event event_of(unsigned type) {
    xwii_event event;
    memset(&event, 0, sizeof event);
    event.type = type;
    return event;
}

// What the kernel does when it takes interfaces away: they close, their queued
// events go, and a WATCH event tells.
void drop(xwii_iface* device, unsigned ifaces) {
    device->opened &= ~ifaces;
    if (ifaces & XWII_IFACE_ACCEL) {
        std::deque<xwii_event> kept;
        for (const xwii_event& event : device->events)
            if (event.type != XWII_EVENT_ACCEL) kept.push_back(event);
        device->events.swap(kept);
    }
    if (ifaces & XWII_IFACE_CORE) device->events.clear();
    signal_events(device);
}

// Takes one open from a refusal; 0 when it lets the open pass.
int refused(Refusal* refusal) {
    if (refusal->count == NEVER) return 0;
    if (refusal->count != ALWAYS) --refusal->count;
    return refusal->error;
}

struct Name {
    const char* name;
    int value;
};
const Name KEYS[] = {{"left", XWII_KEY_LEFT}, {"right", XWII_KEY_RIGHT}, {"up", XWII_KEY_UP},
                     {"down", XWII_KEY_DOWN}, {"a", XWII_KEY_A},         {"b", XWII_KEY_B},
                     {"plus", XWII_KEY_PLUS}, {"minus", XWII_KEY_MINUS}, {"home", XWII_KEY_HOME},
                     {"one", XWII_KEY_ONE},   {"two", XWII_KEY_TWO},     {"x", XWII_KEY_X}};
const Name KEY_STATES[] = {{"up", 0}, {"down", 1}, {"repeat", 2}};
const Name ERRORS[] = {{"EACCES", -EACCES}, {"EPERM", -EPERM}, {"ENODEV", -ENODEV}, {"EBUSY", -EBUSY}};

template <int N>
bool lookup(const Name (&names)[N], const std::string& name, int* value) {
    for (const Name& entry : names)
        if (name == entry.name) {
            *value = entry.value;
            return true;
        }
    return false;
}

void reset_locked() {
    remote_present = true;
    remote_ifaces = XWII_IFACE_CORE | XWII_IFACE_ACCEL;
    refuse_core = refuse_accel = refuse_write = Refusal{0, NEVER};
    battery = 100;
    memset(leds, 0, sizeof leds);
    rumbling = 0;
    core_opens = 0;
}

bool play_refusal(std::istringstream& words) {
    std::string iface, error, count;
    words >> iface >> error >> count;
    Refusal refusal{0, NEVER};
    if (!lookup(ERRORS, error, &refusal.error)) return false;
    refusal.count = count == "always" ? ALWAYS : atoi(count.c_str());
    if (iface == "core") refuse_core = refusal;
    else if (iface == "accel") refuse_accel = refusal;
    else if (iface == "write") refuse_write = refusal;
    else return false;
    return true;
}

bool play_line(const std::string& line) {
    std::istringstream words(line.substr(0, line.find('#')));
    std::string verb;
    if (!(words >> verb)) return true;  // blank
    xwii_iface* device = core_device();
    if (verb == "remote") {
        remote_present = true;
        remote_ifaces = 0;
        for (std::string iface; words >> iface;) {
            if (iface == "core") remote_ifaces |= XWII_IFACE_CORE;
            else if (iface == "accel") remote_ifaces |= XWII_IFACE_ACCEL;
            else return false;
        }
    } else if (verb == "no-remote") {
        remote_present = false;
    } else if (verb == "refuse") {
        return play_refusal(words);
    } else if (verb == "battery") {
        return static_cast<bool>(words >> battery);
    } else if (verb == "key") {
        std::string name, state;
        xwii_event event = event_of(XWII_EVENT_KEY);
        int code, value;
        if (!(words >> name >> state) || !lookup(KEYS, name, &code) || !lookup(KEY_STATES, state, &value))
            return false;
        event.v.key.code = static_cast<unsigned>(code);
        event.v.key.state = static_cast<unsigned>(value);
        if (device) queue(device, event);
    } else if (verb == "accel") {
        xwii_event event = event_of(XWII_EVENT_ACCEL);
        if (!(words >> event.v.abs[0].x >> event.v.abs[0].y >> event.v.abs[0].z)) return false;
        if (device && (device->opened & XWII_IFACE_ACCEL)) queue(device, event);
    } else if (verb == "lose") {
        std::string iface;
        words >> iface;
        unsigned lost = iface == "core" ? ~0u : iface == "accel" ? XWII_IFACE_ACCEL : 0;
        if (!lost) return false;
        if (iface == "core") remote_present = false;
        if (device) {
            drop(device, lost);
            queue(device, event_of(XWII_EVENT_WATCH));
        }
    } else {
        return false;
    }
    return true;
}

}  // namespace

// ---- the test's side ----

extern "C" {

void standin_reset(void) {
    std::lock_guard<std::mutex> hold(lock);
    reset_locked();
}

int standin_script(const char* text) {
    std::lock_guard<std::mutex> hold(lock);
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (!play_line(line)) return number;
    }
    return 0;
}

int standin_led(int number) {
    std::lock_guard<std::mutex> hold(lock);
    return number >= 1 && number <= 4 ? leds[number - 1] : -1;
}

int standin_rumble(void) {
    std::lock_guard<std::mutex> hold(lock);
    return rumbling;
}

int standin_core_opens(void) {
    std::lock_guard<std::mutex> hold(lock);
    return core_opens;
}

int standin_core_writable(void) {
    std::lock_guard<std::mutex> hold(lock);
    xwii_iface* device = core_device();
    return device && device->writable;
}

unsigned standin_opened(void) {
    std::lock_guard<std::mutex> hold(lock);
    xwii_iface* device = core_device();
    return device ? device->opened : 0;
}

int standin_live_devices(void) {
    std::lock_guard<std::mutex> hold(lock);
    return static_cast<int>(live.size());
}

int standin_queued_events(void) {
    std::lock_guard<std::mutex> hold(lock);
    xwii_iface* device = core_device();
    return device ? static_cast<int>(device->events.size()) : 0;
}

// ---- libxwiimote's calls that the bridge makes ----

int xwii_iface_new(xwii_iface** dev, const char* syspath) {
    std::lock_guard<std::mutex> hold(lock);
    if (!remote_present || !syspath || strcmp(syspath, REMOTE_SYSPATH) != 0) return -ENODEV;
    int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0) return -errno;
    *dev = new xwii_iface{1, fd, false, 0, false, {}};
    live.push_back(*dev);
    return 0;
}

void xwii_iface_ref(xwii_iface* dev) {
    std::lock_guard<std::mutex> hold(lock);
    ++dev->refs;
}

void xwii_iface_unref(xwii_iface* dev) {
    std::lock_guard<std::mutex> hold(lock);
    if (!dev || --dev->refs > 0) return;
    live.erase(std::remove(live.begin(), live.end(), dev), live.end());
    close(dev->fd);
    delete dev;
}

int xwii_iface_get_fd(xwii_iface* dev) {
    std::lock_guard<std::mutex> hold(lock);
    return dev->fd;
}

int xwii_iface_watch(xwii_iface*, bool) { return 0; }

int xwii_iface_open(xwii_iface* dev, unsigned int ifaces) {
    std::lock_guard<std::mutex> hold(lock);
    bool writable = (ifaces & XWII_IFACE_WRITABLE) != 0;
    ifaces &= ~dev->opened & (XWII_IFACE_CORE | XWII_IFACE_ACCEL);
    int first_error = 0;
    const unsigned KINDS[] = {XWII_IFACE_CORE, XWII_IFACE_ACCEL};
    for (unsigned kind : KINDS) {
        if (!(ifaces & kind)) continue;
        int error = 0;
        if (kind == XWII_IFACE_CORE) ++core_opens;
        if (!remote_present || !(remote_ifaces & kind)) error = -ENODEV;
        if (!error) error = refused(kind == XWII_IFACE_CORE ? &refuse_core : &refuse_accel);
        if (!error && writable && kind == XWII_IFACE_CORE) error = refused(&refuse_write);
        if (error) {
            if (!first_error) first_error = error;
            continue;
        }
        dev->opened |= kind;
        if (kind == XWII_IFACE_CORE) dev->writable = writable;
    }
    return first_error;
}

void xwii_iface_close(xwii_iface* dev, unsigned int ifaces) {
    std::lock_guard<std::mutex> hold(lock);
    drop(dev, ifaces);
}

unsigned int xwii_iface_opened(xwii_iface* dev) {
    std::lock_guard<std::mutex> hold(lock);
    return dev->opened;
}

unsigned int xwii_iface_available(xwii_iface*) {
    std::lock_guard<std::mutex> hold(lock);
    return remote_present ? remote_ifaces : 0;
}

int xwii_iface_dispatch(xwii_iface* dev, xwii_event* ev, size_t size) {
    std::lock_guard<std::mutex> hold(lock);
    if (dev->events.empty()) return -EAGAIN;
    memcpy(ev, &dev->events.front(), size < sizeof(xwii_event) ? size : sizeof(xwii_event));
    dev->events.pop_front();
    signal_events(dev);
    return 0;
}

int xwii_iface_rumble(xwii_iface* dev, bool on) {
    std::lock_guard<std::mutex> hold(lock);
    if (!(dev->opened & XWII_IFACE_CORE)) return -ENODEV;
    if (!dev->writable) return -EBADF;  // the kernel refuses writes to a read-only descriptor
    rumbling = on;
    return 0;
}

int xwii_iface_set_led(xwii_iface*, unsigned int led, bool state) {
    std::lock_guard<std::mutex> hold(lock);
    if (led < XWII_LED1 || led > XWII_LED4) return -EINVAL;
    leds[led - XWII_LED1] = state;
    return 0;
}

int xwii_iface_get_battery(xwii_iface*, uint8_t* capacity) {
    std::lock_guard<std::mutex> hold(lock);
    *capacity = static_cast<uint8_t>(battery);
    return 0;
}

xwii_monitor* xwii_monitor_new(bool, bool) {
    int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0) return nullptr;
    return new xwii_monitor{1, fd, false};
}

void xwii_monitor_ref(xwii_monitor* monitor) { ++monitor->refs; }

void xwii_monitor_unref(xwii_monitor* monitor) {
    if (!monitor || --monitor->refs > 0) return;
    close(monitor->fd);
    delete monitor;
}

int xwii_monitor_get_fd(xwii_monitor* monitor, bool) { return monitor->fd; }

char* xwii_monitor_poll(xwii_monitor* monitor) {
    std::lock_guard<std::mutex> hold(lock);
    if (monitor->reported || !remote_present) return nullptr;
    monitor->reported = true;
    return strdup(REMOTE_SYSPATH);  // the caller frees it
}

}  // extern "C"

// The library starts with the reset state, before any test calls it.
static const int initialised = (reset_locked(), 0);
