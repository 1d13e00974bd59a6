#include "input/keys.h"

#include <cstdio>
#include <cstdlib>

#include "app/game_end.h"
#include "app/replay_player.h"
#include "app/screen_state.h"
#include "audio/sound.h"
#include "combat/guns.h"
#include "input/gamepad.h"
#include "input/input_stream.h"
#include "input/wiimote.h"
#include "menus/screens.h"
#include "persist/settings.h"
#include "render/hud.h"
#include "render/starfield.h"
#include "stage/world.h"

int menu_cursor = 1;
int settings_cursor = 1;
int restart_notice = 0;
unsigned steer_x_presses = 0;
unsigned steer_y_presses = 0;

// Moving a cursor clicks softly; confirming or going back clicks harder.
static const char* const CLICK_CURSOR = "./sfx/sfx_gun_2.wav";
static const char* const CLICK_CONFIRM = "./sfx/sfx_gun_5.wav";

constexpr int MENU_ITEMS = 6;      // main menu and settings menu alike
constexpr int MAIN_MENU_QUIT = 6;  // the main menu's last item leaves the game

// The settings menu's rows, top to bottom.
enum {
    SETTINGS_SOUND = 1,
    SETTINGS_MUSIC,
    SETTINGS_SOUND_VOLUME,
    SETTINGS_MUSIC_VOLUME,
    SETTINGS_DISPLAY_MODE,
    SETTINGS_CONTROLS,
};
constexpr int VOLUME_STEPS = 9;    // volumes run 1..9
constexpr int NEUTRON_SHIP = 2;    // Brantor carries neutron guns instead of ion guns

// Letter keys act in either case.
static int fold_case(unsigned char key) { return (key >= 'a' && key <= 'z') ? key - 'a' + 'A' : key; }

// value - 1 or + 1, stepping off one end of first..last onto the other.
static int wrap_step(int value, int step, int first, int last) {
    value += step;
    if (value < first) return last;
    if (value > last) return first;
    return value;
}

// A volume only ever goes up, and past 9 it starts again at 1. A volume read
// from a damaged settings.cfg may be the largest int, which must not overflow.
static int next_volume(int volume) { return volume >= VOLUME_STEPS ? 1 : volume + 1; }

static int toggled(int flag) { return flag == 0 ? 1 : 0; }

static void back_to_main_menu(int fresh) {
    credits_scroll = 0.0;
    enter_screen(STATE_MAIN_MENU, fresh);
}

// Music switched on restarts the song the current screen last started; off frees it.
static void toggle_music() {
    if (music == 0) {
        music = 1;
        play_music(music_path);
    } else {
        music = 0;
        stop_music();
    }
}

void save_and_let_go() {
    close_sound_backend();
    save_settings();
    if (wiiuse_loaded()) wiimote_disconnect_and_unload();
    close_gamepad();  // a pad left open could buzz on
}

void quit_game() {
    leave_replay();  // the settings as the player left them, not as a replay's keys did
    save_and_let_go();
    exit(0);
}

// ---- Ordinary keys, one routine per screen ----

static void logo_intro_key(int key) {
    if (key == KEY_ESC) end_logo_intro();
}

static void main_menu_key(int key) {
    // The screen behind each of items 1..5 (index 0 unused).
    static const int ITEM_SCREENS[MAIN_MENU_QUIT] = {0, STATE_SHIP_SELECT, STATE_STAGE_SELECT,
                                                     STATE_SETTINGS, STATE_HIGH_SCORES, STATE_CREDITS};
    if (key != KEY_ENTER || menu_cursor < 1 || menu_cursor > MAIN_MENU_QUIT) return;
    if (menu_cursor == MAIN_MENU_QUIT) {
        quit_game();  // does not return
        return;
    }
    play_sound(CLICK_CONFIRM);
    const int next = ITEM_SCREENS[menu_cursor];
    // The credits have their own song.
    enter_screen(next, next == STATE_CREDITS ? FRESH_TEXTURES | FRESH_MUSIC : FRESH_TEXTURES);
}

