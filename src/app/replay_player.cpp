#include "app/replay_player.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/input_stream.h"
#include "input/screen_keys.h"
#include "persist/high_scores.h"
#include "persist/replay_store.h"
#include "persist/settings.h"
#include "platform/random.h"
#include "render/starfield.h"
#include "render/text.h"
#include "stage/game_keys.h"
#include "stage/world.h"
#include "stage/world_digest.h"

int replay_playing = 0;
int replay_speed = 1;
std::string replay_notice;

namespace {

constexpr int FAST_SPEED = 4;
const char* const MENU_SONG = "./mus/mus_menu.mid";

Replay playing;
size_t next_record = 0;
int game_begun = 0;      // the replayed NAV 1 set-up has run
long first_frame = 0;    // frames_run in the frame of that set-up
int return_state = STATE_MAIN_MENU;

// What the player had set before the replay; the replay's own keys may change it.
struct HeldSettings {
    int sfx, music, sfxvol, musicvol, stars_on, menu_cursor, selected_ship;
};
HeldSettings held;

void say(const std::string& line) {
    replay_notice = line;
    printf("%s\n", line.c_str());
}

// This frame's records, in the order they came.
void feed_frame() {
    if (!game_begun) return;
    const long frame = frames_run - first_frame;
    while (next_record < playing.records.size() && playing.records[next_record].frame == frame)
        apply_input_record(playing.records[next_record++]);
    // A game that runs past its recorded end was not flown as recorded.
    if (frame > playing.last_frame) {
        say("Replay stopped: the game did not end where it was recorded");
        leave_replay();
    }
}

// Live input while a replay plays: only the replay's controls.
void replay_controls(int handler, int key, int down) {
    if (handler == INPUT_KEY && key == KEY_ESC && down) {
        say("Replay left");
        leave_replay();
    } else if (handler == INPUT_KEY && key == KEY_SPACE) {
        replay_speed = down ? FAST_SPEED : 1;
    }
}

}  // namespace

void start_replay(const Replay& replay, int from_state) {
    playing = replay;
    next_record = 0;
    game_begun = 0;
    return_state = from_state;
    held = HeldSettings{sfx, music, sfxvol, musicvol, stars_on, menu_cursor, selected_ship};
    replay_notice.clear();
    replay_playing = 1;
    replay_speed = 1;
    replay_frame_hook = feed_frame;
    live_input_diversion = replay_controls;
    selected_ship = playing.fighter;
    // Entries of equal score take the same places, so the first one with the
    // game's score and fighter stands for the game's own entry.
    high_score_set_aside = playing.final_score > 0 ? high_score_entry_of(playing.final_score, playing.fighter) : -1;
    steer_x = HELD_NONE;
    steer_y = HELD_NONE;
    // The next frame sets up NAV 1 as the recorded game's first frame did.
    enter_screen(STATE_NAV1, FRESH_TEXTURES | FRESH_MUSIC);
}

bool start_replay_file(const std::string& path, int from_state) {
    Replay replay;
    std::string why;
    if (!read_replay_file(path, &replay, &why)) {
        say("Replay '" + path + "' refused: " + why);
        return false;
    }
    printf("Playing the replay '%s' of %s\n", path.c_str(), replay.profile.c_str());
    start_replay(replay, from_state);
    return true;
}

void start_entry_replay(int place) {
    if (!entry_has_replay(place)) {
        say("Place " + std::to_string(place + 1) + " has no replay");
        return;
    }
    start_replay_file(entry_replay_path(place), STATE_HIGH_SCORES);
}

void replay_game_begins() {
    restore_replay_start(playing.start);
    seed_rand15(playing.seed);
    first_frame = frames_run;
    game_begun = 1;
}

void replay_game_ends() {
    const bool same_world = world_digest() == playing.final_digest && score == playing.final_score;
    if (same_world)
        say("Replay finished: " + playing.profile + ", " + std::to_string(playing.final_score) + " points");
    else
        say("Replay finished, but its world does not match the recorded one: it was not flown exactly as recorded");
}

void leave_replay() {
    if (!replay_playing) return;
    replay_playing = 0;
    replay_speed = 1;
    high_score_set_aside = -1;
    replay_frame_hook = nullptr;
    live_input_diversion = nullptr;
    reset_game();  // a replay left midway ends as a quit game does, without a score
    sfx = held.sfx;
    music = held.music;
    sfxvol = held.sfxvol;
    musicvol = held.musicvol;
    stars_on = held.stars_on;
    menu_cursor = held.menu_cursor;
    selected_ship = held.selected_ship;
    set_music_volume();
    enter_screen(return_state, FRESH_TEXTURES | FRESH_MUSIC);
    // The screens without a song of their own play on the menu's.
    if (return_state != STATE_MAIN_MENU) {
        snprintf(music_path, sizeof music_path, "%s", MENU_SONG);
        if (music == 1) play_music(music_path); else stop_music();
    }
}

void draw_replay_caption() {
    char caption[96];
    snprintf(caption, sizeof caption, "REPLAY%s  %s", replay_speed > 1 ? " 4x" : "", playing.profile.c_str());
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 0.85f, 0.3f);
    draw_text(0.02f, 0.965f, GLUT_BITMAP_HELVETICA_12, caption);
}
