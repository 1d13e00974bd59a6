#include "app/game_end.h"

#include "app/replay_player.h"
#include "app/replay_recorder.h"
#include "app/screen_state.h"
#include "app/startup.h"
#include "input/screen_keys.h"
#include "input/wiimote.h"
#include "persist/high_scores.h"
#include "persist/replay_store.h"
#include "render/hud.h"
#include "stage/world.h"

static bool score_enters(GameEnding ending) {
    switch (ending) {
        case ENDING_DESTROYED: return score > 0;
        case ENDING_QUIT: return player_destroyed == 1;
        case ENDING_STAGE_FLOWN:
        case ENDING_RESTART: return true;
    }
    return false;
}

void reset_menus_and_remote() {
    menu_cursor = 1;
    message_timer = 0;
    if (wiiuse_loaded()) {
        wiimote_set_leds(WIIMOTE_LEDS_1_AND_4);
        wiimote_rumble(0);
    }
}

// The place a score enters the table at (ties go above older entries), or HIGH_SCORE_PLACES.
static int entering_place(int new_score) {
    int place = 0;
    while (place < HIGH_SCORE_PLACES && high_scores[place].score > new_score) ++place;
    return place;
}

void end_game(GameEnding ending) {
    const int recorded = game_record_ends();  // a replayed game's end is its verdict instead
    // A replayed game only shows a score; it never enters the table.
    if (score_enters(ending) && !replay_playing) {
        const int place = entering_place(score);
        insert_high_score(score, profile_name, selected_ship);
        if (recorded && place < HIGH_SCORE_PLACES) save_entry_replay(last_game_record(), place);
    }
    // The finished stage lets go of the remote before the reset lights its LEDs.
    if (ending == ENDING_STAGE_FLOWN) wiimote_motion_sensing(0);
    reset_game();
    if (ending == ENDING_DESTROYED || ending == ENDING_QUIT) wiimote_motion_sensing(0);
    if (ending == ENDING_RESTART) enter_screen(STATE_NAV1, FRESH_TEXTURES | FRESH_MUSIC);
}
