#include "platform/keyboard_state.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

static char keys_down[32];  // the server's bit per key code, as os_read_keyboard last read it

static Bool note_key_event(Display*, XEvent* event, XPointer found) {
    if (event->type == KeyPress || event->type == KeyRelease) *reinterpret_cast<bool*>(found) = true;
    return False;  // look only: every event stays queued for the toolkit
}

int os_read_keyboard() {
    Display* display = glXGetCurrentDisplay();
    if (!display) return 0;
    XQueryKeymap(display, keys_down);
    // Events the server sent before its answer are queued by now; a key event
    // among them may be the very release the answer shows.
    bool key_event_waiting = false;
    XEvent unused;
    XCheckIfEvent(display, &unused, note_key_event, reinterpret_cast<XPointer>(&key_event_waiting));
    return key_event_waiting ? 0 : 1;
}

static bool down(Display* display, KeySym key) {
    const KeyCode code = XKeysymToKeycode(display, key);
    return code != 0 && (keys_down[code / 8] >> (code % 8) & 1) != 0;
}

int os_special_key_up(int code) {
    Display* display = glXGetCurrentDisplay();
    if (!display) return 0;
    // The toolkit reports the keypad's arrows as arrows too.
    KeySym main_key, keypad_key;
    switch (code) {
        case GLUT_KEY_LEFT: main_key = XK_Left, keypad_key = XK_KP_Left; break;
        case GLUT_KEY_UP: main_key = XK_Up, keypad_key = XK_KP_Up; break;
        case GLUT_KEY_RIGHT: main_key = XK_Right, keypad_key = XK_KP_Right; break;
        case GLUT_KEY_DOWN: main_key = XK_Down, keypad_key = XK_KP_Down; break;
        default: return 0;
    }
    return !down(display, main_key) && !down(display, keypad_key);
}