static void settings_menu_key(int key) {
    if (key == KEY_ESC) {
        play_sound(CLICK_CONFIRM);
        back_to_main_menu(FRESH_TEXTURES);
        return;
    }
    if (key != KEY_ENTER) return;
    switch (settings_cursor) {
    case SETTINGS_SOUND:
        sfx = toggled(sfx);
        play_sound(CLICK_CONFIRM);  // heard only when sound just came on
        break;
    case SETTINGS_MUSIC:
        toggle_music();
        play_sound(CLICK_CONFIRM);
        break;
    case SETTINGS_SOUND_VOLUME:
        sfxvol = next_volume(sfxvol);
        play_sound(CLICK_CONFIRM);  // already at the new volume
        break;
    case SETTINGS_MUSIC_VOLUME:
        musicvol = next_volume(musicvol);
        set_music_volume();
        break;
    case SETTINGS_DISPLAY_MODE:
        restart_notice = 1;  // the display mode is chosen at start-up only
        fullscreen = fullscreen == 1 ? 0 : 1;
        play_sound(CLICK_CONFIRM);
        break;
    case SETTINGS_CONTROLS:
        play_sound(CLICK_CONFIRM);
        enter_screen(STATE_CONTROLS, FRESH_TEXTURES);
        break;
    }
}

static void controls_screen_key(int key) {
    if (key != KEY_ESC) return;
    play_sound(CLICK_CONFIRM);
    enter_screen(STATE_SETTINGS, FRESH_TEXTURES);
}

static void stage_select_key(int key) {
    if (key == KEY_ENTER) {
        play_sound(CLICK_CONFIRM);
        enter_screen(STATE_SHIP_SELECT, FRESH_TEXTURES);
    } else if (key == KEY_ESC) {
        play_sound(CLICK_CONFIRM);
        back_to_main_menu(FRESH_TEXTURES);
    }
}

static void high_score_screen_key(int key) {
    // 1..9 and 0 (the tenth place) play that place's replay.
    if (key >= '0' && key <= '9') return start_entry_replay(key == '0' ? 9 : key - '1');
    if (key != KEY_ESC) return;
    play_sound(CLICK_CONFIRM);
    back_to_main_menu(FRESH_TEXTURES);
}

static void credits_key(int key) {
    if (key != KEY_ESC) return;
    play_sound(CLICK_CONFIRM);
    back_to_main_menu(FRESH_TEXTURES | FRESH_MUSIC);  // the main menu starts its own song again
}

static void ship_select_key(int key) {
    if (key == KEY_ENTER) {
        play_sound(CLICK_CONFIRM);
        enter_screen(STATE_NAV1, FRESH_TEXTURES | FRESH_MUSIC);
        wiimote_motion_sensing(1);
    } else if (key == KEY_ESC) {
        play_sound(CLICK_CONFIRM);
        back_to_main_menu(FRESH_TEXTURES);
    }
}

static int full_guns_of_ship() { return selected_ship == NEUTRON_SHIP ? GUN_MODE_LASER_NEUTRON : GUN_MODE_LASER_ION; }

// G: ships 0 and 1 cycle laser, ion, both; ship 2 laser, neutron, both.
static void switch_guns() {
    const int second_gun = selected_ship == NEUTRON_SHIP ? GUN_MODE_NEUTRON : GUN_MODE_ION;
    const int full_guns = full_guns_of_ship();
    if (gun_mode == GUN_MODE_LASER) {
        gun_mode = second_gun;
        show_message(MESSAGE_FRAMES_GUNS, "Guns switched");
    } else if (gun_mode == second_gun) {
        gun_mode = full_guns;
        show_message(MESSAGE_FRAMES_GUNS, "Full Guns selected");
    } else if (gun_mode == full_guns) {
        gun_mode = GUN_MODE_LASER;
        show_message(MESSAGE_FRAMES_GUNS, "Guns switched");
    }
}

