#include "app/replay_player.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/input_stream.h"
#include "input/screen_keys.h"
#include "persist/high_scores.h"
#include "persist/printable_text.h"
#include "persist/replay_store.h"
#include "persist/settings.h"
#include "render/starfield.h"
#include "stage/game_keys.h"
#include "stage/world.h"
#include "verify/replay_flight.h"

int replay_playing = 0;
int replay_speed = 1;
std::string replay_notice;
int replay_notice_frames = 0;

namespace {

const char* const MENU_SONG = "./mus/mus_menu.mid";
constexpr size_t SHOWN_PATH_CHARACTERS = 255;

// A replay flies its game, then shows its verdict until it leaves.
enum ReplayPhase { REPLAY_FLYING, REPLAY_VERDICT };

// The replay's game is flown and judged by verify/replay_flight, against frames_run.
const Replay& playing = flown_replay;
ReplayPhase phase = REPLAY_FLYING;
int return_state = STATE_MAIN_MENU;
int paused = 0;
int step_asked = 0;      // the right arrow while paused: one frame runs, then it holds again
int verdict_frames_left = 0;
std::string verdict;
std::string parting;     // the line that said where it parted

// What the viewer had set before the replay; the replay plays under its own
// game's settings, and its keys may change them.
struct HeldSettings {
    int sfx, music, sfxvol, musicvol, stars_on, menu_cursor, selected_ship;
};
HeldSettings held;
int viewer_settings_held = 0;

void say(const std::string& line) {
    replay_notice = line;
    replay_notice_frames = REPLAY_NOTICE_FRAMES;
    printf("%s\n", line.c_str());
}

// The replayed game is still being flown: its records may act. Whatever ended
// it (its own keys, its frames, the viewer), from then on none does.
bool replayed_game_in_progress() {
    return replay_playing && phase == REPLAY_FLYING &&
           (in_stage_range(screen_state) || screen_state == STATE_QUIT_OVERLAY);
}

void show_verdict(const std::string& line) {
    verdict = line;
    phase = REPLAY_VERDICT;
    paused = 0;
    step_asked = 0;
    replay_speed = 1;  // the verdict stays its few seconds
    verdict_frames_left = REPLAY_VERDICT_FRAMES;
    say(line);
}

std::string parted_verdict(long frame, const char* how) {
    return "Replay parted from its recording at frame " + std::to_string(frame) + how;
}

// This frame's records, in the order they came, while the game is in progress.
void feed_frame() {
    if (!replay_flight_game_begun() || replay_holds_picture()) return;
    while (replayed_game_in_progress()) {
        const InputRecord* record = next_replay_record(frames_run);
        if (!record) break;
        apply_input_record(*record);
    }
    // A game that runs past its recorded end was not flown as recorded.
    const ReplayVerdict past_end = replay_flight_past_end(frames_run);
    if (replayed_game_in_progress() && past_end.outcome != REPLAY_IN_FLIGHT)
        show_verdict(parted_verdict(past_end.frame, ": its game went on past its recorded end"));
}

// The end of every frame of the replayed game: a step asked for is done, and
// the world meets the recorded one at each checkpoint.
void check_frame() {
    step_asked = 0;
    if (phase != REPLAY_FLYING || !replay_flight_checkpoint(frames_run)) return;
    const long frame = replay_flight_parted_at();
    parting = "Replay parts from its recording at frame " + std::to_string(frame) + " (checkpoint " +
              std::to_string(frame / playing.checkpoint_interval + 1) + " of " +
              std::to_string(playing.checkpoints.size()) + "): from there on it is not the game that was flown";
    say(parting);
}

// Live input while a replay plays: only the replay's controls.
void replay_controls(int handler, int key, int down) {
    if (handler != INPUT_KEY && handler != INPUT_SPECIAL && handler != INPUT_SPECIAL_UP &&
        handler != INPUT_DEVICE_SPECIAL && handler != INPUT_DEVICE_SPECIAL_UP)
        return;
    const int game_key = handler == INPUT_KEY ? game_key_of_character(static_cast<unsigned char>(key))
                                              : game_key_of_special(key);
    if (game_key == KEY_ESC && down) {
        if (phase == REPLAY_FLYING) say("Replay left");
        leave_replay();
        return;
    }
    if (phase != REPLAY_FLYING) return;
    if (game_key == KEY_SPACE) {
        replay_speed = down ? REPLAY_FAST_SPEED : 1;
    } else if (game_key == 'P' && down) {
        paused = !paused;
        step_asked = 0;
    } else if (game_key == GAME_KEY_RIGHT && down && paused) {
        step_asked = 1;
    }
}

}  // namespace

