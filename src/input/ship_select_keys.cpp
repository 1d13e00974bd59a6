#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/screen_keys.h"
#include "input/shared_keys.h"
#include "input/wiimote.h"
#include "stage/game_keys.h"
#include "stage/world.h"

void ship_select_key(int key) {
    if (key == GAME_KEY_LEFT || key == GAME_KEY_RIGHT) {
        selected_ship = wrap_step(selected_ship, key == GAME_KEY_LEFT ? -1 : 1, 0, PLAYER_SHIP_COUNT - 1);
        play_sound(CLICK_CURSOR);
    } else if (key == KEY_ENTER) {
        play_sound(CLICK_CONFIRM);
        enter_screen(STATE_NAV1, FRESH_TEXTURES | FRESH_MUSIC);
        wiimote_motion_sensing(1);
    } else if (key == KEY_ESC) {
        play_sound(CLICK_CONFIRM);
        back_to_main_menu(FRESH_TEXTURES);
    }
}
