// Kept apart from the rest of the harness: X11's macros clash with gtest.
#include <X11/Xlib.h>

#include <cstdlib>
#include <string>

#include "harness.h"

bool send_close_request(const std::string& display, const std::string& window) {
    Display* connection = XOpenDisplay(display.c_str());
    if (connection == nullptr) return false;
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = static_cast<Window>(std::strtoul(window.c_str(), nullptr, 0));
    request.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
    request.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(connection, request.xclient.window, False, NoEventMask, &request);
    XSync(connection, False);
    XCloseDisplay(connection);
    return sent != 0;
}
