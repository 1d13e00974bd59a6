// A long game recorded by the game's own recorder with no window: the
// verifier's benchmark times korvane-verify on it. The scripted pilot dodges
// the rocks of both NAVs through the input stream (keys, stick and tilt by
// turns) and fires; at the frame asked for it quits by the prompt. Nothing
// here is in the game a player runs.
//
//   record_long_game FOLDER [FRAMES [SEED]]   records FOLDER/last.kvr (FRAMES: 5000)
#include <cstdio>
#include <cstdlib>

#include "app/replay_recorder.h"
#include "app/startup.h"
#include "input/input_stream.h"
#include "persist/replay_store.h"
#include "platform/random.h"
#include "stage/game_keys.h"
#include "stage/screen_machine.h"
#include "stage/scripted_pilot.h"
#include "stage/stage_events.h"
#include "stage/stage_screen.h"
#include "stage/world.h"

namespace {

constexpr unsigned DEFAULT_SEED = 2;  // a game the pilot survives for 5 000 frames and more
constexpr int SHIP = 0;  // Pilvet, the quickest to get out of the way
constexpr long FRAMES_BETWEEN_VOLLEYS = 5;
constexpr long DEFAULT_FRAMES = 5000;

bool ended = false;

// Only the record and the game's end concern it: no sound or picture.
void carry(const StageEvent& event) {
    if (event.kind == STAGE_GAME_BEGINS) game_record_begins();
    if (event.kind == STAGE_MUSIC) music_started = 1;
    if (event.kind == STAGE_GAME_ENDS) {
        game_record_ends();
        ended = true;
        reset_game();
    }
}

void through_the_stream(const InputRecord& record) { apply_input_record(record); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: record_long_game FOLDER [FRAMES [SEED]]\n");
        return 2;
    }
    const long frames = argc > 2 ? atol(argv[2]) : DEFAULT_FRAMES;
    replay_folder = argv[1];
    profile_name = "bench pilot";
    stage_event_hook = carry;
    seed_rand15(argc > 3 ? static_cast<unsigned>(atol(argv[3])) : DEFAULT_SEED);
    selected_ship = SHIP;
    enter_screen(STATE_NAV1, FRESH_TEXTURES | FRESH_MUSIC);
    ScriptedPilot pilot{through_the_stream, 0, 0, 0};
    long frame = 0;
    for (; !ended && frame <= frames + 1; ++frame) {
        if (frame > 0 && frame < frames && in_stage_range(screen_state) && player_destroyed == 0)
            fly_scripted_pilot(&pilot, frame, PILOT_DODGES, frame % FRAMES_BETWEEN_VOLLEYS == 0);
        if (frame == frames) input_key(KEY_ESC);
        if (frame == frames + 1) input_key('y');
        input_stream_frame_begins();
        frame_stage_screen();
        input_stream_frame_ends();
    }
    if (!ended || frame < frames) {
        fprintf(stderr, "record_long_game: the game ended after %ld frames, not %ld\n", frame, frames);
        return 1;
    }
    printf("%s/%s: %ld frames, %d points\n", replay_folder, LAST_GAME_REPLAY, last_game_record().last_frame,
           last_game_record().final_score);
    return 0;
}
