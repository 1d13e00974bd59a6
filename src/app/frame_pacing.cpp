#include "app/frame_pacing.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <poll.h>

#include <algorithm>

#include "app/quit_requests.h"
#include "input/gamepad.h"
#include "input/wiimote.h"
#include "platform/gamepad_device.h"
#include "platform/os.h"

int last_frame_time = 0;
int idle_gives_back_cpu = 1;

int frame_due(int now_ms) {
    if (last_frame_time != 0 && now_ms < last_frame_time + FRAME_INTERVAL_MS) return 0;
    last_frame_time = now_ms;
    return 1;
}

int idle_wait_ms(int until_due_ms, int must_poll) {
    // The last millisecond before a frame is not waited through, since a wait
    // overshoots and every late frame would delay all that follow.
    if (until_due_ms <= 1) return 0;
    return must_poll ? std::min(until_due_ms - 1, IDLE_SLEEP_LIMIT_MS) : until_due_ms - 1;
}

// Waits until the window system has something for us (a key, a click, the
// close button) or the next frame is near, whichever comes first; the toolkit
// calls the idle callback again at once, after handling what arrived. A pad
// and the remote are read by polling, so while one is in use only short naps
// keep their presses prompt.
static void wait_for_input_or_frame(int until_due_ms) {
    const int must_poll = gamepad_device_in_use() || wiimote_polling();
    const int wait_ms = idle_wait_ms(until_due_ms, must_poll);
    if (wait_ms <= 0) return;
    Display* display = must_poll ? nullptr : glXGetCurrentDisplay();
    if (!display) {
        os_sleep_ms(wait_ms);
        return;
    }
    pollfd window_system = {ConnectionNumber(display), POLLIN, 0};
    if (XEventsQueued(display, QueuedAlready) == 0) poll(&window_system, 1, wait_ms);
}

void idle_callback() {
    quit_if_signalled();  // a quit signal ends the game between frames

    // Remote reports are applied here, between frames, like the keys.
    apply_remote_events();
    poll_gamepads();

    int now = glutGet(GLUT_ELAPSED_TIME);
    if (frame_due(now)) {
        glutPostRedisplay();
        return;
    }
    int until_due = last_frame_time + FRAME_INTERVAL_MS - now;
    if (idle_gives_back_cpu) wait_for_input_or_frame(until_due);
}

void visibility_callback(int visibility_state) {
    if (visibility_state == GLUT_VISIBLE)
        glutIdleFunc(idle_callback);
    else
        glutIdleFunc(nullptr);
}
