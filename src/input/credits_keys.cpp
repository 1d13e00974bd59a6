#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/screen_keys.h"
#include "input/shared_keys.h"
#include "stage/game_keys.h"

void credits_key(int key) {
    if (key != KEY_ESC) return;
    play_sound(CLICK_CONFIRM);
    back_to_main_menu(FRESH_TEXTURES | FRESH_MUSIC);  // the main menu starts its own song again
}
