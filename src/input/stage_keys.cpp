#include "audio/sound.h"
#include "input/keys.h"
#include "input/screen_keys.h"
#include "input/shared_keys.h"
#include "persist/settings.h"
#include "render/hud.h"
#include "render/starfield.h"
#include "stage/stage_controls.h"

// The keys of stage play: what acts on the world is the stage's own
// (stage/stage_controls.h); the sound and star switches are the player's.
void stage_key(int key) {
    // Counted for a device that goes away: its axes fall back to the keyboard
    // only while no other input has pressed on them since.
    if (key == GAME_KEY_LEFT || key == GAME_KEY_RIGHT) ++steer_x_presses;
    if (key == GAME_KEY_UP || key == GAME_KEY_DOWN) ++steer_y_presses;
    if (stage_screen_key(key, 1)) return;
    switch (key) {
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
    }
}
