#include "stage/stage_controls.h"

#include "combat/guns.h"
#include "stage/game_keys.h"
#include "stage/screen_machine.h"
#include "stage/stage_events.h"
#include "stage/world.h"

constexpr int NEUTRON_SHIP = 2;  // Brantor carries neutron guns instead of ion guns

static int full_guns_of_ship() { return selected_ship == NEUTRON_SHIP ? GUN_MODE_LASER_NEUTRON : GUN_MODE_LASER_ION; }

// G: ships 0 and 1 cycle laser, ion, both; ship 2 laser, neutron, both.
static void switch_guns() {
    const int second_gun = selected_ship == NEUTRON_SHIP ? GUN_MODE_NEUTRON : GUN_MODE_ION;
    const int full_guns = full_guns_of_ship();
    if (gun_mode == GUN_MODE_LASER) {
        gun_mode = second_gun;
        stage_notice(MESSAGE_FRAMES_GUNS, "Guns switched");
    } else if (gun_mode == second_gun) {
        gun_mode = full_guns;
        stage_notice(MESSAGE_FRAMES_GUNS, "Full Guns selected");
    } else if (gun_mode == full_guns) {
        gun_mode = GUN_MODE_LASER;
        stage_notice(MESSAGE_FRAMES_GUNS, "Guns switched");
    }
}

int stage_control_key(int key) {
    switch (key) {
    case KEY_SPACE:
        if (nav_completed == 0) fire_guns();
        return 1;
    case 'G':
        switch_guns();
        return 1;
    case 'F':
        gun_mode = full_guns_of_ship();
        stage_notice(MESSAGE_FRAMES_GUNS, "Full Guns selected");
        return 1;
    case 'M':
        stage_notice(MESSAGE_FRAMES_GUNS, "No missiles available");
        return 1;
    case KEY_ESC:
        stage_sound(CLICK_CONFIRM);
        paused_state = screen_state;
        enter_screen(STATE_QUIT_OVERLAY, FRESH_NOTHING);  // the stage's pictures and song stay
        return 1;
    case KEY_ENTER:
        // A lost game restarts at once from NAV 1; an intact fighter ignores Enter.
        if (player_destroyed == 1) stage_game_ends(ENDING_RESTART);
        return 1;
    // The latest pressed direction of an axis wins.
    case GAME_KEY_LEFT: steer_x = HELD_LEFT; return 1;
    case GAME_KEY_RIGHT: steer_x = HELD_RIGHT; return 1;
    case GAME_KEY_UP: steer_y = HELD_UP; return 1;
    case GAME_KEY_DOWN: steer_y = HELD_DOWN; return 1;
    }
    return 0;
}

// With Left pressed over a held Right, letting go of Right changes nothing.
void stage_control_key_released(int key) {
    switch (key) {
    case GAME_KEY_LEFT: if (steer_x != HELD_RIGHT) steer_x = HELD_NONE; break;
    case GAME_KEY_RIGHT: if (steer_x != HELD_LEFT) steer_x = HELD_NONE; break;
    case GAME_KEY_UP: if (steer_y != HELD_DOWN) steer_y = HELD_NONE; break;
    case GAME_KEY_DOWN: if (steer_y != HELD_UP) steer_y = HELD_NONE; break;
    }
}

void quit_overlay_key(int key) {
    if (key == 'N') {
        stage_sound(CLICK_CONFIRM);
        steer_x = HELD_NONE;  // a direction released while paused must not keep the ship drifting
        steer_y = HELD_NONE;
        enter_screen(paused_state, FRESH_NOTHING);
    } else if (key == 'Y') {
        stage_sound(CLICK_CONFIRM);
        stage_game_ends(ENDING_QUIT);
    }
}

int stage_screen_key(int key, int down) {
    if (in_stage_range(screen_state)) {
        if (down) return stage_control_key(key);
        stage_control_key_released(key);
        return key >= GAME_KEY_LEFT && key <= GAME_KEY_DOWN ? 1 : 0;
    }
    if (screen_state == STATE_QUIT_OVERLAY && down && (key == 'Y' || key == 'N')) {
        quit_overlay_key(key);
        return 1;
    }
    return 0;
}
