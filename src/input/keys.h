// The key handlers: the single place where input becomes action. The toolkit's
// key callbacks translate what they get into one game key (stage/game_keys.h)
// and hand it to the current screen's key routine (input/screen_keys.h); the
// Wii Remote and the pad name the keys they imitate as game keys too.
#pragma once

#include "stage/game_keys.h"

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

// Arrow keys the keyboard holds down that the window system reports up: let go
// while another window had the keyboard, so the release went there. Each is
// released through the input stream as the toolkit's release would have been,
// so a replay records it. Called by the idle callback before each frame.
void release_keys_let_go_elsewhere();

// A game key pressed: the current screen's key routine acts on it (exactly one
// screen per key: a screen change takes effect with the next key). Called by
// the callbacks above and by the input stream for a device's keys.
void key_pressed(int key);
// A game key let go of: only stage play heeds it (an arrow stops its axis).
void key_released(int key);

// What a device (the remote's tilt, a pad's D-pad or stick) steers: each axis's
// press count right after the device's latest press on it, or -1. The axis is
// the device's while no other input has pressed on it since.
struct DeviceSteering {
    long x_mark = -1;
    long y_mark = -1;
};
// A device's key pressed or released, sent through the input stream: acts as
// the keyboard's key would, but is no key the keyboard holds; a press that
// steers is noted as the device's. Called by the remote's and the pad's mapping.
void device_key_down(DeviceSteering* device, int key);
void device_key_up(int key);
// The device has gone (a remote disconnected, a pad pulled out): each axis it
// still steers falls back to the arrow key the keyboard still holds on it, the
// latest pressed of two, or stops.
void release_device_steering(DeviceSteering* device);
