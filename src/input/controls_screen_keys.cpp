#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/screen_keys.h"
#include "input/shared_keys.h"
#include "stage/game_keys.h"

void controls_screen_key(int key) {
    if (key != KEY_ESC) return;
    play_sound(CLICK_CONFIRM);
    enter_screen(STATE_SETTINGS, FRESH_TEXTURES);
}
