#include "app/quit_requests.h"

#include <GL/freeglut.h>

#include "input/keys.h"
#include "platform/display_loss.h"
#include "platform/quit_signals.h"

void quit_if_signalled() {
    if (os_quit_signal_arrived()) quit_game();  // does not return
}

static void quit_watch_timer(int) {
    quit_if_signalled();
    glutTimerFunc(QUIT_WATCH_INTERVAL_MS, quit_watch_timer, 0);
}

void watch_quit_requests() {
    // Not a close callback: the toolkit also runs that from its exit handler,
    // as quit_game's own exit takes the window down, and exit must not be
    // called twice. A main loop that returns has no such second path.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutTimerFunc(QUIT_WATCH_INTERVAL_MS, quit_watch_timer, 0);
    os_take_quit_signals();
    // A display that goes away (logout) cannot wait for the idle callback:
    // the save happens inside the toolkit's failed call.
    os_on_display_loss(save_and_let_go);
}
