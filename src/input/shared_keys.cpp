#include "input/shared_keys.h"

#include "app/screen_state.h"
#include "audio/sound.h"
#include "menus/screens.h"
#include "persist/settings.h"

int wrap_step(int value, int step, int first, int last) {
    value += step;
    if (value < first) return last;
    if (value > last) return first;
    return value;
}

// A volume read from a damaged settings.cfg may be the largest int, which must not overflow.
int next_volume(int volume) { return volume >= VOLUME_STEPS ? 1 : volume + 1; }

int toggled(int flag) { return flag == 0 ? 1 : 0; }

void back_to_main_menu(int fresh) {
    credits_scroll = 0.0;
    enter_screen(STATE_MAIN_MENU, fresh);
}

void toggle_music() {
    if (music == 0) {
        music = 1;
        play_music(music_path);
    } else {
        music = 0;
        stop_music();
    }
}
