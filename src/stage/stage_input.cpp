#include "stage/stage_input.h"

#include <cstring>

#include "stage/game_keys.h"
#include "stage/stage_controls.h"
#include "stage/world.h"

bool operator==(const SteeringValues& a, const SteeringValues& b) {
    return memcmp(&a.stick_x, &b.stick_x, sizeof a.stick_x) == 0 &&
           memcmp(&a.stick_y, &b.stick_y, sizeof a.stick_y) == 0 && a.tilt_active == b.tilt_active &&
           a.tilt_pitch == b.tilt_pitch && a.tilt_roll == b.tilt_roll;
}

int record_game_key(const InputRecord& record, int* down) {
    *down = record.handler == INPUT_SPECIAL_UP || record.handler == INPUT_DEVICE_SPECIAL_UP ? 0 : 1;
    switch (record.handler) {
        case INPUT_KEY: return game_key_of_character(static_cast<unsigned char>(record.key));
        case INPUT_SPECIAL:
        case INPUT_SPECIAL_UP:
        case INPUT_DEVICE_SPECIAL:
        case INPUT_DEVICE_SPECIAL_UP: return game_key_of_special(record.key);
    }
    return GAME_KEY_NONE;
}

void apply_stage_record(const InputRecord& record) {
    if (record.handler == INPUT_STEERING) {
        const SteeringValues& s = record.steering;
        stick_steer_x = s.stick_x;
        stick_steer_y = s.stick_y;
        tilt_active = s.tilt_active;
        tilt_pitch = s.tilt_pitch;
        tilt_roll = s.tilt_roll;
    } else if (record.handler == INPUT_STEER_AXES) {
        steer_x = record.key / HELD_VALUE_COUNT;
        steer_y = record.key % HELD_VALUE_COUNT;
    } else {
        int down = 0;
        const int key = record_game_key(record, &down);
        if (key != GAME_KEY_NONE) stage_screen_key(key, down);
    }
}
