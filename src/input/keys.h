// The key handlers: the single place where input becomes action. The Wii Remote
// calls the same handlers with the codes of the keys it imitates.
#pragma once

// Keyboard codes the handlers act on.
enum { KEY_ENTER = 13, KEY_ESC = 27, KEY_SPACE = 32 };
// GLUT special-key codes the handlers act on.
enum {
    SPECIAL_F5 = 5, SPECIAL_F6 = 6, SPECIAL_F7 = 7, SPECIAL_F8 = 8, SPECIAL_F12 = 12,
    SPECIAL_LEFT = 100, SPECIAL_UP = 101, SPECIAL_RIGHT = 102, SPECIAL_DOWN = 103,
};


extern int menu_cursor;      // main-menu item 1..6
extern int settings_cursor;  // settings row 1..6
extern int restart_notice;   // 1 once the video mode was switched this run
// Direction presses each steering axis has taken this run, from any input. An
// input that goes away compares them with what it saw after its own last press
// to tell whether another input has steered that axis since.
extern unsigned steer_x_presses;
extern unsigned steer_y_presses;

// Toolkit callbacks (the mouse position is ignored). The special-key ones are
// the keyboard's own: they also note which arrow keys it holds.
void keyboard_callback(unsigned char key, int x, int y);
void special_callback(int key, int x, int y);
void special_up_callback(int key, int x, int y);

// What a device (the remote's tilt, a pad's D-pad or stick) steers: each axis's
// press count right after the device's latest press on it, or -1. The axis is
// the device's while no other input has pressed on it since.
struct DeviceSteering {
    long x_mark = -1;
    long y_mark = -1;
};
// A device's direction key pressed or released: acts as the special-key
// callbacks do, but is no key the keyboard holds; a press that steers is noted
// as the device's. Called by the remote's and the pad's mapping.
void device_special_press(DeviceSteering* device, int key);
void device_special_release(int key);
// What those two do to the game once they come out of the input stream.
void device_key_press(int key);
void device_key_release(int key);
// The device has gone (a remote disconnected, a pad pulled out): each axis it
// still steers falls back to the arrow key the keyboard still holds on it, the
// latest pressed of two, or stops.
void release_device_steering(DeviceSteering* device);

// Main menu item 6, and the window's close button and the quit signals
// (app/quit_requests): save_and_let_go, then exit 0.
void quit_game();
// What every way of ending the game does before the process ends: close sound,
// save settings, let go of the remote (its poll thread first). Touches neither
// the window system nor GL, so it is also safe once the display is gone.
// Called by quit_game and when the display connection is lost.
void save_and_let_go();
