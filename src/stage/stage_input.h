// What reaches the world from outside a frame, as one record: a key pressed or
// let go of, the held directions set, or the steering values a pad's stick and
// a remote's tilt write. The game's input stream (input/input_stream.h) makes
// these records from its devices and a replay file stores them; the world's
// part of each is applied here, so a window's playback and a run with nothing
// attached fly a recorded game alike.
#pragma once

#include <cstdint>

// What an input record does.
enum InputHandler {
    INPUT_KEY = 0,         // keyboard_callback(key): the keyboard's, or a device's character
    INPUT_SPECIAL = 1,     // special_callback(key)
    INPUT_SPECIAL_UP = 2,  // special_up_callback(key)
    INPUT_STEER_AXES = 3,  // steer_x, steer_y from key (below): a lost device stops its steering
    INPUT_STEERING = 4,    // the steering values a device writes on every poll
    INPUT_DEVICE_SPECIAL = 5,     // a device's special key pressed: as special_callback, no key the keyboard holds
    INPUT_DEVICE_SPECIAL_UP = 6,  // a device's special key released
};
constexpr int INPUT_HANDLER_COUNT = 7;

// The steering values the pad's stick and the remote's tilt write directly.
struct SteeringValues {
    double stick_x, stick_y;  // stick_steer_x, stick_steer_y
    int32_t tilt_active, tilt_pitch, tilt_roll;
};
// Bit for bit: -0.0 and 0.0 steer alike, but a replay must give back the very value.
bool operator==(const SteeringValues& a, const SteeringValues& b);
inline bool operator!=(const SteeringValues& a, const SteeringValues& b) { return !(a == b); }

struct InputRecord {
    long frame;        // the frame before which it acts
    int handler;       // InputHandler
    int key;           // the handler's key; INPUT_STEER_AXES: steer_x * HELD_VALUE_COUNT + steer_y
    SteeringValues steering;  // INPUT_STEERING only
};

// The game key a key record carries (stage/game_keys.h), with *down 1 for a
// press and 0 for a release; GAME_KEY_NONE for the records that set values.
int record_game_key(const InputRecord& record, int* down);

// The world's part of one record, before the frame it is due: the steering
// values and the held directions are set; a key goes to the stage's controls
// by screen state (stage_screen_key). Called for every record by a run with
// nothing attached, and by the game's input stream for the records that set
// values (its keys take the screens' key routines, which end in the same
// controls).
void apply_stage_record(const InputRecord& record);