static void stage_key(int key) {
    switch (key) {
    case KEY_SPACE:
        if (nav_completed == 0) fire_guns();
        break;
    case 'G':
        switch_guns();
        break;
    case 'F':
        gun_mode = full_guns_of_ship();
        show_message(MESSAGE_FRAMES_GUNS, "Full Guns selected");
        break;
    case 'M':
        show_message(MESSAGE_FRAMES_GUNS, "No missiles available");
        break;
    case KEY_ESC:
        play_sound(CLICK_CONFIRM);
        paused_state = screen_state;
        enter_screen(STATE_QUIT_OVERLAY, FRESH_NOTHING);  // the stage's pictures and song stay
        break;
    case KEY_ENTER:
        // A lost game restarts at once from NAV 1; an intact fighter ignores Enter.
        if (player_destroyed == 1) end_game(ENDING_RESTART);
        break;
    }
}

static void quit_overlay_key(int key) {
    if (key == 'N') {
        play_sound(CLICK_CONFIRM);
        steer_x = HELD_NONE;  // a direction released while paused must not keep the ship drifting
        steer_y = HELD_NONE;
        enter_screen(paused_state, FRESH_NOTHING);
    } else if (key == 'Y') {
        play_sound(CLICK_CONFIRM);
        end_game(ENDING_QUIT);
    }
}

void keyboard_callback(unsigned char character, int, int) {
    const int key = fold_case(character);
    const int state = screen_state;
    // Exactly one screen's table per key: a screen change takes effect with the next key.
    if (state == STATE_LOGO_INTRO) logo_intro_key(key);
    else if (state == STATE_MAIN_MENU) main_menu_key(key);
    else if (state == STATE_SETTINGS) settings_menu_key(key);
    else if (state == STATE_CONTROLS) controls_screen_key(key);
    else if (state == STATE_STAGE_SELECT) stage_select_key(key);
    else if (state == STATE_HIGH_SCORES) high_score_screen_key(key);
    else if (state == STATE_CREDITS) credits_key(key);
    else if (state == STATE_SHIP_SELECT) ship_select_key(key);
    else if (in_stage_range(state)) stage_key(key);
    else if (state == STATE_QUIT_OVERLAY) quit_overlay_key(key);
}

// ---- Special keys pressed ----

static void main_menu_special(int key) {
    if (key != SPECIAL_UP && key != SPECIAL_DOWN) return;
    menu_cursor = wrap_step(menu_cursor, key == SPECIAL_UP ? -1 : 1, 1, MENU_ITEMS);
    play_sound(CLICK_CURSOR);
}

static void settings_menu_special(int key) {
    if (key != SPECIAL_UP && key != SPECIAL_DOWN) return;
    settings_cursor = wrap_step(settings_cursor, key == SPECIAL_UP ? -1 : 1, 1, MENU_ITEMS);
    play_sound(CLICK_CURSOR);
}

// The stage select offers one entry: the cursor keys only click.
static void stage_select_special(int key) {
    if (key == SPECIAL_UP || key == SPECIAL_DOWN) play_sound(CLICK_CURSOR);
}

static void ship_select_special(int key) {
    if (key != SPECIAL_LEFT && key != SPECIAL_RIGHT) return;
    selected_ship = wrap_step(selected_ship, key == SPECIAL_LEFT ? -1 : 1, 0, PLAYER_SHIP_COUNT - 1);
    play_sound(CLICK_CURSOR);
}

static void stage_special(int key) {
    switch (key) {
    case SPECIAL_F5:
        sfx = toggled(sfx);
        show_message(MESSAGE_FRAMES_SOUND, sfx == 1 ? "Sound On" : "Sound Off");
        break;
    case SPECIAL_F6:
        toggle_music();
        show_message(MESSAGE_FRAMES_SOUND, music == 1 ? "Music On" : "Music Off");
        break;
    case SPECIAL_F7:
        sfxvol = next_volume(sfxvol);  // heard from the next effect on
        show_message(MESSAGE_FRAMES_VOLUME, "Sound Volume: %d", sfxvol);
        break;
    case SPECIAL_F8:
        musicvol = next_volume(musicvol);
        show_message(MESSAGE_FRAMES_VOLUME, "Music Volume: %d", musicvol);
        set_music_volume();
        break;
    case SPECIAL_F12:
        stars_on = toggled(stars_on);
        show_message(MESSAGE_FRAMES_VOLUME, stars_on == 1 ? "Stars Enabled" : "Stars Disabled");
        break;
    // The latest pressed direction of an axis wins.
    case SPECIAL_LEFT: steer_x = HELD_LEFT; ++steer_x_presses; break;
    case SPECIAL_RIGHT: steer_x = HELD_RIGHT; ++steer_x_presses; break;
    case SPECIAL_UP: steer_y = HELD_UP; ++steer_y_presses; break;
    case SPECIAL_DOWN: steer_y = HELD_DOWN; ++steer_y_presses; break;
    }
}

