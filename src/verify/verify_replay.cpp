#include "verify/verify_replay.h"

#include "stage/screen_machine.h"
#include "stage/stage_events.h"
#include "stage/stage_input.h"
#include "stage/stage_screen.h"
#include "stage/stage_view.h"
#include "stage/starfield.h"
#include "stage/world.h"

namespace {

long frames = 0;  // frames run since the flight began
ReplayVerdict verdict{REPLAY_IN_FLIGHT, 0};

// Only the game's beginning and end concern the flight; no sound, song,
// rumble or notice goes anywhere.
void hear(const StageEvent& event) {
    if (event.kind == STAGE_GAME_BEGINS) replay_flight_game_begins(frames);
    if (event.kind == STAGE_MUSIC) music_started = 1;  // as the game's song starts once a visit
    if (event.kind == STAGE_GAME_ENDS && verdict.outcome == REPLAY_IN_FLIGHT) {
        verdict = replay_flight_ends(frames);
        reset_game();  // the rest of the frame runs as it does in the game
    }
}

}  // namespace

ReplayVerdict fly_replay_alone(const Replay& replay, void (*after_frame)()) {
    const StageView* const view = stage_view;
    void (*const hook)(const StageEvent& event) = stage_event_hook;
    const int stars = stars_on;
    stage_view = &NULL_STAGE_VIEW;
    stage_event_hook = hear;
    stars_on = 0;  // the stars never touch the world: left still, they cost nothing

    replay_flight_begins(replay);
    frames = 0;
    verdict = ReplayVerdict{REPLAY_IN_FLIGHT, 0};
    // As the window's player starts one: the next frame sets NAV 1 up, whose
    // first step puts the recorded start back.
    selected_ship = replay.fighter;
    steer_x = HELD_NONE;
    steer_y = HELD_NONE;
    enter_screen(STATE_NAV1, FRESH_TEXTURES | FRESH_MUSIC);
    // Its game ends by its rules or runs past its recorded end; should neither
    // come, it stops all the same a frame later.
    for (; verdict.outcome == REPLAY_IN_FLIGHT && frames <= replay.last_frame + 1; ++frames) {
        while (verdict.outcome == REPLAY_IN_FLIGHT) {
            const InputRecord* record = next_replay_record(frames);
            if (!record) break;
            apply_stage_record(*record);
        }
        if (verdict.outcome == REPLAY_IN_FLIGHT) verdict = replay_flight_past_end(frames);
        if (verdict.outcome != REPLAY_IN_FLIGHT) break;
        frame_stage_screen();
        if (verdict.outcome != REPLAY_IN_FLIGHT) break;
        replay_flight_checkpoint(frames);
        if (after_frame) after_frame();
    }

    if (verdict.outcome == REPLAY_IN_FLIGHT) verdict = ReplayVerdict{REPLAY_RAN_PAST_ITS_END, frames};
    stage_view = view;
    stage_event_hook = hook;
    stars_on = stars;
    return verdict;
}

std::string verify_replay_file(const std::string& path, bool* verified) {
    *verified = false;
    Replay replay;
    std::string why;
    if (!read_replay_file(path, &replay, &why)) return path + ": refused: " + why;
    const ReplayVerdict flown = fly_replay_alone(replay);
    if (flown.outcome != REPLAY_VERIFIED) return path + ": parted from the recording at frame " + std::to_string(flown.frame);
    *verified = true;
    return path + ": verified: " + shown_pilot(replay) + ", " +
           fighter_name(replay.fighter) + ", " + std::to_string(replay.final_score) + " points, " +
           std::to_string(flown.frame) + " frames";
}
