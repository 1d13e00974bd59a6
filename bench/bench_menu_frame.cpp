// The cost of a main-menu frame as the game draws it 25 times a second: the
// banner, the pointer, the six items, the status line and the stars, cleared,
// drawn and swapped by the software renderer. Processor time per frame (every
// thread of the process, so the renderer's own count) up to glFinish; the
// median is reported as median_ms. This is where an idle player's processor
// time goes, so changes to how the menus draw are judged by it.
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>

#include "app/screen_state.h"
#include "input/screen_keys.h"
#include "support/bench_window.h"
#include "support/gl_timing.h"
#include "render/starfield.h"
#include "render/textures.h"

namespace {

Star saved_stars[STAR_COUNT];

void MainMenuFrame(benchmark::State& state) {
    open_bench_window();
    if (chdir(GAME_DIR) != 0) {
        state.SkipWithError("no game folder");
        return;
    }
    init_starfield();
    memcpy(saved_stars, starfield, sizeof starfield);
    screen_state = STATE_MAIN_MENU;
    load_state_textures(STATE_MAIN_MENU);
    textures_loaded = 1;
    music_started = 1;  // the menu's song is the sound benchmarks' business
    menu_cursor = 1;
    time_gl_steps(state, [] { memcpy(starfield, saved_stars, sizeof starfield); }, [] { display_callback(); });
}

}  // namespace

BENCHMARK(MainMenuFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK_MAIN();
