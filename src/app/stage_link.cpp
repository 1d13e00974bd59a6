#include "app/stage_link.h"

#include "app/game_end.h"
#include "app/replay_recorder.h"
#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/gamepad.h"
#include "input/wiimote.h"
#include "render/hud.h"
#include "render/stage_view.h"

static const char* const STAGE_SONG = "./mus/mus_stage_1.mid";

void carry_stage_event(const StageEvent& event) {
    switch (event.kind) {
        case STAGE_SOUND: play_sound(event.text); break;
        case STAGE_MUSIC: start_music_once(STAGE_SONG); break;
        case STAGE_GAME_BEGINS: game_record_begins(); break;
        case STAGE_NAV_SET_UP:
            if (wiiuse_loaded()) wiimote_set_leds(WIIMOTE_LEDS_1_AND_4);
            break;
        case STAGE_HULL_HIT: gamepad_rumble_hull_hit(); break;
        case STAGE_PLAYER_DESTROYED: gamepad_rumble_destroyed(); break;
        case STAGE_NOTICE: show_message(event.value, "%s", event.text); break;
        case STAGE_GAME_ENDS: end_game(static_cast<GameEnding>(event.value)); break;
        case STAGE_GAME_RESET: reset_menus_and_remote(); break;
    }
}

void attach_stage_to_game() {
    stage_view = &GL_STAGE_VIEW;
    stage_event_hook = carry_stage_event;
}
