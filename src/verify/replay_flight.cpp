#include "verify/replay_flight.h"

#include "persist/printable_text.h"
#include "platform/random.h"
#include "stage/world.h"
#include "stage/world_digest.h"

Replay flown_replay;

std::string shown_pilot(const Replay& replay) {
    constexpr size_t TABLE_NAME_CHARACTERS = 31;
    return printable_text(replay.profile, TABLE_NAME_CHARACTERS);
}

namespace {

size_t next_record = 0;
int game_begun = 0;
long first_frame = 0;  // the caller's frame count at its NAV 1 set-up
long parted_at = -1;

}  // namespace

void replay_flight_begins(const Replay& replay) {
    flown_replay = replay;
    next_record = 0;
    game_begun = 0;
    first_frame = 0;
    parted_at = -1;
}

void replay_flight_game_begins(long now) {
    restore_replay_start(flown_replay.start);
    seed_rand15(flown_replay.seed);
    first_frame = now;
    game_begun = 1;
}

int replay_flight_game_begun() { return game_begun; }

long replay_flight_frame(long now) { return now - first_frame; }

const InputRecord* next_replay_record(long now) {
    if (!game_begun || next_record >= flown_replay.records.size()) return nullptr;
    const InputRecord& record = flown_replay.records[next_record];
    if (record.frame != replay_flight_frame(now)) return nullptr;
    ++next_record;
    return &record;
}

ReplayVerdict replay_flight_past_end(long now) {
    const long frame = replay_flight_frame(now);
    if (!game_begun || frame <= flown_replay.last_frame) return ReplayVerdict{REPLAY_IN_FLIGHT, 0};
    return ReplayVerdict{REPLAY_RAN_PAST_ITS_END, parted_at >= 0 ? parted_at : frame};
}

int replay_flight_checkpoint(long now) {
    if (!game_begun || parted_at >= 0) return 0;
    const long frame = replay_flight_frame(now);
    if (frame % flown_replay.checkpoint_interval != 0) return 0;
    const size_t checkpoint = static_cast<size_t>(frame / flown_replay.checkpoint_interval);
    if (checkpoint >= flown_replay.checkpoints.size() || world_digest() == flown_replay.checkpoints[checkpoint])
        return 0;
    parted_at = frame;
    return 1;
}

long replay_flight_parted_at() { return parted_at; }

ReplayVerdict replay_flight_ends(long now) {
    const long frame = replay_flight_frame(now);
    if (parted_at >= 0) return ReplayVerdict{REPLAY_PARTED, parted_at};
    const bool as_recorded = world_digest() == flown_replay.final_digest && score == flown_replay.final_score &&
                             frame == flown_replay.last_frame;
    return ReplayVerdict{as_recorded ? REPLAY_VERIFIED : REPLAY_ENDED_OTHERWISE, frame};
}
