// Kept apart from the rest of the harness: X11's macros clash with gtest.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include "harness.h"

int screen_saver_on(const std::string& display, int timeout_seconds) {
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection) return -1;
    // Blanking or not is the server's business: only the timing matters here.
    if (timeout_seconds > 0) XSetScreenSaver(connection, timeout_seconds, 0, DefaultBlanking, DefaultExposures);
    int event_base, error_base, on = -1;
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    if (info && XScreenSaverQueryExtension(connection, &event_base, &error_base) &&
        XScreenSaverQueryInfo(connection, DefaultRootWindow(connection), info))
        on = info->state == ScreenSaverOn ? 1 : 0;
    XFree(info);
    XCloseDisplay(connection);  // a new time-out stays with the server
    return on;
}
