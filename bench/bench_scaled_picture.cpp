// The cost of full screen without a mode switch: copying the finished 800x600
// picture into the frame texture and stretching it over the window, for
// common screen sizes, next to what the 800x600 window pays at the same step
// (a test). Processor time of all the process's threads (the software
// renderer's included) up to glFinish; the median is reported as median_ms.
// Run under an X server at least 2560x1440 (bench/support/xvfb.sh's size will not do).
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include "app/scaled_picture.h"
#include "support/bench_window.h"
#include "support/gl_timing.h"

namespace {

// Arguments: the window's width and height; 800x600 measures the window's path.
void FrameEnd(benchmark::State& state) {
    open_bench_window(2560, 1440);
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    if (width == 800 && height == 600) {
        picture_scaled = 0;
    } else {
        if (!picture_scaled) start_scaled_picture();
        scaled_window_width = width;
        scaled_window_height = height;
    }
    time_gl_steps(
        state,
        [] {
            draw_some_picture();
            glFinish();
        },
        finish_picture);
}

}  // namespace

// The window first: once scaled, the process stays scaled.
BENCHMARK(FrameEnd)
    ->Args({800, 600})
    ->Args({1280, 1024})
    ->Args({1920, 1080})
    ->Args({2560, 1440})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(300);  // a fixed count: the window's path costs next to nothing, so a minimum time would never end
BENCHMARK_MAIN();
