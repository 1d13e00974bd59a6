#include "app/replay_recorder.h"

#include <cstdio>
#include <ctime>

#include "app/replay_player.h"
#include "app/startup.h"
#include "input/input_stream.h"
#include "persist/replay_store.h"
#include "persist/settings.h"
#include "platform/random.h"
#include "render/starfield.h"
#include "stage/rules_fingerprint.h"
#include "stage/world.h"
#include "stage/world_digest.h"

namespace {

Replay recording;
Replay finished;
int recording_on = 0;
long first_frame = 0;  // frames_run in the frame of the NAV 1 set-up

// A whole game by keyboard is a few hundred records; this spares the first regrowths.
constexpr size_t RECORDS_RESERVED = 4096;

// What the file of the game so far takes, kept as records come so that the
// game stops being recorded before its file would outgrow what the reader
// takes. The values written at the end (date, score, length) and the two
// counts may take this many bytes more than they do at the start.
constexpr size_t ROOM_FOR_THE_END = 40;
size_t file_bytes = 0;
long last_record_frame = 0;    // the frame and steering values the next record's
SteeringValues steering_known{};  // bytes are counted after

void stop_recording() {
    recording_on = 0;
    input_listener = nullptr;
    frame_end_hook = nullptr;
}

// A game that outgrows its file goes on; only its replay is given up.
void give_up_recording() {
    stop_recording();
    recording = Replay{};
    printf("This game has grown too long to keep as a replay: it goes on, unrecorded\n");
}

void count_bytes(size_t bytes) {
    file_bytes += bytes;
    if (file_bytes + ROOM_FOR_THE_END > REPLAY_MAX_BYTES) give_up_recording();
}

void record_input(const InputRecord& record) {
    if (!recording_on) return;
    recording.records.push_back(record);
    recording.records.back().frame = record.frame - first_frame;
    count_bytes(replay_record_bytes(recording.records.back(), &last_record_frame, &steering_known));
}

// The world's digest at the end of every REPLAY_CHECKPOINT_INTERVAL-th frame.
void take_checkpoint() {
    const long frame = frames_run - first_frame;
    if (frame >= REPLAY_MAX_FRAMES) return give_up_recording();
    if (frame % recording.checkpoint_interval != 0) return;
    recording.checkpoints.push_back(world_digest());
    count_bytes(sizeof(uint64_t));
}

}  // namespace

void game_record_begins() {
    if (replay_playing) {
        replay_game_begins();
        return;
    }
    recording = Replay{};
    recording.records.reserve(RECORDS_RESERVED);
    recording.game_version = this_game_version();
    recording.rules_fingerprint = rules_fingerprint();  // flown once, by the first game
    recording.profile = profile_name ? profile_name : "";
    recording.fighter = selected_ship;
    recording.settings = ReplaySettings{sfx, music, sfxvol, musicvol, stars_on};
    capture_replay_start(&recording.start);
    recording.seed = reseed_rand15_for_game();
    first_frame = frames_run;
    recording_on = 1;
    input_listener = record_input;
    frame_end_hook = take_checkpoint;
    file_bytes = 0;
    last_record_frame = 0;
    steering_known = start_steering(recording.start);
    // A value carried in from before beyond anything a game holds would make
    // the reader refuse the file: such a game goes on unrecorded.
    const std::string start = encode_replay(recording);
    Replay read;
    std::string why;
    if (!decode_replay(reinterpret_cast<const unsigned char*>(start.data()), start.size(), &read, &why)) {
        stop_recording();
        printf("This game cannot be kept as a replay (%s): it goes on, unrecorded\n", why.c_str());
        return;
    }
    count_bytes(start.size());
}

int game_record_ends() {
    if (replay_playing) {
        replay_game_ends();
        return 0;
    }
    if (!recording_on) return 0;
    stop_recording();
    recording.date = static_cast<int64_t>(time(nullptr));
    recording.final_score = score;
    recording.final_digest = world_digest();
    recording.last_frame = frames_run - first_frame;
    finished = std::move(recording);
    save_last_replay(finished);
    return 1;
}

int game_recording() { return recording_on; }

const Replay& last_game_record() { return finished; }
