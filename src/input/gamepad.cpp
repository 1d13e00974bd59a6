// The pad's buttons as keys, by screen state, and its directions as arrow keys.
//
// The pad is read hundreds of times a second, so a button acts only in the poll
// in which it goes down, on every screen: held, it acts once, as a key does.
// The D-pad and the stick press and release the arrow keys, so in a stage they
// steer with the keyboard's rule that the last direction pressed wins, also
// between the two.
#include "input/gamepad.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/replay_player.h"
#include "app/screen_state.h"
#include "input/button_rows.h"
#include "input/input_stream.h"
#include "input/keys.h"
#include "platform/gamepad_device.h"
#include "stage/game_keys.h"
#include "stage/world.h"

namespace {

// Logo intro, credits, high scores: there is only the way on.
constexpr ButtonRow SKIP_TABLE[] = {{PAD_A | PAD_B | PAD_START, KEY_ESC}};
// The high scores also play the best place's replay and the last game's.
constexpr ButtonRow HIGH_SCORE_TABLE[] = {{PAD_A | PAD_B | PAD_START, KEY_ESC}, {PAD_X, '1'}, {PAD_Y, 'L'}};
// Main menu, settings, stage select, ship select.
constexpr ButtonRow MENU_TABLE[] = {{PAD_A, KEY_ENTER}, {PAD_B, KEY_ESC}};
constexpr ButtonRow CONTROLS_TABLE[] = {{PAD_B, KEY_ESC}};
constexpr ButtonRow STAGE_TABLE[] = {{PAD_A, KEY_SPACE}, {PAD_X, 'G'}, {PAD_Y, 'F'}, {PAD_START, KEY_ESC}};
// Once the fighter is lost, fire's button starts the next game.
constexpr ButtonRow DESTROYED_TABLE[] = {{PAD_A, KEY_ENTER}, {PAD_X, 'G'}, {PAD_Y, 'F'}, {PAD_START, KEY_ESC}};
// The quit prompt: flying on is easy; leaving takes a button of its own, never
// fire's, so a pilot still hammering fire as the prompt opens stays in the game.
constexpr ButtonRow QUIT_PROMPT_TABLE[] = {{PAD_B | PAD_START, 'N'}, {PAD_BACK, 'Y'}};
// A replay playing, whatever its game's screen: leave, fast while fire's button
// is held, pause, and one frame on while paused.
constexpr ButtonRow REPLAY_TABLE[] = {
    {PAD_B | PAD_START, KEY_ESC}, {PAD_A, KEY_SPACE}, {PAD_Y, 'P'}, {PAD_DPAD_RIGHT, GAME_KEY_RIGHT}};

template <int N>
int send_rows(const ButtonRow (&table)[N], unsigned went_down, int keys[MAX_PAD_KEYS]) {
    return keys_of_rows(table, went_down, keys, MAX_PAD_KEYS);
}

}  // namespace

int pad_keys_for_buttons(unsigned went_down, int state, int fighter_destroyed, int keys[MAX_PAD_KEYS]) {
    if (went_down == 0) return 0;
    switch (state) {
        case STATE_LOGO_INTRO:
        case STATE_CREDITS:
            return send_rows(SKIP_TABLE, went_down, keys);
        case STATE_HIGH_SCORES:
            return send_rows(HIGH_SCORE_TABLE, went_down, keys);
        case STATE_MAIN_MENU:
        case STATE_SETTINGS:
        case STATE_STAGE_SELECT:
        case STATE_SHIP_SELECT:
            return send_rows(MENU_TABLE, went_down, keys);
        case STATE_CONTROLS:
            return send_rows(CONTROLS_TABLE, went_down, keys);
        case STATE_QUIT_OVERLAY:
            return send_rows(QUIT_PROMPT_TABLE, went_down, keys);
        default:
            if (!in_stage_range(state)) return 0;
            if (fighter_destroyed == 1) return send_rows(DESTROYED_TABLE, went_down, keys);
            return send_rows(STAGE_TABLE, went_down, keys);
    }
}

