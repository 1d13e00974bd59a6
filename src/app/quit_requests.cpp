#include "app/quit_requests.h"

#include <GL/freeglut.h>

#include "input/keys.h"
#include "platform/quit_signals.h"

void quit_if_signalled() {
    if (os_quit_signal_arrived()) quit_game();  // does not return
}

static void quit_watch_timer(int) {
    quit_if_signalled();
    glutTimerFunc(QUIT_WATCH_INTERVAL_MS, quit_watch_timer, 0);
}

// The toolkit calls this as it takes the window down on the close button.
static void close_callback() { quit_game(); }

void watch_quit_requests() {
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    glutCloseFunc(close_callback);
    glutTimerFunc(QUIT_WATCH_INTERVAL_MS, quit_watch_timer, 0);
    os_take_quit_signals();
}
