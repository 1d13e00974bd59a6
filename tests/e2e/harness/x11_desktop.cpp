// Kept apart from the rest of the harness: X11's macros clash with gtest.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <string>

#include "standin_desktop.h"

bool set_screen_saver_timeout(const std::string& display, int seconds) {
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection) return false;
    // Blanking or not is the server's business; only the timing matters here.
    XSetScreenSaver(connection, seconds, 0, DefaultBlanking, DefaultExposures);
    XSync(connection, False);
    XCloseDisplay(connection);  // the setting stays with the server
    return true;
}

int screen_saver_on(const std::string& display) {
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection) return -1;
    int event_base, error_base, on = -1;
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    if (info && XScreenSaverQueryExtension(connection, &event_base, &error_base) &&
        XScreenSaverQueryInfo(connection, DefaultRootWindow(connection), info))
        on = info->state == ScreenSaverOn ? 1 : 0;
    XFree(info);
    XCloseDisplay(connection);
    return on;
}

OtherWindow::OtherWindow(const std::string& display, int x, int y) {
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection) return;
    connection_ = connection;
    const int screen = DefaultScreen(connection);
    const Window window = XCreateSimpleWindow(connection, RootWindow(connection, screen), x, y, 120, 80, 0,
                                              BlackPixel(connection, screen), WhitePixel(connection, screen));
    XSelectInput(connection, window, StructureNotifyMask);
    XMapWindow(connection, window);
    XEvent event;
    do XWindowEvent(connection, window, StructureNotifyMask, &event);
    while (event.type != MapNotify);  // only a viewable window can take the keyboard
    id_ = std::to_string(window);
}

OtherWindow::~OtherWindow() {
    if (connection_) XCloseDisplay(static_cast<Display*>(connection_));  // its window goes with it
}