int pad_replay_keys(unsigned changed, int keys[MAX_PAD_KEYS]) { return send_rows(REPLAY_TABLE, changed, keys); }

namespace {

// The four directions, each an arrow key, a D-pad button and a side of the stick.
struct Direction {
    int key;
    unsigned dpad_button;
    bool horizontal;
    int sign;  // +1 right or up, -1 left or down
};
constexpr Direction DIRECTIONS[] = {
    {GAME_KEY_LEFT, PAD_DPAD_LEFT, true, -1},
    {GAME_KEY_RIGHT, PAD_DPAD_RIGHT, true, +1},
    {GAME_KEY_UP, PAD_DPAD_UP, false, +1},
    {GAME_KEY_DOWN, PAD_DPAD_DOWN, false, -1},
};
constexpr int DIRECTION_COUNT = sizeof DIRECTIONS / sizeof DIRECTIONS[0];
constexpr unsigned DPAD_HORIZONTAL = PAD_DPAD_LEFT | PAD_DPAD_RIGHT;
constexpr unsigned DPAD_VERTICAL = PAD_DPAD_UP | PAD_DPAD_DOWN;

int pads_started = 0;
int pads_readable = 0;
unsigned buttons_before = 0;                 // buttons down at the previous poll
bool stick_pushed[DIRECTION_COUNT] = {};     // the stick points this way, beyond its dead zone
bool direction_pressed[DIRECTION_COUNT] = {};  // the pad holds this arrow key down
DeviceSteering pad_steering;                  // what the D-pad and the stick steer

bool axis_at_rest(const Direction& direction) { return (direction.horizontal ? steer_x : steer_y) == HELD_NONE; }

void press_directions(const GamepadReading& pad, int state) {
    const bool stage = in_stage_range(state);
    for (int i = 0; i < DIRECTION_COUNT; ++i) {
        const Direction& direction = DIRECTIONS[i];
        const double along = (direction.horizontal ? pad.stick_x : pad.stick_y) * direction.sign;
        // A stick already pushed stays pushed until it is back in the dead zone.
        const double push_at = (stick_pushed[i] || stage) ? STICK_DEAD_ZONE : STICK_MENU_PUSH;
        stick_pushed[i] = along > push_at;
        const bool held = (pad.buttons & direction.dpad_button) != 0 || stick_pushed[i];
        if (held && !direction_pressed[i])
            device_key_down(&pad_steering, direction.key);
        else if (held && stage && stick_pushed[i] && axis_at_rest(direction))
            // Like the remote's tilt, a pushed stick steers its axis again once
            // nothing else does: after the quit prompt or a new game has cleared
            // the held directions, or a D-pad or key pressed since was let go.
            device_key_down(&pad_steering, direction.key);
        else if (!held && direction_pressed[i])
            device_key_up(direction.key);
        direction_pressed[i] = held;
    }
}

// The stick's pace along one axis: 0 in the dead zone, growing to 1 (key speed)
// at full deflection, signed like the stick. A D-pad held on the axis steers it
// at key speed instead.
double stick_pace(double amount, bool dpad_on_axis) {
    if (dpad_on_axis) return 0.0;
    const double magnitude = amount < 0 ? -amount : amount;
    if (magnitude <= STICK_DEAD_ZONE) return 0.0;
    const double pace = magnitude >= 1.0 ? 1.0 : (magnitude - STICK_DEAD_ZONE) / (1.0 - STICK_DEAD_ZONE);
    return amount < 0 ? -pace : pace;
}

// Lets go of everything the pad held, so a pad pulled out mid-turn leaves no
// steering behind; the keyboard's and the remote's own directions stay.
void release_pad() {
    release_device_steering(&pad_steering);
    for (int i = 0; i < DIRECTION_COUNT; ++i) {
        direction_pressed[i] = false;
        stick_pushed[i] = false;
    }
    input_stick(0.0, 0.0);
    buttons_before = 0;
}

// A replay's controls take the buttons in place of the screen's keys, each
// pressed and let go (a held button plays fast); the directions and the stick
// steer nothing.
void send_replay_buttons(unsigned buttons) {
    int keys[MAX_PAD_KEYS];
    const int pressed = pad_replay_keys(buttons & ~buttons_before, keys);
    for (int i = 0; i < pressed; ++i) device_key_down(&pad_steering, keys[i]);
    const int let_go = pad_replay_keys(buttons_before & ~buttons, keys);
    for (int i = 0; i < let_go; ++i) device_key_up(keys[i]);
    buttons_before = buttons;
}

// A pad's name goes to the console as the maker wrote it, less control characters.
void print_pad_name(const char* name) {
    constexpr int NAME_LIMIT = 80;
    char shown[NAME_LIMIT + 1];
    int length = 0;
    for (const char* c = name ? name : "unnamed pad"; *c != '\0' && length < NAME_LIMIT; ++c)
        shown[length++] = (static_cast<unsigned char>(*c) < ' ' || *c == '\x7f') ? '?' : *c;
    shown[length] = '\0';
    printf("Gamepad connected: %s\n", shown);
}

}  // namespace