void start_replay(const Replay& replay, int from_state) {
    replay_flight_begins(replay);
    phase = REPLAY_FLYING;
    paused = 0;
    step_asked = 0;
    verdict.clear();
    parting.clear();
    return_state = from_state;
    held = HeldSettings{sfx, music, sfxvol, musicvol, stars_on, menu_cursor, selected_ship};
    viewer_settings_held = 1;
    replay_notice.clear();
    replay_notice_frames = 0;
    replay_playing = 1;
    replay_speed = 1;
    replay_frame_hook = feed_frame;
    frame_end_hook = check_frame;
    live_input_diversion = replay_controls;
    selected_ship = playing.fighter;
    // The game's own settings, so its sound, music, volume and star keys show
    // what they showed then. Files from before they were kept play under the viewer's.
    if (playing.format >= 2) {
        const ReplaySettings& s = playing.settings;
        sfx = s.sfx, music = s.music, sfxvol = s.sfxvol, musicvol = s.musicvol, stars_on = s.stars_on;
        set_music_volume();
        if (music != 1) stop_music();
    }
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
    const std::string shown_path = printable_text(path, SHOWN_PATH_CHARACTERS);
    if (!read_replay_file(path, &replay, &why)) {
        say("Replay '" + shown_path + "' refused: " + why);
        return false;
    }
    printf("Playing the replay '%s' of %s\n", shown_path.c_str(),
           shown_pilot(replay).c_str());
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

static std::string last_game_replay_path() {
    return replay_folder ? std::string(replay_folder) + "/" + LAST_GAME_REPLAY : std::string();
}

int last_game_has_replay() {
    const std::string path = last_game_replay_path();
    return !path.empty() && access(path.c_str(), F_OK) == 0;
}

void start_last_game_replay() {
    if (!last_game_has_replay()) return say("There is no last game to watch yet");
    start_replay_file(last_game_replay_path(), STATE_HIGH_SCORES);
}

void replay_game_begins() { replay_flight_game_begins(frames_run); }

void replay_game_ends() {
    if (phase != REPLAY_FLYING) return;
    replay_frame_hook = nullptr;  // not one more record
    const ReplayVerdict verdict = replay_flight_ends(frames_run);
    if (verdict.outcome == REPLAY_PARTED)
        show_verdict(parted_verdict(verdict.frame, ": it is not the game that was flown"));
    else if (verdict.outcome != REPLAY_VERIFIED)
        show_verdict(parted_verdict(verdict.frame, ", where its game ended"));
    else
        show_verdict("Replay finished: " + replay_pilot() + ", " + std::to_string(playing.final_score) + " points");
}

void give_back_viewer_settings() {
    if (!viewer_settings_held) return;
    viewer_settings_held = 0;
    sfx = held.sfx;
    music = held.music;
    sfxvol = held.sfxvol;
    musicvol = held.musicvol;
    stars_on = held.stars_on;
}

void leave_replay() {
    if (!replay_playing) return;
    replay_playing = 0;
    replay_speed = 1;
    paused = 0;
    step_asked = 0;
    high_score_set_aside = -1;
    replay_frame_hook = nullptr;
    frame_end_hook = nullptr;
    live_input_diversion = nullptr;
    reset_game();  // a replay left midway ends as a quit game does, without a score
    give_back_viewer_settings();
    menu_cursor = held.menu_cursor;
    selected_ship = held.selected_ship;
    set_music_volume();
    enter_screen(return_state, FRESH_TEXTURES | FRESH_MUSIC);
    // The screens without a song of their own play on the menu's; the main
    // menu starts its own, unless music is off.
    if (return_state != STATE_MAIN_MENU) {
        snprintf(music_path, sizeof music_path, "%s", MENU_SONG);
        if (music == 1) play_music(music_path);
    }
    if (music != 1) stop_music();
}

int replay_holds_picture() {
    return replay_playing && (phase == REPLAY_VERDICT || (paused && replay_flight_game_begun() && !step_asked));
}

void replay_picture_held() {
    if (phase == REPLAY_VERDICT && --verdict_frames_left <= 0) leave_replay();
}

std::string replay_pilot() { return shown_pilot(playing); }

double replay_progress() {
    if (!replay_flight_game_begun() || playing.last_frame <= 0) return 0.0;
    return std::clamp(static_cast<double>(replay_flight_frame(frames_run)) / playing.last_frame, 0.0, 1.0);
}

int replay_paused() { return paused; }

const std::string& replay_verdict() { return verdict; }

const std::string& replay_parting() { return parting; }
