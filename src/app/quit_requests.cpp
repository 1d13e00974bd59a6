#include "app/quit_requests.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "app/replay_player.h"
#include "audio/sound.h"
#include "input/gamepad.h"
#include "input/wiimote.h"
#include "persist/settings.h"
#include "platform/desktop_inhibit.h"
#include "platform/display_loss.h"
#include "platform/quit_signals.h"

void save_and_let_go() {
    // The viewer's own settings, not what a replay's game or its keys set: a
    // lost display ends the game from here, without leaving the replay first.
    give_back_viewer_settings();
    close_sound_backend();
    save_settings();
    if (wiiuse_loaded()) wiimote_disconnect_and_unload();
    close_gamepad();  // a pad left open could buzz on
    // The desktop is told; the X server lets go of its saver as the connection ends.
    os_release_desktop_screen_saver();
}

void quit_game() {
    save_and_let_go();
    exit(0);
}

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
