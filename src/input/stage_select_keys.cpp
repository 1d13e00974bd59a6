#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/screen_keys.h"
#include "input/shared_keys.h"
#include "stage/game_keys.h"

void stage_select_key(int key) {
    if (key == KEY_ENTER) {
        play_sound(CLICK_CONFIRM);
        enter_screen(STATE_SHIP_SELECT, FRESH_TEXTURES);
    } else if (key == KEY_ESC) {
        play_sound(CLICK_CONFIRM);
        back_to_main_menu(FRESH_TEXTURES);
    } else if (key == GAME_KEY_UP || key == GAME_KEY_DOWN) {
        play_sound(CLICK_CURSOR);  // the stage select offers one entry: the cursor keys only click
    }
}
