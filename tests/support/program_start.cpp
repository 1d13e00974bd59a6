#include "support/program_start.h"

#include <cstring>

#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/keys.h"
#include "menus/screens.h"
#include "persist/high_scores.h"
#include "render/hud.h"
#include "render/sprites.h"
#include "stage/world_snapshot.h"

// The world, and the values outside it that start-up leaves alone: the
// intro's fade, the notice line, the quit overlay's way back, the sound ring.
// Text buffers are kept whole: the run digest hashes their bytes past the end
// of the text too, which a later, shorter text leaves behind.
static WorldSnapshot world_at_start;
static HighScoreEntry high_scores_at_start[HIGH_SCORE_PLACES];
static char music_path_at_start[sizeof music_path];
static float logo_fade_at_start;
static int logo_fade_step_at_start, paused_state_at_start, restart_notice_at_start, message_timer_at_start,
    shield_flash_side_at_start, sound_ring_index_at_start;
static char message_text_at_start[MESSAGE_TEXT_SIZE];

void remember_program_start() {
    save_world(world_at_start);
    memcpy(high_scores_at_start, high_scores, sizeof high_scores);
    memcpy(music_path_at_start, music_path, sizeof music_path);
    logo_fade_at_start = logo_fade;
    logo_fade_step_at_start = logo_fade_step;
    paused_state_at_start = paused_state;
    restart_notice_at_start = restart_notice;
    message_timer_at_start = message_timer;
    memcpy(message_text_at_start, message_text, sizeof message_text);
    shield_flash_side_at_start = shield_flash_side;
    sound_ring_index_at_start = sound_ring_index;
}

void restore_program_start() {
    restore_world(world_at_start);
    memcpy(high_scores, high_scores_at_start, sizeof high_scores);
    memcpy(music_path, music_path_at_start, sizeof music_path);
    logo_fade = logo_fade_at_start;
    logo_fade_step = logo_fade_step_at_start;
    paused_state = paused_state_at_start;
    restart_notice = restart_notice_at_start;
    message_timer = message_timer_at_start;
    memcpy(message_text, message_text_at_start, sizeof message_text);
    shield_flash_side = shield_flash_side_at_start;
    sound_ring_index = sound_ring_index_at_start;
}
