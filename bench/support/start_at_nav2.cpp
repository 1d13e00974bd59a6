// Linked into korvane_at_nav2: the real engine, its entry point unchanged,
// whose main loop begins in NAV 2 instead of the logo intro. Reaching NAV 2
// with keys takes surviving a minute of rocks, which a key script cannot do
// reliably; the pacing benchmark needs NAV 2 every time. Nothing here is in
// the game a player runs.
//
// The link option --wrap=glutMainLoop sends main's last call here: start-up
// (window, GL state, sound, settings, callbacks) has run exactly as in the
// game. The world is then put where the end of NAV 1's fly-out leaves it, and
// the toolkit's loop starts; its first frame runs NAV 2's set-up as usual.
#include <cstdlib>

#include "app/screen_state.h"
#include "platform/random.h"
#include "stage/setup.h"
#include "stage/world.h"

extern "C" void __real_glutMainLoop();

// The toughest fighter, with the most guns: the busiest NAV 2 a player can fly.
constexpr int BENCH_SHIP = 2;
// A fixed seed so that every benchmark run meets the same fighters and rocks.
constexpr unsigned BENCH_SEED = 1;

extern "C" void __wrap_glutMainLoop() {
    seed_rand15(BENCH_SEED);
    // Ship select: the ship; its Enter key lets the stage start its song.
    selected_ship = BENCH_SHIP;
    music_started = 0;
    // NAV 1's first frame fills the fighter; its completion stops the clock.
    setup_player();
    stage_started = 1;
    nav_timer = -1;
    nav_timer_running = 1;
    // The end of the fly-out: NAV 2's pictures and set-up come with the next frame.
    textures_loaded = 0;
    screen_state = STATE_NAV2;
    __real_glutMainLoop();
}
