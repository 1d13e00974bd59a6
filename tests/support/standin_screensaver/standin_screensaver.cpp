// A stand-in for the desktop's screen saver service on a test's own session
// bus: it owns org.freedesktop.ScreenSaver, answers Inhibit with a fresh
// cookie and logs each Inhibit and UnInhibit as one line ("Inhibit APP: REASON
// -> COOKIE", "UnInhibit COOKIE") to the file named by its argument, after a
// first line "ready" once it owns the name. Ends when the bus does.
#include <dbus/dbus.h>

#include <cstdio>

static const char* const NAME = "org.freedesktop.ScreenSaver";

static void answer(DBusConnection* bus, DBusMessage* call, FILE* log, dbus_uint32_t* cookies) {
    DBusError error;
    dbus_error_init(&error);
    if (dbus_message_is_method_call(call, NAME, "Inhibit")) {
        const char* application = "";
        const char* reason = "";
        if (!dbus_message_get_args(call, &error, DBUS_TYPE_STRING, &application, DBUS_TYPE_STRING, &reason,
                                   DBUS_TYPE_INVALID)) {
            fprintf(log, "Inhibit with bad arguments\n");
        } else {
            const dbus_uint32_t cookie = ++*cookies;
            fprintf(log, "Inhibit %s: %s -> %u\n", application, reason, cookie);
            DBusMessage* reply = dbus_message_new_method_return(call);
            dbus_message_append_args(reply, DBUS_TYPE_UINT32, &cookie, DBUS_TYPE_INVALID);
            dbus_connection_send(bus, reply, nullptr);
            dbus_message_unref(reply);
        }
    } else if (dbus_message_is_method_call(call, NAME, "UnInhibit")) {
        dbus_uint32_t cookie = 0;
        if (dbus_message_get_args(call, &error, DBUS_TYPE_UINT32, &cookie, DBUS_TYPE_INVALID))
            fprintf(log, "UnInhibit %u\n", cookie);
        else
            fprintf(log, "UnInhibit with bad arguments\n");
    }
    fflush(log);
    dbus_error_free(&error);
}

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    FILE* log = fopen(argv[1], "w");
    if (!log) return 2;
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* bus = dbus_bus_get(DBUS_BUS_SESSION, &error);
    if (!bus) return 1;
    dbus_connection_set_exit_on_disconnect(bus, FALSE);
    if (dbus_bus_request_name(bus, NAME, DBUS_NAME_FLAG_DO_NOT_QUEUE, &error) != DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER)
        return 1;
    fprintf(log, "ready\n");
    fflush(log);
    dbus_uint32_t cookies = 0;
    while (dbus_connection_read_write(bus, -1)) {
        while (DBusMessage* message = dbus_connection_pop_message(bus)) {
            answer(bus, message, log, &cookies);
            dbus_message_unref(message);
        }
    }
    return 0;
}
