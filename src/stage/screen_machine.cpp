#include "stage/screen_machine.h"

int screen_state = STATE_LOGO_INTRO;
int textures_loaded = 0;
int music_started = 0;
int paused_state = 0;

void enter_screen(int state, int fresh) {
    screen_state = state;
    if (fresh & FRESH_TEXTURES) textures_loaded = 0;
    if (fresh & FRESH_MUSIC) music_started = 0;
}
