#include <cstdio>

#include "app/game_end.h"
#include "app/screen_state.h"
#include "audio/sound.h"
#include "combat/guns.h"
#include "input/game_keys.h"
#include "input/keys.h"
#include "input/screen_keys.h"
#include "input/shared_keys.h"
#include "persist/settings.h"
#include "render/hud.h"
#include "render/starfield.h"
#include "stage/world.h"

constexpr int NEUTRON_SHIP = 2;  // Brantor carries neutron guns instead of ion guns

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

void stage_key(int key) {
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
    case GAME_KEY_F5:
        sfx = toggled(sfx);
        show_message(MESSAGE_FRAMES_SOUND, sfx == 1 ? "Sound On" : "Sound Off");
        break;
    case GAME_KEY_F6:
        toggle_music();
        show_message(MESSAGE_FRAMES_SOUND, music == 1 ? "Music On" : "Music Off");
        break;
    case GAME_KEY_F7:
        sfxvol = next_volume(sfxvol);  // heard from the next effect on
        show_message(MESSAGE_FRAMES_VOLUME, "Sound Volume: %d", sfxvol);
        break;
    case GAME_KEY_F8:
        musicvol = next_volume(musicvol);
        show_message(MESSAGE_FRAMES_VOLUME, "Music Volume: %d", musicvol);
        set_music_volume();
        break;
    case GAME_KEY_F12:
        stars_on = toggled(stars_on);
        show_message(MESSAGE_FRAMES_VOLUME, stars_on == 1 ? "Stars Enabled" : "Stars Disabled");
        break;
    // The latest pressed direction of an axis wins.
    case GAME_KEY_LEFT: steer_x = HELD_LEFT; ++steer_x_presses; break;
    case GAME_KEY_RIGHT: steer_x = HELD_RIGHT; ++steer_x_presses; break;
    case GAME_KEY_UP: steer_y = HELD_UP; ++steer_y_presses; break;
    case GAME_KEY_DOWN: steer_y = HELD_DOWN; ++steer_y_presses; break;
    }
}

// Releasing a key stops its axis only while that key is still the axis's
// direction: with Left pressed over a held Right, letting go of Right changes nothing.
void stage_key_released(int key) {
    switch (key) {
    case GAME_KEY_LEFT: if (steer_x != HELD_RIGHT) steer_x = HELD_NONE; break;
    case GAME_KEY_RIGHT: if (steer_x != HELD_LEFT) steer_x = HELD_NONE; break;
    case GAME_KEY_UP: if (steer_y != HELD_DOWN) steer_y = HELD_NONE; break;
    case GAME_KEY_DOWN: if (steer_y != HELD_UP) steer_y = HELD_NONE; break;
    }
}
