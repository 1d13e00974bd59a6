// korvane-verify against a game the real engine recorded: with no display it
// verifies it, finds the copy whose end was changed, refuses what is no
// replay of this game (the reader's other refusals are the unit suite's), and
// links nothing of the window, sound or input.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "harness.h"
#include "persist/replay_file.h"

namespace {

namespace fs = std::filesystem;

const std::string VERIFIER = GAME_DIR "/korvane-verify";

// The verifier run with no DISPLAY at all; its exit status, and its output in *out.
int verify(const std::vector<std::string>& files, std::string* out) {
    std::vector<std::string> argv = {"env", "-u", "DISPLAY", VERIFIER};
    argv.insert(argv.end(), files.begin(), files.end());
    return run_command(argv, "", out);
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

TEST(Verify, LinksNothingOfTheWindowSoundOrInput) {
    std::string libraries;
    ASSERT_EQ(run_command({"ldd", VERIFIER}, "", &libraries), 0);
    for (const char* library : {"libGL", "libglut", "libX", "libSDL", "libfluidsynth", "libdbus", "libxwiimote"})
        EXPECT_EQ(libraries.find(library), std::string::npos) << library << " in:\n" << libraries;
}

// A pilot whose name holds a terminal's control sequence flies into NAV 1 and quits.
TEST(Verify, JudgesAGameTheEngineRecordedAndEachThingWrongWithACopy) {
    GameRun game;
    game.start({"pilot\x1b[2J"});
    ASSERT_NE(game.wait_for_window(), "") << game.out() << game.err();
    game.fly_into_nav1();
    game.key_down("Left");
    GameRun::wait_frames(30);
    game.key_up("Left");
    game.key("space");
    GameRun::wait_frames(20);
    game.key("Escape");
    GameRun::wait_frames(3);
    game.key("y");
    const std::string recorded = game.folder() + "/replays/last.kvr";
    for (int waited = 0; !fs::exists(recorded) && waited < 50; ++waited) GameRun::wait_frames(2);
    Replay replay;
    std::string why;
    ASSERT_TRUE(read_replay_file(recorded, &replay, &why)) << why << game.out();

    std::string said;
    EXPECT_EQ(verify({recorded}, &said), 0) << said;

    const std::string folder = game.scratch();
    Replay changed = replay;
    changed.final_score += 100;
    write_file(folder + "/changed.kvr", encode_replay(changed));
    Replay foreign = replay;
    foreign.rules_fingerprint ^= 1;
    write_file(folder + "/foreign.kvr", encode_replay(foreign));
    const std::string bytes = encode_replay(replay);
    write_file(folder + "/cut.kvr", bytes.substr(0, bytes.size() - 1));

    said.clear();
    EXPECT_EQ(verify({recorded, folder + "/changed.kvr", folder + "/foreign.kvr", folder + "/cut.kvr"},
                     &said),
              1);
    EXPECT_EQ(said, recorded + ": verified: pilot?[2J, Pilvet, " + std::to_string(replay.final_score) + " points, " +
                        std::to_string(replay.last_frame) + " frames\n" + folder +
                        "/changed.kvr: parted from the recording at frame " + std::to_string(replay.last_frame) +
                        "\n" + folder + "/foreign.kvr: refused: made by a game whose rules differ from this one's\n" +
                        folder + "/cut.kvr: refused: truncated\n");
    EXPECT_EQ(verify({}, &said), 2);
}
