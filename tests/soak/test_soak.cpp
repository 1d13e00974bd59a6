// Soak: the whole game run frame after frame without pacing, in the game
// folder with its real pictures and sounds, by a seeded random player who
// presses keys on every screen. The player starts games and plays them
// (steering, firing, switching guns, sound, music and star keys, pauses),
// loses some, flies others through both NAVs, and quits others through the
// overlay. The test counts the screens and game endings it saw, checks the
// game's invariants every frame and watches the resident memory stay flat.
//
// The run is seeded and repeats exactly. In the test suite it lasts 30 000
// frames (about a minute at the 2 ms a frame costs on a software renderer):
// some twenty games, enough for a leak of a song or a picture set per game to
// show in resident memory. scripts/soak plays the long run (100 000 frames by
// default) for slower leaks. Under AddressSanitizer, where a frame costs half
// as much again and memory is not judged, it lasts 12 000 frames so the
// sanitizer pass fits the suite's time; KORVANE_SOAK_FRAMES sets any length.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include "app/game_values.h"
#include "app/gl_setup.h"
#include "app/screen_state.h"
#include "app/startup.h"
#include "audio/sound.h"
#include "combat/guns.h"
#include "input/screen_keys.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "platform/sound_library.h"
#include "render/hud.h"
#include "stage/world.h"
#include "support/soak_player.h"

namespace {

constexpr unsigned SEED = 20240611;
const char* const PROFILE = "soak pilot";
// Resident memory may grow this much between the end of the warm-up and the end.
constexpr long RSS_GROWTH_LIMIT_KB = 10 * 1024;
#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer holds freed memory in quarantine and lets it go in batches:
// resident memory swings by tens of MB and says nothing about leaks.
constexpr bool RSS_TELLS_LEAKS = false;
constexpr long DEFAULT_FRAMES = 12000;
#else
constexpr bool RSS_TELLS_LEAKS = true;
constexpr long DEFAULT_FRAMES = 30000;
#endif

const int EVERY_STATE[] = {STATE_LOGO_INTRO, STATE_MAIN_MENU, STATE_SHIP_SELECT, STATE_NAV1,
                           STATE_NAV2,       STATE_QUIT_OVERLAY, STATE_SETTINGS, STATE_STAGE_SELECT,
                           STATE_CREDITS,    STATE_HIGH_SCORES,  STATE_CONTROLS};

long frames_to_run() {
    const char* text = getenv("KORVANE_SOAK_FRAMES");
    long frames = text ? strtol(text, nullptr, 10) : DEFAULT_FRAMES;
    return frames > 0 ? frames : DEFAULT_FRAMES;
}

// VmRSS of this process in kB (0 if unreadable).
long resident_kb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

// Bytes the allocator's main arena has handed out and not had back, in kB:
// unlike VmRSS it does not move with fragmentation or freed pages kept.
long heap_in_use_kb() { return static_cast<long>(mallinfo2().uordblks / 1024); }

// The game's own rules that must hold whatever the keys did; "" when they do.
std::string broken_invariant() {
    bool known = false;
    for (int state : EVERY_STATE) known = known || state == screen_state;
    if (!known) return "unknown screen_state " + std::to_string(screen_state);
    if (menu_cursor < 1 || menu_cursor > MAIN_MENU_ITEMS) return "menu_cursor " + std::to_string(menu_cursor);
    if (settings_cursor < 1 || settings_cursor > SETTINGS_ROWS) return "settings_cursor " + std::to_string(settings_cursor);
    if (sfxvol < 1 || sfxvol > 9 || musicvol < 1 || musicvol > 9) return "volume out of 1..9";
    if (selected_ship < 0 || selected_ship > 2) return "selected_ship " + std::to_string(selected_ship);
    const bool neutron = selected_ship == 2;
    const int second_gun = neutron ? GUN_MODE_NEUTRON : GUN_MODE_ION;
    const int full_guns = neutron ? GUN_MODE_LASER_NEUTRON : GUN_MODE_LASER_ION;
    if (!(gun_mode == GUN_MODE_LASER || gun_mode == second_gun || gun_mode == full_guns))
        return "gun_mode " + std::to_string(gun_mode) + " for ship " + std::to_string(selected_ship);
    if (steer_x < HELD_NONE || steer_x > HELD_RIGHT || steer_y < HELD_NONE || steer_y > HELD_DOWN)
        return "steering out of its values";
    if (score < 0) return "negative score";
#define TEXT_TERMINATED(name, start) \
    if (!memchr(::name, '\0', sizeof ::name)) return #name " unterminated";
#define SKIP(name, start)
    GAME_VALUES(SKIP, TEXT_TERMINATED, SKIP)
#undef TEXT_TERMINATED
#undef SKIP
    if (sound_library_test_samples_held() > SOUND_RING_SIZE) return "more samples held than the ring has";
    if (sound_library_test_songs_held() > 1) return "more than one song held";
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) {
        if (!memchr(high_scores[i].name, '\0', HIGH_SCORE_NAME_SIZE)) return "table name unterminated";
        if (i > 0 && high_scores[i].score > high_scores[i - 1].score) return "table out of order";
    }
    return "";
}

