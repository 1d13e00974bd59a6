#include "app/frame_pacing.h"

#include <GL/freeglut.h>

#include <algorithm>

#include "app/quit_requests.h"
#include "input/gamepad.h"
#include "input/wiimote.h"
#include "platform/os.h"

int last_frame_time = 0;
int idle_gives_back_cpu = 1;

int frame_due(int now_ms) {
    if (last_frame_time != 0 && now_ms < last_frame_time + FRAME_INTERVAL_MS) return 0;
    last_frame_time = now_ms;
    return 1;
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
    // Nap instead of spinning: the toolkit calls us again at once, and short naps
    // keep key and remote input prompt. The last millisecond before a frame is
    // not slept through, since a nap overshoots and every late frame would
    // delay all that follow.
    int until_due = last_frame_time + FRAME_INTERVAL_MS - now;
    if (idle_gives_back_cpu && until_due > 1) os_sleep_ms(std::min(until_due - 1, IDLE_SLEEP_LIMIT_MS));
}

void visibility_callback(int visibility_state) {
    if (visibility_state == GLUT_VISIBLE)
        glutIdleFunc(idle_callback);
    else
        glutIdleFunc(nullptr);
}
