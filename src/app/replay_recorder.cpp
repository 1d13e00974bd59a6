#include "app/replay_recorder.h"

#include <ctime>

#include "app/replay_player.h"
#include "app/startup.h"
#include "input/input_stream.h"
#include "persist/replay_store.h"
#include "platform/random.h"
#include "stage/world.h"
#include "stage/world_digest.h"

namespace {

Replay recording;
Replay finished;
int recording_on = 0;
long first_frame = 0;  // frames_run in the frame of the NAV 1 set-up

// A whole game by keyboard is a few hundred records; this spares the first regrowths.
constexpr size_t RECORDS_RESERVED = 4096;

void record_input(const InputRecord& record) {
    if (!recording_on) return;
    recording.records.push_back(record);
    recording.records.back().frame = record.frame - first_frame;
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
    recording.build_identity = this_build_identity();
    recording.profile = profile_name ? profile_name : "";
    recording.fighter = selected_ship;
    capture_replay_start(&recording.start);
    recording.seed = reseed_rand15_for_game();
    first_frame = frames_run;
    recording_on = 1;
    input_listener = record_input;
}

int game_record_ends() {
    if (replay_playing) {
        replay_game_ends();
        return 0;
    }
    if (!recording_on) return 0;
    recording_on = 0;
    input_listener = nullptr;
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