struct SoakTest : SeededRunTest {
    void SetUp() override { start_seeded_run(PROFILE, SEED); }
};

}  // namespace

TEST_F(SoakTest, RandomPlayerRunsEveryScreenAndEveryEndingWithFlatMemory) {
    const long frames = frames_to_run();
    ASSERT_EQ(screen_state, STATE_LOGO_INTRO);

    Tally tally;
    SoakPlayer player_keys(tally, SEED);
    HighScoreEntry table_before[HIGH_SCORE_PLACES];
    long warm_rss_kb = 0, warm_frame = -1;
    std::ostringstream rss_trace;  // every tenth of the run, for the report
    const auto started = std::chrono::steady_clock::now();

    for (long frame = 0; frame < frames; ++frame) {
        memcpy(table_before, high_scores, sizeof table_before);
        player_keys.act();

        const int state = screen_state;
        const int destroyed = player_destroyed;
        const int completed = nav_completed;
        const auto frame_start = std::chrono::steady_clock::now();
        display_callback();
        tally.seconds_in_state[state] +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - frame_start).count();
        ++tally.frames_in_state[state];
        if (screen_state != state) ++tally.frames_in_state[screen_state];  // drawn in the same frame

        if (destroyed == 0 && player_destroyed == 1) ++tally.losses;
        if (state == STATE_NAV1 && screen_state == STATE_NAV2) ++tally.nav1_completed;
        if (state == STATE_NAV2 && completed == 1 && destroyed == 0 && screen_state == STATE_MAIN_MENU)
            ++tally.nav2_completed;
        if (in_stage_range(state) && destroyed == 1 && screen_state == STATE_MAIN_MENU) ++tally.death_sequences_run_out;
        if (memcmp(table_before, high_scores, sizeof table_before) != 0) ++tally.table_changes;

        const std::string broken = broken_invariant();
        if (!broken.empty()) {
            ADD_FAILURE() << "frame " << frame << " in state " << state << ": " << broken;
            break;
        }
        if ((frame + 1) % std::max(1L, frames / 10) == 0)
            rss_trace << " " << resident_kb() << "/" << heap_in_use_kb();
        // Warm: every screen has been seen, every picture set loaded, every song built once.
        if (warm_frame < 0 && frame >= frames / 10 && tally.frames_in_state.size() == std::size(EVERY_STATE)) {
            warm_rss_kb = resident_kb();
            warm_frame = frame;
        }
    }
    const long end_rss_kb = resident_kb();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    std::ostringstream report;
    report << frames << " frames in " << seconds << " s (" << 1000.0 * seconds / frames << " ms a frame), "
           << tally.keys << " keys, " << tally.games_started << " games: " << tally.losses << " lost ("
           << tally.restarts_after_loss << " restarted, " << tally.death_sequences_run_out << " ran out), "
           << tally.nav1_completed << " NAV 1 and " << tally.nav2_completed << " NAV 2 completed, "
           << tally.overlay_quits << " overlay quits, " << tally.overlay_resumes << " resumes, "
           << tally.table_changes << " table entries, " << tally.quit_item_enters_skipped
           << " quit-item Enters held back; RSS " << warm_rss_kb << " kB at frame " << warm_frame << ", "
           << end_rss_kb << " kB at the end\nRSS (kB) by tenths of the run:" << rss_trace.str()
           << "\nframes per state:";
    for (const auto& [state, count] : tally.frames_in_state)
        report << " " << state << ":" << count << " (" << 1000.0 * tally.seconds_in_state[state] / count << " ms)";
    printf("%s\n", report.str().c_str());

    for (int state : EVERY_STATE) EXPECT_GT(tally.frames_in_state[state], 0) << "state " << state << "\n" << report.str();
    EXPECT_GT(tally.losses, 0) << report.str();
    EXPECT_GT(tally.nav1_completed, 0) << report.str();
    EXPECT_GT(tally.nav2_completed, 0) << report.str();
    EXPECT_GT(tally.overlay_quits, 0) << report.str();
    EXPECT_GT(tally.table_changes, 0) << report.str();

    // The table holds this run's games, each under the profile name and a fighter.
    int ours = 0;
    for (const HighScoreEntry& entry : high_scores) {
        SCOPED_TRACE(testing::Message() << "place " << &entry - high_scores);
        if (strcmp(entry.name, PROFILE) != 0) continue;
        ++ours;
        EXPECT_GE(entry.ship, 0);
        EXPECT_LE(entry.ship, 2);
    }
    EXPECT_GT(ours, 0);

    ASSERT_GE(warm_frame, 0) << "never warm: not every screen was reached\n" << report.str();
    if (RSS_TELLS_LEAKS)
        EXPECT_LT(end_rss_kb - warm_rss_kb, RSS_GROWTH_LIMIT_KB) << report.str();
    else
        printf("Resident memory not judged: the sanitizer's quarantine moves it.\n");
}