void poll_gamepads() {
    // Started on the first poll rather than at start-up: SDL takes some 15 ms to
    // look for pads, which the wait for the second frame absorbs.
    if (!pads_started) {
        pads_started = 1;
        pads_readable = gamepad_device_start(GAMEPAD_MAPPING_FILE);
    }
    if (!pads_readable) return;

    GamepadReading pad;
    const int change = gamepad_device_poll(&pad);
    if (change & GAMEPAD_LOST) {
        printf("Gamepad disconnected\n");
        release_pad();
    }
    if (change & GAMEPAD_TAKEN) {
        print_pad_name(gamepad_device_name());
        buttons_before = pad.buttons;  // buttons already down when it was taken do not act
    }
    if (!gamepad_device_in_use()) return;
    if (replay_playing) return send_replay_buttons(pad.buttons);

    const int state = screen_state;
    press_directions(pad, state);
    // The keys are chosen once, by the state the poll starts in; each key then
    // acts on whatever state the previous one left.
    int keys[MAX_PAD_KEYS];
    const int count = pad_keys_for_buttons(pad.buttons & ~buttons_before, state, player_destroyed, keys);
    for (int i = 0; i < count; ++i) device_key_down(&pad_steering, keys[i]);
    buttons_before = pad.buttons;

    const bool stage = in_stage_range(screen_state);
    input_stick(stage ? stick_pace(pad.stick_x, (pad.buttons & DPAD_HORIZONTAL) != 0) : 0.0,
                stage ? stick_pace(pad.stick_y, (pad.buttons & DPAD_VERTICAL) != 0) : 0.0);
}

namespace {

int rumble_pulses = 0;  // pulses started this run

// A pulse's end stops the motors unless a newer pulse has started since.
void end_rumble_pulse(int pulse) {
    if (pulse == rumble_pulses) gamepad_device_stop_rumble();
}

// SDL's driver stops the motors only while the pads are read, and a hidden
// window reads none (it has no idle callback): a toolkit timer, which runs on
// the toolkit's thread even then, ends the pulse.
void rumble_pulse(double strength, int duration_ms) {
    if (!gamepad_device_in_use()) return;
    gamepad_device_rumble(strength, duration_ms);
    glutTimerFunc(static_cast<unsigned>(duration_ms), end_rumble_pulse, ++rumble_pulses);
}

}  // namespace

void gamepad_rumble_hull_hit() { rumble_pulse(RUMBLE_HULL_HIT_STRENGTH, RUMBLE_HULL_HIT_MS); }

void gamepad_rumble_destroyed() { rumble_pulse(RUMBLE_DESTROYED_STRENGTH, RUMBLE_DESTROYED_MS); }

void close_gamepad() { gamepad_device_close(); }

int gamepad_connected() { return gamepad_device_in_use(); }
