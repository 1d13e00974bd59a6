// Timing a drawing step by the processor time it costs: every thread of the
// process, so the software renderer's own threads count, up to glFinish.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>

// Once per iteration: `untimed` (putting the world or the picture back), then
// `timed` and glFinish, timed. Reports the iteration times to the benchmark
// (run it with UseManualTime) and their median and 90th percentile as the
// counters median_ms and p90_ms.
void time_gl_steps(benchmark::State& state, const std::function<void()>& untimed,
                   const std::function<void()>& timed);
