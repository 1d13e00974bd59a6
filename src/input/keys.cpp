#include "input/keys.h"

#include "app/screen_state.h"
#include "input/input_stream.h"
#include "input/screen_keys.h"
#include "platform/keyboard_state.h"
#include "stage/stage_controls.h"
#include "stage/world.h"

unsigned steer_x_presses = 0;
unsigned steer_y_presses = 0;

void key_pressed(int key) {
    const int state = screen_state;
    if (state == STATE_LOGO_INTRO) logo_intro_key(key);
    else if (state == STATE_MAIN_MENU) main_menu_key(key);
    else if (state == STATE_SETTINGS) settings_menu_key(key);
    else if (state == STATE_CONTROLS) controls_screen_key(key);
    else if (state == STATE_STAGE_SELECT) stage_select_key(key);
    else if (state == STATE_HIGH_SCORES) high_score_screen_key(key);
    else if (state == STATE_CREDITS) credits_key(key);
    else if (state == STATE_SHIP_SELECT) ship_select_key(key);
    else if (in_stage_range(state)) stage_key(key);
    else if (state == STATE_QUIT_OVERLAY) stage_screen_key(key, 1);
}

void key_released(int key) {
    // Releases outside stage play (in the quit overlay, say) are ignored; N clears the axes instead.
    stage_screen_key(key, 0);
}

// ---- The arrow keys the keyboard holds ----

// By the order they went down (0: up), so that an axis a device lets go of
// falls back to the keys still held.
static_assert(GAME_KEY_UP == GAME_KEY_LEFT + 1 && GAME_KEY_RIGHT == GAME_KEY_LEFT + 2 &&
                  GAME_KEY_DOWN == GAME_KEY_LEFT + 3,
              "the arrow keys are numbered left, up, right, down");
static unsigned arrow_down_order[GAME_KEY_DOWN - GAME_KEY_LEFT + 1];
static unsigned arrows_pressed = 0;

static void note_arrow(int key, bool down) {
    if (key < GAME_KEY_LEFT || key > GAME_KEY_DOWN) return;
    arrow_down_order[key - GAME_KEY_LEFT] = down ? ++arrows_pressed : 0;
}

// The direction the keyboard holds on an axis, as steer_x or steer_y holds it:
// of the axis's two arrow keys (left or up first), the one that went down last.
static int held_direction(int first_key, int second_key) {
    const unsigned first = arrow_down_order[first_key - GAME_KEY_LEFT];
    const unsigned second = arrow_down_order[second_key - GAME_KEY_LEFT];
    if (first == 0 && second == 0) return HELD_NONE;
    return first > second ? HELD_LEFT : HELD_RIGHT;  // HELD_UP and HELD_DOWN alike
}

void release_keys_let_go_elsewhere() {
    if (live_input_diversion) return;  // a replay plays: the keyboard's keys do not reach its game
    bool any_held = false;
    for (unsigned order : arrow_down_order) any_held = any_held || order != 0;
    if (!any_held || !os_read_keyboard()) return;
    for (int key = GAME_KEY_LEFT; key <= GAME_KEY_DOWN; ++key) {
        const int code = special_of_game_key(key);
        if (arrow_down_order[key - GAME_KEY_LEFT] != 0 && os_special_key_up(code)) input_special_up(code);
    }
}

// ---- The toolkit's callbacks: the keyboard ----

void keyboard_callback(unsigned char character, int, int) { key_pressed(game_key_of_character(character)); }

void special_callback(int code, int, int) {
    const int key = game_key_of_special(code);
    note_arrow(key, true);
    key_pressed(key);
}

void special_up_callback(int code, int, int) {
    const int key = game_key_of_special(code);
    note_arrow(key, false);
    key_released(key);
}

// ---- Devices ----

void device_key_down(DeviceSteering* device, int key) {
    const unsigned x_before = steer_x_presses, y_before = steer_y_presses;
    input_device_key(key, 1);
    // A press the handlers ignored (a menu, the quit overlay) leaves the marks as they were.
    if (steer_x_presses != x_before) device->x_mark = steer_x_presses;
    if (steer_y_presses != y_before) device->y_mark = steer_y_presses;
}

void device_key_up(int key) { input_device_key(key, 0); }

void release_device_steering(DeviceSteering* device) {
    // An axis at rest (let go of, or cleared by the quit overlay's N or a new game) stays at rest.
    int x = steer_x, y = steer_y;
    if (device->x_mark == static_cast<long>(steer_x_presses) && steer_x != HELD_NONE)
        x = held_direction(GAME_KEY_LEFT, GAME_KEY_RIGHT);
    if (device->y_mark == static_cast<long>(steer_y_presses) && steer_y != HELD_NONE)
        y = held_direction(GAME_KEY_UP, GAME_KEY_DOWN);
    // As values, not as the keys that led to them: a replay has no held keys to look at.
    if (x != steer_x || y != steer_y) input_steer_axes(x, y);
    *device = DeviceSteering{};
}
