#include "input/input_stream.h"

#include "input/keys.h"
#include "stage/game_keys.h"
#include "stage/world.h"

long frames_run = 0;
void (*input_listener)(const InputRecord& record) = nullptr;
void (*replay_frame_hook)() = nullptr;
void (*live_input_diversion)(int handler, int key, int down) = nullptr;
void (*frame_end_hook)() = nullptr;

// The steering values as the last record or frame left them. A device writes
// its stick and tilt on every poll, hundreds of times a second; only a value
// that differs from these when something else happens is worth a record.
static SteeringValues steering_known{};

SteeringValues current_steering() {
    return SteeringValues{stick_steer_x, stick_steer_y, tilt_active, tilt_pitch, tilt_roll};
}

static void tell_listener(int handler, int key, const SteeringValues& steering) {
    if (input_listener) input_listener(InputRecord{frames_run, handler, key, steering});
}

// Steering a device wrote since the last record or frame becomes a record of
// its own, ahead of whatever comes next, so a replay applies it in the same place.
static void note_direct_steering() {
    const SteeringValues now = current_steering();
    if (now == steering_known) return;
    steering_known = now;
    tell_listener(INPUT_STEERING, 0, now);
}

void apply_input_record(const InputRecord& record) {
    if (record.handler == INPUT_STEERING) {
        apply_stage_record(record);
        tell_listener(INPUT_STEERING, 0, record.steering);
    } else {
        note_direct_steering();
        // Heard before it acts: a key that ends the game must still be part of its record.
        tell_listener(record.handler, record.key, SteeringValues{});
        switch (record.handler) {
            case INPUT_KEY: keyboard_callback(static_cast<unsigned char>(record.key), 0, 0); break;
            case INPUT_SPECIAL: special_callback(record.key, 0, 0); break;
            case INPUT_SPECIAL_UP: special_up_callback(record.key, 0, 0); break;
            case INPUT_DEVICE_SPECIAL:
            case INPUT_DEVICE_SPECIAL_UP: {
                int down = 0;
                const int key = record_game_key(record, &down);
                down ? key_pressed(key) : key_released(key);
                break;
            }
            case INPUT_STEER_AXES: apply_stage_record(record); break;
        }
    }
    steering_known = current_steering();
}

// Live input goes to the game, or to a playing replay's controls instead.
static void live(int handler, int key) {
    if (live_input_diversion) {
        live_input_diversion(handler, key, handler == INPUT_SPECIAL_UP || handler == INPUT_DEVICE_SPECIAL_UP ? 0 : 1);
        return;
    }
    apply_input_record(InputRecord{frames_run, handler, key, SteeringValues{}});
}

void input_key(unsigned char key) { live(INPUT_KEY, key); }
void input_special(int key) { live(INPUT_SPECIAL, key); }
void input_special_up(int key) { live(INPUT_SPECIAL_UP, key); }
void input_steer_axes(int x, int y) { live(INPUT_STEER_AXES, x * HELD_VALUE_COUNT + y); }

void input_device_key(int key, int down) {
    if (is_special_game_key(key)) {
        live(down ? INPUT_DEVICE_SPECIAL : INPUT_DEVICE_SPECIAL_UP, special_of_game_key(key));
    } else if (key >= 0 && down) {
        live(INPUT_KEY, key);
    } else if (key >= 0 && live_input_diversion) {
        live_input_diversion(INPUT_KEY, key, 0);  // a held button's release: a replay's fast play ends
    }
}

void input_stick(double x, double y) {
    if (live_input_diversion) return;  // a replay's fighter steers by its record alone
    stick_steer_x = x;
    stick_steer_y = y;
}

void input_tilt(int active, int pitch, int roll) {
    if (live_input_diversion) return;
    tilt_active = active;
    tilt_pitch = pitch;
    tilt_roll = roll;
}

void stream_keyboard_callback(unsigned char key, int, int) { input_key(key); }
void stream_special_callback(int key, int, int) { input_special(key); }
void stream_special_up_callback(int key, int, int) { input_special_up(key); }
void stream_keyboard_up_callback(unsigned char key, int, int) {
    if (live_input_diversion) live_input_diversion(INPUT_KEY, key, 0);
}

void input_stream_frame_begins() {
    note_direct_steering();
    if (replay_frame_hook) replay_frame_hook();
}

void input_stream_frame_ends() {
    if (frame_end_hook) frame_end_hook();
    steering_known = current_steering();
    ++frames_run;
}
