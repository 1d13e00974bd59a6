// Gamepads, read through SDL's game-controller layer without a window: one pad
// at a time, taken when it is plugged in and let go when it is pulled out. The
// game sees the buttons by their place on a standard pad (A at the bottom of
// the right-hand diamond, whatever the maker prints on it) and the left stick
// as two amounts from -1 to 1.
#pragma once

// Buttons of a standard pad, as bits of GamepadReading::buttons.
enum GamepadButton : unsigned {
    PAD_A = 1u << 0,
    PAD_B = 1u << 1,
    PAD_X = 1u << 2,
    PAD_Y = 1u << 3,
    PAD_BACK = 1u << 4,   // Back, Select, View, Share or "-", by maker
    PAD_START = 1u << 5,  // Start, Menu, Options or "+"
    PAD_DPAD_UP = 1u << 6,
    PAD_DPAD_DOWN = 1u << 7,
    PAD_DPAD_LEFT = 1u << 8,
    PAD_DPAD_RIGHT = 1u << 9,
};

// The pad in use, as one poll saw it; all zero without a pad.
struct GamepadReading {
    unsigned buttons;  // GamepadButton bits held down
    double stick_x;    // left stick: -1 full left .. 1 full right
    double stick_y;    // left stick: -1 full down .. 1 full up
};

// What a poll changed, as bits: the pad in use was pulled out, and/or a pad
// was taken (in that order when both happen in one poll).
enum GamepadChange : int { GAMEPAD_LOST = 1, GAMEPAD_TAKEN = 2 };

// Starts SDL's game-controller subsystem and adds the pad descriptions of
// `mapping_file` (SDL's text format) when that file exists. Returns 1 when
// pads can be read. Called once, by the first gamepad poll.
int gamepad_device_start(const char* mapping_file);
// Reads the pads: lets go of the pad in use if it was pulled out, takes the
// first pad plugged in when none is in use, and fills `reading`. Returns
// GamepadChange bits. Called by every gamepad poll.
int gamepad_device_poll(GamepadReading* reading);
// 1 while a pad is in use.
int gamepad_device_in_use();
// The name of the pad in use as its maker gives it, or nullptr.
const char* gamepad_device_name();
// Starts both rumble motors of the pad in use at `strength` (0..1) for
// `duration_ms`; the driver stops them at the first poll after that. Returns at
// once and does nothing without a pad or on a pad without motors. Called by the
// game's hits.
void gamepad_device_rumble(double strength, int duration_ms);
// Stops the motors of the pad in use. Called when a pulse ends.
void gamepad_device_stop_rumble();
// Stops the motors and closes the pad in use. Called on quitting.
void gamepad_device_close();
