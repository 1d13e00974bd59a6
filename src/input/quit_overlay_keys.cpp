#include "app/game_end.h"
#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/game_keys.h"
#include "input/screen_keys.h"
#include "input/shared_keys.h"
#include "stage/world.h"

void quit_overlay_key(int key) {
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
