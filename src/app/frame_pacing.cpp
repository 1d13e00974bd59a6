#include "app/frame_pacing.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <thread>

#include "app/quit_requests.h"
#include "app/replay_player.h"
#include "input/gamepad.h"
#include "input/keys.h"
#include "input/wiimote.h"
#include "platform/gamepad_device.h"
#include "platform/screen_saver.h"

int last_frame_time = 0;
int idle_gives_back_cpu = 1;

int frame_due(int now_ms) {
    if (last_frame_time != 0 && now_ms < last_frame_time + FRAME_INTERVAL_MS / replay_speed) return 0;
    last_frame_time = now_ms;
    return 1;
}

int idle_wait_us(int until_due_ms, int must_poll) {
    constexpr int US_PER_MS = 1000;
    if (until_due_ms <= 0) return 0;
    // The toolkit's clock moves in whole milliseconds, so "1 ms to go" means the
    // frame is due anywhere within the next millisecond. Waiting it through would
    // make frames late; calling straight back spins the processor for it. Short
    // naps keep a frame at most a quarter of a millisecond late.
    if (until_due_ms == 1) return LAST_MS_NAP_US;
    const int wait_ms = must_poll ? std::min(until_due_ms - 1, IDLE_SLEEP_LIMIT_MS) : until_due_ms - 1;
    return wait_ms * US_PER_MS;
}

// Waits until the window system has something for us (a key, a click, the
// close button) or the next frame is near, whichever comes first; the toolkit
// calls the idle callback again at once, after handling what arrived. A pad
// and the remote are read by polling, so while one is in use only short naps
// keep their presses prompt.
static void wait_for_input_or_frame(int until_due_ms) {
    const int must_poll = gamepad_device_in_use() || wiimote_polling();
    const int wait_us = idle_wait_us(until_due_ms, must_poll);
    if (wait_us <= 0) return;
    Display* display = must_poll ? nullptr : glXGetCurrentDisplay();
    if (!display) {
        std::this_thread::sleep_for(std::chrono::microseconds(wait_us));
        return;
    }
    pollfd window_system = {ConnectionNumber(display), POLLIN, 0};
    const timespec timeout = {0, wait_us * 1000L};
    if (XEventsQueued(display, QueuedAlready) == 0) ppoll(&window_system, 1, &timeout, nullptr);
}

void idle_callback() {
    quit_if_signalled();  // a quit signal ends the game between frames

    // Remote reports are applied here, between frames, like the keys.
    apply_remote_events();
    poll_gamepads();

    int now = glutGet(GLUT_ELAPSED_TIME);
    if (frame_due(now)) {
        release_keys_let_go_elsewhere();  // an arrow let go while another window had the keyboard
        glutPostRedisplay();
        return;
    }
    int until_due = last_frame_time + FRAME_INTERVAL_MS / replay_speed - now;
    if (idle_gives_back_cpu) wait_for_input_or_frame(until_due);
}

void visibility_callback(int visibility_state) {
    // A pad or remote player makes no X input: the saver waits while the game shows.
    if (visibility_state == GLUT_VISIBLE) {
        glutIdleFunc(idle_callback);
        os_hold_screen_saver();
    } else {
        glutIdleFunc(nullptr);
        os_let_screen_saver_run();
    }
}
