// The remote's buttons as keys, by screen state. The remote is held sideways,
// which is why the D-pad's right and left move menu cursors up and down and its
// up and down pick the ship to the left and right.
#include <cmath>

#include "app/screen_state.h"
#include "input/input_stream.h"
#include "input/keys.h"
#include "input/wiimote_events.h"
#include "stage/world.h"

namespace {

constexpr int KEY_LOWER_Y = 'y';  // quit overlay: yes, end the game
constexpr int KEY_LOWER_N = 'n';  // quit overlay: no, play on
constexpr int KEY_LOWER_G = 'g';  // switch guns
constexpr int KEY_LOWER_F = 'f';  // full guns

// One row of a table: while `button` is down (newly down in a stage), send `key`.
struct ButtonRow {
    uint16_t button;
    RemoteKey key;
};

constexpr RemoteKey keyboard(int code) { return RemoteKey{0, code}; }
constexpr RemoteKey special(int code) { return RemoteKey{1, code}; }

constexpr uint16_t ACTION_BUTTONS =
    WIIUSE_BUTTON_TWO | WIIUSE_BUTTON_ONE | WIIUSE_BUTTON_B | WIIUSE_BUTTON_A;

// Logo intro, credits, high scores: any action button is one Esc.
constexpr ButtonRow SKIP_TABLE[] = {{ACTION_BUTTONS, keyboard(KEY_ESC)}};
// The high scores also play the best place's replay.
constexpr ButtonRow HIGH_SCORE_TABLE[] = {{ACTION_BUTTONS, keyboard(KEY_ESC)}, {WIIUSE_BUTTON_PLUS, keyboard('1')}};

// Main menu, settings menu, stage select.
constexpr ButtonRow MENU_TABLE[] = {
    {WIIUSE_BUTTON_RIGHT, special(SPECIAL_UP)},
    {WIIUSE_BUTTON_LEFT, special(SPECIAL_DOWN)},
    {WIIUSE_BUTTON_TWO, keyboard(KEY_ENTER)},
    {WIIUSE_BUTTON_ONE, keyboard(KEY_ESC)},
};

constexpr ButtonRow CONTROLS_TABLE[] = {{WIIUSE_BUTTON_ONE, keyboard(KEY_ESC)}};

constexpr ButtonRow SHIP_SELECT_TABLE[] = {
    {WIIUSE_BUTTON_UP, special(SPECIAL_LEFT)},
    {WIIUSE_BUTTON_DOWN, special(SPECIAL_RIGHT)},
    {WIIUSE_BUTTON_TWO, keyboard(KEY_ENTER)},
    {WIIUSE_BUTTON_ONE, keyboard(KEY_ESC)},
};

constexpr ButtonRow QUIT_OVERLAY_TABLE[] = {
    {WIIUSE_BUTTON_PLUS, keyboard(KEY_LOWER_Y)},
    {WIIUSE_BUTTON_MINUS, keyboard(KEY_LOWER_N)},
};

// Stage play: only a fresh press acts, so holding Two fires one volley.
constexpr ButtonRow STAGE_TABLE[] = {
    {WIIUSE_BUTTON_TWO, keyboard(KEY_SPACE)},
    {WIIUSE_BUTTON_HOME, keyboard(KEY_ESC)},
    {WIIUSE_BUTTON_ONE, keyboard(KEY_LOWER_G)},
    {WIIUSE_BUTTON_PLUS, keyboard(KEY_LOWER_F)},
    {WIIUSE_BUTTON_B, keyboard(KEY_ENTER)},
};

template <int N>
int send_rows(const ButtonRow (&table)[N], uint16_t pressed, RemoteKey keys[MAX_REMOTE_KEYS]) {
    int count = 0;
    for (const ButtonRow& row : table)
        if ((pressed & row.button) != 0 && count < MAX_REMOTE_KEYS) keys[count++] = row.key;
    return count;
}

}  // namespace

int remote_keys_for_report(uint16_t btns, uint16_t btns_held, int state, RemoteKey keys[MAX_REMOTE_KEYS]) {
    if (btns == 0) return 0;
    switch (state) {
        case STATE_LOGO_INTRO:
        case STATE_CREDITS:
            return send_rows(SKIP_TABLE, btns, keys);
        case STATE_HIGH_SCORES:
            return send_rows(HIGH_SCORE_TABLE, btns, keys);
        case STATE_MAIN_MENU:
        case STATE_SETTINGS:
        case STATE_STAGE_SELECT:
            return send_rows(MENU_TABLE, btns, keys);
        case STATE_CONTROLS:
            return send_rows(CONTROLS_TABLE, btns, keys);
        case STATE_SHIP_SELECT:
            return send_rows(SHIP_SELECT_TABLE, btns, keys);
        case STATE_QUIT_OVERLAY:
            return send_rows(QUIT_OVERLAY_TABLE, btns, keys);
        default: {
            uint16_t newly_down = static_cast<uint16_t>(btns & ~btns_held);
            return send_rows(STAGE_TABLE, newly_down, keys);
        }
    }
}

// Degrees a remote report may carry; anything else (a broken library) counts as level.
static int whole_degrees(float angle) {
    constexpr float MAX_DEGREES = 180.0f;
    if (!std::isfinite(angle)) return 0;
    if (angle > MAX_DEGREES) angle = MAX_DEGREES;
    if (angle < -MAX_DEGREES) angle = -MAX_DEGREES;
    return static_cast<int>(angle);  // truncated toward zero
}

DeviceSteering remote_steering;

void apply_remote_tilt(float roll, float pitch) {
    device_special_press(&remote_steering, pitch < 0 ? SPECIAL_LEFT : SPECIAL_RIGHT);
    device_special_press(&remote_steering, roll < 0 ? SPECIAL_DOWN : SPECIAL_UP);
    input_tilt(1, whole_degrees(pitch), whole_degrees(roll));
}

void stop_remote_tilt_steering() {
    release_device_steering(&remote_steering);
    input_tilt(0, tilt_pitch, tilt_roll);
}
