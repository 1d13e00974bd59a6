// What recording costs a frame, how large a replay file grows, and what a
// replayed frame pays for its view.
//
// BM_FrameHooks runs the input stream's two frame hooks, as every frame does,
// with or without a recording going on and with or without the pad's stick
// moving every frame (the worst case: a steering record each frame). A frame
// has 40 000 us. BM_EncodeGame writes a whole synthetic game of 5 000 frames
// (three minutes and twenty seconds) and reports the file's size. BM_ReplayView
// times the view's part of a replayed frame (run under Xvfb).
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <cmath>

#include "app/replay_player.h"
#include "app/replay_recorder.h"
#include "app/replay_view.h"
#include "app/screen_state.h"
#include "input/input_stream.h"
#include "persist/replay_file.h"
#include "stage/rules_fingerprint.h"
#include "stage/world.h"
#include "support/bench_window.h"
#include "support/gl_timing.h"

namespace {

constexpr long FRAMES_PER_RECORDING = 100000;  // started afresh now and then, so memory stays bounded

void BM_FrameHooks(benchmark::State& state) {
    const bool recording = state.range(0) != 0;
    const bool stick_moves = state.range(1) != 0;
    selected_ship = 0;
    long frame = 0;
    for (auto _ : state) {
        if (recording && frame % FRAMES_PER_RECORDING == 0) {
            state.PauseTiming();
            game_record_begins();
            state.ResumeTiming();
        }
        if (stick_moves) input_stick(std::sin(frame * 0.01) * 0.9, 0.0);
        input_stream_frame_begins();
        input_stream_frame_ends();
        ++frame;
    }
    if (recording) game_record_ends();
}
BENCHMARK(BM_FrameHooks)->ArgNames({"recording", "stick"})->Args({0, 0})->Args({1, 0})->Args({1, 1});

// A game of 5 000 frames: a key every 6 frames; with `steered`, also a stick
// value that changes every frame (a pad or a remote held all game long).
Replay synthetic_game(bool steered) {
    Replay replay;
    replay.game_version = this_game_version();
    replay.rules_fingerprint = rules_fingerprint();
    replay.profile = "pilot";
    capture_replay_start(&replay.start);
    replay.last_frame = 5000;
    replay.checkpoints.assign(replay_checkpoint_count(replay.last_frame, replay.checkpoint_interval), 0);
    for (long frame = 1; frame <= replay.last_frame; ++frame) {
        if (frame % 6 == 0) replay.records.push_back({frame, INPUT_KEY, ' ', {}});
        if (steered)
            replay.records.push_back({frame, INPUT_STEERING, 0, {std::sin(frame * 0.01) * 0.9, 0.0, 0, 0, 0}});
    }
    return replay;
}

void BM_EncodeGame(benchmark::State& state) {
    const Replay replay = synthetic_game(state.range(0) != 0);
    size_t bytes = 0;
    for (auto _ : state) bytes = encode_replay(replay).size();
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EncodeGame)->ArgName("steered")->Arg(0)->Arg(1);

// The end of a replayed frame: its picture kept for a pause (an 800x600 copy
// into a texture), then the caption, the keys and the bar over it. With
// `paused`, what a paused frame draws instead: the kept picture and the texts.
void BM_ReplayView(benchmark::State& state) {
    open_bench_window();
    start_replay(synthetic_game(false), STATE_MAIN_MENU);
    replay_game_begins();
    draw_some_picture();
    draw_replay_view();  // the first kept picture
    if (state.range(0) != 0) input_key('p');
    time_gl_steps(state, draw_some_picture, draw_replay_view);
    leave_replay();
}
BENCHMARK(BM_ReplayView)->ArgName("paused")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);

}  // namespace

BENCHMARK_MAIN();
