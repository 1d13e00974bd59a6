// A scripted game recorded, then played back in this process, in a fresh one
// and by the simulation alone (as korvane-verify flies it): each must pass
// through the same world, frame by frame.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/replay_player.h"
#include "app/replay_recorder.h"
#include "app/screen_state.h"
#include "input/input_stream.h"
#include "input/keys.h"
#include "persist/high_scores.h"
#include "persist/replay_store.h"
#include "persist/settings.h"
#include "platform/random.h"
#include "stage/world.h"
#include "stage/world_digest.h"
#include "verify/verify_replay.h"

// The world's digest after every frame that leaves a game in progress.
using DigestTrail = std::vector<uint64_t>;

// Where a scripted pilot steers: under the lowest rock above the fighter.
inline double lowest_rock_x() {
    double target = player.x, lowest = 2.0;
    for (const Enemy& rock : enemies)
        if (rock.active && rock.y > player.y && rock.y < lowest) lowest = rock.y, target = rock.x;
    return target;
}

// One frame of the game being recorded.
inline void recorded_frame(DigestTrail& trail) {
    display_callback();
    if (game_recording()) trail.push_back(world_digest());
}

// What carries between games is not what the recorded game found: a replay
// must bring its own.
inline void disturb_carried_state() {
    seed_rand15(99991);
    debris_ring = 3, explosion_ring = 1, nav_fighter_fire_timer = 17, nav_fighter_heading = 1;
    nav_fighter.x = 0.77, stick_steer_x = 0.25, tilt_pitch = 33;
}

// The replayed game's trail; then its verdict runs out and the replay leaves.
inline DigestTrail play_back(const Replay& replay) {
    DigestTrail trail;
    start_replay(replay, STATE_MAIN_MENU);
    for (long frame = 0; replay_verdict().empty() && frame <= replay.last_frame + 1; ++frame) {
        // The player's own input, which must not reach the replayed fighter.
        input_special(SPECIAL_LEFT);
        input_stick(-1.0, 0.5);
        input_tilt(1, 45, -45);
        display_callback();
        if (replay_verdict().empty()) trail.push_back(world_digest());
    }
    for (int frame = 0; replay_playing && frame <= REPLAY_VERDICT_FRAMES; ++frame) display_callback();
    return trail;
}

// The unit suite's test ReplayFreshProcess plays the file named by this
// variable and writes its trail beside it, one digest a line.
constexpr const char* FRESH_REPLAY_VARIABLE = "KORVANE_FRESH_REPLAY";

inline DigestTrail play_back_in_fresh_process(const Replay& replay) {
    char folder[] = "/tmp/korvane-replay-XXXXXX";
    if (!mkdtemp(folder)) return {};
    const std::string file = std::string(folder) + "/game.kvr";
    const std::string bytes = encode_replay(replay);
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const std::string command = std::string(FRESH_REPLAY_VARIABLE) + "=" + file + " " BUILD_DIR +
                                "/tests/unit_tests --gtest_filter=ReplayFreshProcess.* > " + folder + "/log 2>&1";
    if (system(command.c_str()) != 0) {  // its own output says why, and goes with the folder
        std::ifstream log(std::string(folder) + "/log");
        ADD_FAILURE() << command << " failed:\n" << std::string(std::istreambuf_iterator<char>(log), {});
    }
    DigestTrail trail;
    std::ifstream digests(file + ".digests");
    for (uint64_t digest; digests >> digest;) trail.push_back(digest);
    std::filesystem::remove_all(folder);
    return trail;
}

// The replayed game's trail flown by the simulation alone, and its verdict.
inline DigestTrail* alone_trail = nullptr;
inline DigestTrail fly_alone(const Replay& replay, ReplayVerdict* verdict) {
    DigestTrail trail;
    alone_trail = &trail;
    *verdict = fly_replay_alone(replay, [] { alone_trail->push_back(world_digest()); });
    return trail;
}

// With this variable naming a folder, each recorded game is also kept there
// as a file named after its test: scripts/test has another build's verifier
// judge them.
constexpr const char* KEEP_REPLAYS_VARIABLE = "KORVANE_KEEP_REPLAYS";

inline void keep_replay(const Replay& replay) {
    const char* folder = getenv(KEEP_REPLAYS_VARIABLE);
    if (!folder) return;
    const std::string bytes = encode_replay(replay);
    const std::string file = std::string(folder) + "/" + testing::UnitTest::GetInstance()->current_test_info()->name() + ".kvr";
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The recorded game's trail against a replay's, in this process, in a fresh one and alone.
inline void expect_replays_match(const DigestTrail& recorded) {
    const Replay& replay = last_game_record();
    ASSERT_GT(recorded.size(), 100u);
    disturb_carried_state();
    reset_high_scores();
    const int sound_before = sfx;
    const DigestTrail here = play_back(replay);
    EXPECT_EQ(replay_notice.rfind("Replay finished: ", 0), 0u) << replay_notice;
    EXPECT_EQ(high_scores[0].score, 0) << "a replayed game's score entered the table";
    EXPECT_EQ(sfx, sound_before) << "the replay's sound key outlived it";
    const DigestTrail fresh = play_back_in_fresh_process(replay);
    ReplayVerdict verdict{};
    const DigestTrail alone = fly_alone(replay, &verdict);
    EXPECT_EQ(verdict.outcome, REPLAY_VERIFIED);
    EXPECT_EQ(verdict.frame, replay.last_frame);
    for (const DigestTrail* trail : {&here, &fresh, &alone}) {
        const auto parting = std::mismatch(trail->begin(), trail->end(), recorded.begin(), recorded.end()).first;
        EXPECT_TRUE(*trail == recorded) << (trail == &here ? "in this process" : trail == &fresh ? "in a fresh process" : "alone")
                                        << " the world parts from the recorded one at frame " << parting - trail->begin();
    }
    keep_replay(replay);
}
