#include <X11/Xlib.h>

#include <ctime>

// Xvfb resets itself whenever its last client leaves, and refuses connections
// while it does; with one short test process after another that happens often.
// Wait for the server, and keep this first connection open for the whole run.
void wait_for_display() {
    for (int attempt = 0; attempt < 250; ++attempt) {
        if (XOpenDisplay(nullptr)) return;
        timespec pause{0, 20 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
}
