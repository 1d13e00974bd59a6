#include "gl_timing.h"

#include <GL/gl.h>

#include <algorithm>
#include <ctime>
#include <vector>

static double cpu_seconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

void time_gl_steps(benchmark::State& state, const std::function<void()>& untimed,
                   const std::function<void()>& timed) {
    std::vector<double> ms;
    for (auto _ : state) {
        untimed();
        const double start = cpu_seconds();
        timed();
        glFinish();
        const double spent = cpu_seconds() - start;
        state.SetIterationTime(spent);
        ms.push_back(spent * 1000.0);
    }
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p90_ms"] = ms[ms.size() * 9 / 10];
}
