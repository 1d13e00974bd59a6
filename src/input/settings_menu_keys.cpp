#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/screen_keys.h"
#include "input/shared_keys.h"
#include "persist/settings.h"
#include "stage/game_keys.h"

int settings_cursor = 1;
int restart_notice = 0;

static void choose_row() {
    switch (settings_cursor) {
    case SETTINGS_SOUND:
        sfx = toggled(sfx);
        play_sound(CLICK_CONFIRM);  // heard only when sound just came on
        break;
    case SETTINGS_MUSIC:
        toggle_music();
        play_sound(CLICK_CONFIRM);
        break;
    case SETTINGS_SOUND_VOLUME:
        sfxvol = next_volume(sfxvol);
        play_sound(CLICK_CONFIRM);  // already at the new volume
        break;
    case SETTINGS_MUSIC_VOLUME:
        musicvol = next_volume(musicvol);
        set_music_volume();
        break;
    case SETTINGS_DISPLAY_MODE:
        restart_notice = 1;  // the display mode is chosen at start-up only
        fullscreen = fullscreen == 1 ? 0 : 1;
        play_sound(CLICK_CONFIRM);
        break;
    case SETTINGS_CONTROLS:
        play_sound(CLICK_CONFIRM);
        enter_screen(STATE_CONTROLS, FRESH_TEXTURES);
        break;
    }
}

void settings_menu_key(int key) {
    if (key == GAME_KEY_UP || key == GAME_KEY_DOWN) {
        settings_cursor = wrap_step(settings_cursor, key == GAME_KEY_UP ? -1 : 1, 1, SETTINGS_ROWS);
        play_sound(CLICK_CURSOR);
    } else if (key == KEY_ESC) {
        play_sound(CLICK_CONFIRM);
        back_to_main_menu(FRESH_TEXTURES);
    } else if (key == KEY_ENTER) {
        choose_row();
    }
}
