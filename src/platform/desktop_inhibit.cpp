#include "platform/desktop_inhibit.h"

#include <dbus/dbus.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

static const char* const SERVICE = "org.freedesktop.ScreenSaver";
static const char* const OBJECT = "/org/freedesktop/ScreenSaver";
static const char* const INTERFACE = "org.freedesktop.ScreenSaver";
static const char* const APPLICATION_NAME = "Korvane Arcade";
static const char* const INHIBIT_REASON = "Playing a game";

static DBusConnection* session_bus = nullptr;  // private to this file; nullptr until first needed
static int inhibiting = 0;                     // 1 while the desktop holds a request of ours
static dbus_uint32_t inhibit_cookie = 0;       // the desktop's name for that request

// The session's bus, where the session announces one: the address it exports,
// or the per-user bus in the runtime folder. libdbus left to itself would
// start a bus of its own (autolaunch) on a machine that has none.
static bool session_bus_address(char* address, size_t size) {
    const char* announced = getenv("DBUS_SESSION_BUS_ADDRESS");
    if (announced && *announced) return snprintf(address, size, "%s", announced) < static_cast<int>(size);
    const char* runtime = getenv("XDG_RUNTIME_DIR");
    if (!runtime || *runtime != '/') return false;
    char path[512];
    struct stat info {};
    if (snprintf(path, sizeof path, "%s/bus", runtime) >= static_cast<int>(sizeof path) || stat(path, &info) != 0 ||
        !S_ISSOCK(info.st_mode))
        return false;
    char* escaped = dbus_address_escape_value(path);
    if (!escaped) return false;
    const bool fits = snprintf(address, size, "unix:path=%s", escaped) < static_cast<int>(size);
    dbus_free(escaped);
    return fits;
}

static void drop_bus() {
    if (!session_bus) return;
    dbus_connection_close(session_bus);
    dbus_connection_unref(session_bus);
    session_bus = nullptr;
    inhibiting = 0;  // a request dies with the connection that made it
}

// The connection, made on first use and made again after the bus went away.
static DBusConnection* bus() {
    if (session_bus && !dbus_connection_get_is_connected(session_bus)) drop_bus();
    if (session_bus) return session_bus;
    char address[1024];
    if (!session_bus_address(address, sizeof address)) return nullptr;
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* connection = dbus_connection_open_private(address, &error);
    if (connection) {
        // libdbus's default is to end the whole process when the bus goes away.
        dbus_connection_set_exit_on_disconnect(connection, FALSE);
        if (dbus_bus_register(connection, &error)) return session_bus = connection;
        dbus_connection_close(connection);
        dbus_connection_unref(connection);
    }
    dbus_error_free(&error);
    return nullptr;
}

int os_inhibit_desktop_screen_saver() {
    if (inhibiting && session_bus && dbus_connection_get_is_connected(session_bus)) return 1;
    DBusConnection* connection = bus();
    if (!connection) return 0;
    DBusMessage* call = dbus_message_new_method_call(SERVICE, OBJECT, INTERFACE, "Inhibit");
    if (!call) return 0;
    dbus_message_append_args(call, DBUS_TYPE_STRING, &APPLICATION_NAME, DBUS_TYPE_STRING, &INHIBIT_REASON,
                             DBUS_TYPE_INVALID);
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply = dbus_connection_send_with_reply_and_block(connection, call, DESKTOP_ANSWER_LIMIT_MS, &error);
    dbus_message_unref(call);
    if (reply) {
        inhibiting = dbus_message_get_args(reply, &error, DBUS_TYPE_UINT32, &inhibit_cookie, DBUS_TYPE_INVALID) ? 1 : 0;
        dbus_message_unref(reply);
    }
    dbus_error_free(&error);  // no screen saver on this bus: nothing to hold
    return inhibiting;
}

void os_release_desktop_screen_saver() {
    if (!inhibiting) return;
    inhibiting = 0;
    if (!session_bus || !dbus_connection_get_is_connected(session_bus)) return;
    DBusMessage* call = dbus_message_new_method_call(SERVICE, OBJECT, INTERFACE, "UnInhibit");
    if (!call) return;
    dbus_message_append_args(call, DBUS_TYPE_UINT32, &inhibit_cookie, DBUS_TYPE_INVALID);
    dbus_message_set_no_reply(call, TRUE);  // nothing to wait for: the game may be about to end
    dbus_connection_send(session_bus, call, nullptr);
    dbus_connection_flush(session_bus);
    dbus_message_unref(call);
}
