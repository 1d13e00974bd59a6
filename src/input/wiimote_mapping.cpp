// The remote's buttons as keys, by screen state. The remote is held sideways,
// which is why the D-pad's right and left move menu cursors up and down and its
// up and down pick the ship to the left and right.
#include <cmath>

#include "app/screen_state.h"
#include "input/button_rows.h"
#include "input/input_stream.h"
#include "input/keys.h"
#include "input/wiimote_events.h"
#include "stage/game_keys.h"
#include "stage/world.h"

namespace {

constexpr uint16_t ACTION_BUTTONS =
    WIIUSE_BUTTON_TWO | WIIUSE_BUTTON_ONE | WIIUSE_BUTTON_B | WIIUSE_BUTTON_A;

// Logo intro, credits, high scores: any action button is one Esc.
constexpr ButtonRow SKIP_TABLE[] = {{ACTION_BUTTONS, KEY_ESC}};
// The high scores also play the best place's replay and the last game's.
constexpr ButtonRow HIGH_SCORE_TABLE[] = {
    {ACTION_BUTTONS, KEY_ESC}, {WIIUSE_BUTTON_PLUS, '1'}, {WIIUSE_BUTTON_MINUS, 'L'}};

// A replay playing: leave, fast while fire's button is held, pause, and one
// frame on while paused (the D-pad's down points right on a remote held sideways).
constexpr ButtonRow REPLAY_TABLE[] = {
    {WIIUSE_BUTTON_HOME, KEY_ESC}, {WIIUSE_BUTTON_TWO, KEY_SPACE}, {WIIUSE_BUTTON_ONE, 'P'},
    {WIIUSE_BUTTON_DOWN, GAME_KEY_RIGHT}};
uint16_t replay_buttons_before = 0;  // down in the last report a replay heard

// Main menu, settings menu, stage select.
constexpr ButtonRow MENU_TABLE[] = {
    {WIIUSE_BUTTON_RIGHT, GAME_KEY_UP},
    {WIIUSE_BUTTON_LEFT, GAME_KEY_DOWN},
    {WIIUSE_BUTTON_TWO, KEY_ENTER},
    {WIIUSE_BUTTON_ONE, KEY_ESC},
};

constexpr ButtonRow CONTROLS_TABLE[] = {{WIIUSE_BUTTON_ONE, KEY_ESC}};

constexpr ButtonRow SHIP_SELECT_TABLE[] = {
    {WIIUSE_BUTTON_UP, GAME_KEY_LEFT},
    {WIIUSE_BUTTON_DOWN, GAME_KEY_RIGHT},
    {WIIUSE_BUTTON_TWO, KEY_ENTER},
    {WIIUSE_BUTTON_ONE, KEY_ESC},
};

constexpr ButtonRow QUIT_OVERLAY_TABLE[] = {
    {WIIUSE_BUTTON_PLUS, 'Y'},   // yes, end the game
    {WIIUSE_BUTTON_MINUS, 'N'},  // no, play on
};

// Stage play: only a fresh press acts, so holding Two fires one volley.
constexpr ButtonRow STAGE_TABLE[] = {
    {WIIUSE_BUTTON_TWO, KEY_SPACE},
    {WIIUSE_BUTTON_HOME, KEY_ESC},
    {WIIUSE_BUTTON_ONE, 'G'},   // switch guns
    {WIIUSE_BUTTON_PLUS, 'F'},  // full guns
    {WIIUSE_BUTTON_B, KEY_ENTER},
};

template <int N>
int send_rows(const ButtonRow (&table)[N], uint16_t pressed, int keys[MAX_REMOTE_KEYS]) {
    return keys_of_rows(table, pressed, keys, MAX_REMOTE_KEYS);
}

}  // namespace

int remote_keys_for_report(uint16_t btns, uint16_t btns_held, int state, int keys[MAX_REMOTE_KEYS]) {
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

void apply_remote_replay_buttons(uint16_t btns, uint16_t btns_held) {
    int keys[MAX_REMOTE_KEYS];
    const int pressed = send_rows(REPLAY_TABLE, static_cast<uint16_t>(btns & ~btns_held), keys);
    for (int i = 0; i < pressed; ++i) device_key_down(&remote_steering, keys[i]);
    const int let_go = send_rows(REPLAY_TABLE, static_cast<uint16_t>(replay_buttons_before & ~btns), keys);
    for (int i = 0; i < let_go; ++i) device_key_up(keys[i]);
    replay_buttons_before = btns;
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
    device_key_down(&remote_steering, pitch < 0 ? GAME_KEY_LEFT : GAME_KEY_RIGHT);
    device_key_down(&remote_steering, roll < 0 ? GAME_KEY_DOWN : GAME_KEY_UP);
    input_tilt(1, whole_degrees(pitch), whole_degrees(roll));
}

void stop_remote_tilt_steering() {
    release_device_steering(&remote_steering);
    input_tilt(0, tilt_pitch, tilt_roll);
}
