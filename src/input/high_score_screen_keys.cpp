#include "app/replay_player.h"
#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/screen_keys.h"
#include "input/shared_keys.h"
#include "stage/game_keys.h"

void high_score_screen_key(int key) {
    // 1..9 and 0 (the tenth place) play that place's replay.
    if (key >= '0' && key <= '9') return start_entry_replay(key == '0' ? 9 : key - '1');
    if (key == 'L') return start_last_game_replay();
    if (key != KEY_ESC) return;
    play_sound(CLICK_CONFIRM);
    back_to_main_menu(FRESH_TEXTURES);
}