// Arrow keys the keyboard holds, by the order they went down (0: up), so that
// an axis a device lets go of falls back to the keys still held.
static unsigned arrow_down_order[SPECIAL_DOWN - SPECIAL_LEFT + 1];
static unsigned arrows_pressed = 0;

static void note_arrow(int key, bool down) {
    if (key >= SPECIAL_LEFT && key <= SPECIAL_DOWN) arrow_down_order[key - SPECIAL_LEFT] = down ? ++arrows_pressed : 0;
}

// The direction the keyboard holds on an axis, as steer_x or steer_y holds it:
// of the axis's two arrow keys (left or up first), the one that went down last.
static int held_direction(int first_key, int second_key) {
    const unsigned first = arrow_down_order[first_key - SPECIAL_LEFT];
    const unsigned second = arrow_down_order[second_key - SPECIAL_LEFT];
    if (first == 0 && second == 0) return HELD_NONE;
    return first > second ? HELD_LEFT : HELD_RIGHT;  // HELD_UP and HELD_DOWN alike
}

static void special_key(int key) {
    const int state = screen_state;
    if (state == STATE_MAIN_MENU) main_menu_special(key);
    else if (state == STATE_SETTINGS) settings_menu_special(key);
    else if (state == STATE_STAGE_SELECT) stage_select_special(key);
    else if (state == STATE_SHIP_SELECT) ship_select_special(key);
    else if (in_stage_range(state)) stage_special(key);
}

void special_callback(int key, int, int) {
    note_arrow(key, true);
    special_key(key);
}

void device_key_press(int key) { special_key(key); }

void device_special_press(DeviceSteering* device, int key) {
    const unsigned x_before = steer_x_presses, y_before = steer_y_presses;
    input_device_special(key);
    // A press the handlers ignored (a menu, the quit overlay) leaves the marks as they were.
    if (steer_x_presses != x_before) device->x_mark = steer_x_presses;
    if (steer_y_presses != y_before) device->y_mark = steer_y_presses;
}

void release_device_steering(DeviceSteering* device) {
    // An axis at rest (let go of, or cleared by the quit overlay's N or a new game) stays at rest.
    int x = steer_x, y = steer_y;
    if (device->x_mark == static_cast<long>(steer_x_presses) && steer_x != HELD_NONE)
        x = held_direction(SPECIAL_LEFT, SPECIAL_RIGHT);
    if (device->y_mark == static_cast<long>(steer_y_presses) && steer_y != HELD_NONE)
        y = held_direction(SPECIAL_UP, SPECIAL_DOWN);
    // As values, not as the keys that led to them: a replay has no held keys to look at.
    if (x != steer_x || y != steer_y) input_steer_axes(x, y);
    *device = DeviceSteering{};
}

// ---- Special keys released ----

// Releasing a key stops its axis only while that key is still the axis's
// direction: with Left pressed over a held Right, letting go of Right changes nothing.
static void stage_special_up(int key) {
    switch (key) {
    case SPECIAL_LEFT: if (steer_x != HELD_RIGHT) steer_x = HELD_NONE; break;
    case SPECIAL_RIGHT: if (steer_x != HELD_LEFT) steer_x = HELD_NONE; break;
    case SPECIAL_UP: if (steer_y != HELD_DOWN) steer_y = HELD_NONE; break;
    case SPECIAL_DOWN: if (steer_y != HELD_UP) steer_y = HELD_NONE; break;
    }
}

void device_key_release(int key) {
    // Releases outside stage play (in the quit overlay, say) are ignored; N clears the axes instead.
    if (in_stage_range(screen_state)) stage_special_up(key);
}

void device_special_release(int key) { input_device_special_up(key); }

void special_up_callback(int key, int, int) {
    note_arrow(key, false);
    device_key_release(key);
}
