// A replay's game flown again and judged: which records act before each of
// its frames, whether the world meets the recorded one at each checkpoint, and
// the verdict as its game ends. The window's replay player and korvane-verify
// both judge a replay here, so the two cannot come to different verdicts.
// Frames are counted by the caller (`now`); the flight counts its game's own
// from the frame of its NAV 1 set-up.
#pragma once

#include "persist/replay_file.h"

// How a replay's game came out.
enum ReplayOutcome {
    REPLAY_IN_FLIGHT,         // its game goes on
    REPLAY_VERIFIED,          // it met every checkpoint and ended at its recorded frame, world and score
    REPLAY_PARTED,            // it missed a checkpoint: from `frame` on it was not the game that was flown
    REPLAY_ENDED_OTHERWISE,   // it ended at `frame` with another world, score or length than recorded
    REPLAY_RAN_PAST_ITS_END,  // it went on past its recorded end; `frame`: the checkpoint it missed, or that end
};
struct ReplayVerdict {
    ReplayOutcome outcome;
    long frame;  // of its game: where it parted, ended or ran past its end; a verified game's length
};

// A replay's pilot as shown: the name from the file, printable and cut to a
// table name's length.
std::string shown_pilot(const Replay& replay);

// The replay being flown.
extern Replay flown_replay;

// Holds `replay` to fly; nothing of its game has begun. Called as a replay starts.
void replay_flight_begins(const Replay& replay);
// Its game begins at frame count `now` (the NAV 1 set-up's first step): the
// recorded start values and the seed of its draws are put back.
void replay_flight_game_begins(long now);
// 1 once its game has begun.
int replay_flight_game_begun();
// The frame of its game at frame count `now`.
long replay_flight_frame(long now);
// The next record due before the frame at `now`, or nullptr once none is.
// Called until nullptr before each frame while its game is in progress.
const InputRecord* next_replay_record(long now);
// After the records, before the frame at `now`: a game that has run past its
// recorded end is judged here; otherwise REPLAY_IN_FLIGHT.
ReplayVerdict replay_flight_past_end(long now);
// The end of each frame of its game while in progress: the world meets the
// checkpoint due then, if one is. Returns 1 the first time the world misses one.
int replay_flight_checkpoint(long now);
// The frame of the first checkpoint the world missed, or -1.
long replay_flight_parted_at();
// Its game ends at `now` (before the reset clears the score): the verdict.
ReplayVerdict replay_flight_ends(long now);
