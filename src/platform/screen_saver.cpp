#include "platform/screen_saver.h"

#include <GL/glx.h>
#include <SDL2/SDL_hints.h>
#include <X11/extensions/scrnsaver.h>

#include "platform/desktop_inhibit.h"

// The connection that holds the X server's saver off, or nullptr. The server
// counts holds per connection, so each is let go exactly once.
static Display* holding_display = nullptr;

static bool player_allows_saver() {
    // Read as SDL reads it: anything but "0" or "false" allows the saver.
    return SDL_GetHintBoolean(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, SDL_FALSE) == SDL_TRUE;
}

// Holding needs version 1.1 of the extension; the request on a server without
// it would be an X error, which ends the process.
static bool can_hold(Display* display) {
    int event_base = 0, error_base = 0, major = 0, minor = 0;
    return XScreenSaverQueryExtension(display, &event_base, &error_base) &&
           XScreenSaverQueryVersion(display, &major, &minor) && (major > 1 || (major == 1 && minor >= 1));
}

void os_hold_screen_saver() {
    if (player_allows_saver()) return;
    Display* display = glXGetCurrentDisplay();
    if (display && !holding_display && can_hold(display)) {
        XScreenSaverSuspend(display, True);
        XFlush(display);
        holding_display = display;
    }
    os_inhibit_desktop_screen_saver();
}

void os_let_screen_saver_run() {
    if (holding_display) {
        XScreenSaverSuspend(holding_display, False);
        XFlush(holding_display);
        holding_display = nullptr;
    }
    os_release_desktop_screen_saver();
}
