// The desktop's screen saver service on a test's own session bus: answers
// Inhibit with a fresh cookie and logs each call to the file named by its
// argument. In the background once it owns the name; it ends with the bus.
#include <dbus/dbus.h>
#include <unistd.h>

#include <cstdio>

static const char* const NAME = "org.freedesktop.ScreenSaver";

int main(int argc, char** argv) {
    FILE* log = argc == 2 ? fopen(argv[1], "w") : nullptr;
    DBusConnection* bus = log ? dbus_bus_get(DBUS_BUS_SESSION, nullptr) : nullptr;
    if (!bus || dbus_bus_request_name(bus, NAME, DBUS_NAME_FLAG_DO_NOT_QUEUE, nullptr) !=
                    DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER)
        return 1;
    if (fork() != 0) _exit(0);
    freopen("/dev/null", "w", stdout);  // the caller reads its output to the end
    dbus_uint32_t cookies = 0;
    while (dbus_connection_read_write(bus, -1))
        while (DBusMessage* call = dbus_connection_pop_message(bus)) {
            const char *application = "", *reason = "";
            dbus_uint32_t cookie = 0;
            if (dbus_message_is_method_call(call, NAME, "Inhibit") &&
                dbus_message_get_args(call, nullptr, DBUS_TYPE_STRING, &application, DBUS_TYPE_STRING, &reason,
                                      DBUS_TYPE_INVALID)) {
                cookie = ++cookies;
                fprintf(log, "Inhibit %s: %s -> %u\n", application, reason, cookie);
                DBusMessage* reply = dbus_message_new_method_return(call);
                dbus_message_append_args(reply, DBUS_TYPE_UINT32, &cookie, DBUS_TYPE_INVALID);
                dbus_connection_send(bus, reply, nullptr);
                dbus_message_unref(reply);
            } else if (dbus_message_is_method_call(call, NAME, "UnInhibit") &&
                       dbus_message_get_args(call, nullptr, DBUS_TYPE_UINT32, &cookie, DBUS_TYPE_INVALID)) {
                fprintf(log, "UnInhibit %u\n", cookie);
            }
            fflush(log);
            dbus_message_unref(call);
        }
    return 0;
}
