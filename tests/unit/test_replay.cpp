// Replays: games by keyboard and by the remote recorded and played back exactly,
// the files of the high-score table, Esc during a replay, and damaged files.
#include <GL/freeglut.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>

#include "app/gl_setup.h"
#include "input/input_stream.h"
#include "input/keys.h"
#include "input/wiimote_events.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "platform/sound_library.h"
#include "support/replay_check.h"
#include "support/scratch_dir.h"

namespace {

void start_game_from_ship_select(int ship) {
    reset_game();
    screen_state = STATE_SHIP_SELECT;
    selected_ship = ship;
    input_key(KEY_ENTER);
}

}  // namespace

// Steers by the arrow keys into the rocks, fires, switches guns, toggles the
// sound and pauses once, until the fighter is lost and its score is in the table.
TEST(Replay, AKeyboardGamePlaysBackFrameByFrameAndIsKeptForItsTableEntry) {
    ScratchDir folder;
    replay_folder = "replays";
    reset_high_scores();
    start_game_from_ship_select(1);
    DigestTrail trail;
    int held = 0;
    for (int frame = 0; frame < 8000 && (frame == 0 || game_recording()); ++frame) {
        const double target = lowest_rock_x();
        const int want = target < player.x - 0.01 ? SPECIAL_LEFT : target > player.x + 0.01 ? SPECIAL_RIGHT : 0;
        if (want != held && held) input_special_up(held);
        if (want != held && want) input_special(want);
        held = want;
        if (frame % 6 == 0) input_key(KEY_SPACE);
        if (frame == 40) input_key('g');
        if (frame == 60) input_special(SPECIAL_F5);
        if (frame == 80) input_key(KEY_ESC);
        if (frame == 90) input_key('n');
        recorded_frame(trail);
    }
    ASSERT_GT(high_scores[0].score, 0);
    Replay saved;
    std::string why;
    ASSERT_TRUE(entry_has_replay(0));
    ASSERT_TRUE(read_replay_file(entry_replay_path(0), &saved, &why)) << why;
    EXPECT_EQ(encode_replay(saved), encode_replay(last_game_record()));
    EXPECT_TRUE(std::filesystem::exists("replays/last.kvr"));
    replay_folder = nullptr;
    expect_replays_match(trail);
}

// Tilt steering and buttons from remote reports, the remote lost midway (its
// steering stops) and found again.
TEST(Replay, ARemoteGamePlaysBackFrameByFrame) {
    start_game_from_ship_select(2);
    DigestTrail trail;
    uint16_t previous = 0;
    for (int frame = 0; frame < 8000 && (frame == 0 || game_recording()); ++frame) {
        RemoteNotice report{};
        report.kind = frame == 300 ? REMOTE_DISCONNECT : REMOTE_REPORT;
        report.state = WIIUSE_STATE_ORIENTATION;
        report.pitch = static_cast<float>(std::fmax(-60.0, std::fmin(60.0, (lowest_rock_x() - player.x) * 600)));
        report.roll = static_cast<float>(frame % 50) - 25.0f;
        report.btns = frame % 8 < 4 ? WIIUSE_BUTTON_TWO : 0;
        report.btns_held = previous;
        previous = report.btns;
        if (frame < 300 || frame > 340) apply_remote_notice(report);
        recorded_frame(trail);
    }
    expect_replays_match(trail);
}

// Run by the replay tests of every suite in a process of its own (see
// support/replay_check.h); skipped in an ordinary run.
TEST(ReplayFreshProcess, PlaysTheFileItIsGivenAndWritesItsTrail) {
    const char* file = getenv(FRESH_REPLAY_VARIABLE);
    if (!file) GTEST_SKIP() << "run by the replay tests in a process of its own";
    std::filesystem::current_path(GAME_DIR);
    sound_library_test_use_drivers("dummy", nullptr);
    gl_setup(1);
    Replay replay;
    std::string why;
    ASSERT_TRUE(read_replay_file(file, &replay, &why)) << why;
    std::ofstream out(std::string(file) + ".digests");
    for (uint64_t digest : play_back(replay)) out << digest << "\n";
}

TEST(Replay, EscLeavesToTheScreenItStartedFrom) {
    start_game_from_ship_select(0);
    for (int frame = 0; frame < 30; ++frame) display_callback();
    input_key(KEY_ESC);
    input_key('y');
    ASSERT_FALSE(game_recording());
    start_replay(last_game_record(), STATE_HIGH_SCORES);
    for (int frame = 0; frame < 10; ++frame) display_callback();
    input_key(KEY_ESC);
    EXPECT_EQ(replay_playing, 0);
    EXPECT_EQ(screen_state, STATE_HIGH_SCORES);
}

// Its own game's entry is in the table: the replay announces the place that game took.
TEST(Replay, AnnouncesThePlaceItsGameTookNotTheOneBelowItsEntry) {
    reset_high_scores();
    insert_high_score(900, "best", 0);
    insert_high_score(500, "pilot", 1);
    Replay replay;
    replay.final_score = 500;
    replay.fighter = 1;
    start_replay(replay, STATE_HIGH_SCORES);
    EXPECT_EQ(high_score_place(400), 2);
    leave_replay();
    EXPECT_EQ(high_score_place(400), 3);
}

// A full table; a new best score pushes the last entry out, and its replay goes with it.
TEST(Replay, AnEntryFallingOutOfTheTableTakesItsReplayWithIt) {
    ScratchDir folder;
    replay_folder = "replays";
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) insert_high_score(100 * (i + 1), "pilot", 0);
    Replay replay;
    save_entry_replay(replay, 9);
    EXPECT_TRUE(entry_has_replay(9));
    insert_high_score(5000, "ace", 1);
    save_entry_replay(replay, 0);
    EXPECT_TRUE(entry_has_replay(0));
    save_settings();  // where the table's files are settled
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator("replays")) files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
    replay_folder = nullptr;
}

// Equal entries each keep their own game, newest first; a file named as before
// plays as the oldest, and the oldest goes first.
TEST(Replay, EqualEntriesKeepAReplayEachAndTheOldestGoesFirst) {
    ScratchDir folder;
    replay_folder = "replays";
    std::filesystem::create_directory("replays");
    folder.write("settings.cfg", "1=0\n1n=pilot\n1s=0\n");
    reset_high_scores();  // load_settings leaves the scores to the file
    load_settings();
    Replay game;
    game.game_version = this_game_version();
    game.build_identity = this_build_identity();
    capture_replay_start(&game.start);
    game.seed = 1;
    folder.write("replays/entry-0-0-10066ae1.kvr", encode_replay(game));
    // Settled long ago: the folder's names may be kept, until it changes again.
    std::filesystem::last_write_time("replays", std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    for (uint32_t seed : {7u, 5u}) {  // games of one second: the later one's file is still the newer
        game.seed = seed;
        insert_high_score(0, "pilot", 0);
        save_entry_replay(game, 0);
    }
    const auto seed_at = [](int place) {
        Replay replay;
        std::string why;
        return read_replay_file(entry_replay_path(place), &replay, &why) ? replay.seed : 0u;
    };
    EXPECT_EQ(std::vector<uint32_t>({seed_at(0), seed_at(1), seed_at(2)}), std::vector<uint32_t>({5, 7, 1}));
    for (int i = 0; i < 8; ++i) insert_high_score(100, "ace", 1);
    save_settings();
    EXPECT_EQ(std::vector<uint32_t>({seed_at(8), seed_at(9)}), std::vector<uint32_t>({5, 7}));
    EXPECT_FALSE(std::filesystem::exists("replays/entry-0-0-10066ae1.kvr"));
    replay_folder = nullptr;
}

// Each damage to a good file, and the one line the reader refuses it with.
TEST(Replay, DamagedOrForeignFilesAreRefusedWithTheirReason) {
    Replay good;
    good.game_version = this_game_version();
    good.build_identity = this_build_identity();
    good.profile = "pilot";
    capture_replay_start(&good.start);
    good.fighter = selected_ship;
    good.last_frame = 10;
    good.records = {{1, INPUT_KEY, ' ', {}}, {2, INPUT_STEERING, 0, {0.5, -0.25, 1, 10, -5}},
                    {3, INPUT_STEER_AXES, 4, {}}};
    Replay no_records = good;
    no_records.records.clear();
    const size_t count_at = encode_replay(no_records).size() - 1;  // the record count, the header's last byte
    using ReplayChange = std::function<void(Replay&)>;
    using ByteChange = std::function<void(std::string&)>;
    struct Case {
        const char* damage;
        ReplayChange change;
        ByteChange bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", {}, [](std::string& b) { b.clear(); }, "not a replay file"},
        {"magic", {}, [](std::string& b) { b[3] = 'X'; }, "not a replay file"},
        {"format", {}, [](std::string& b) { b[4] = 2; }, "made in replay format 2, this game reads format 1"},
        {"version", [](Replay& r) { r.game_version = "Korvane 1.0"; }, {},
         "made by another version of the game (Korvane 1.0)"},
        {"build", [](Replay& r) { r.build_identity = "arm"; }, {}, "made by another build of the game (arm)"},
        {"fighter", [](Replay& r) { r.fighter = 3; }, {}, "damaged: no such fighter"},
        {"ring", [](Replay& r) { r.start.ints[0] = 7; }, {}, "damaged: a start value is out of range"},
        {"not a number", [](Replay& r) { r.start.doubles[0] = NAN; }, {}, "damaged: a start value is not a number"},
        {"huge", [](Replay& r) { r.start.player.hull = 2000000000; }, {}, "damaged: the fighter's start values"},
        {"late record", [](Replay& r) { r.records[2].frame = 11; }, {}, "damaged: a record after the end"},
        {"handler", [](Replay& r) { r.records[0].handler = 9; }, {}, "damaged: an unknown record"},
        {"key", [](Replay& r) { r.records[0].key = 300; }, {}, "damaged: a key out of range"},
        {"axes", [](Replay& r) { r.records[2].key = 9; }, {}, "damaged: a key out of range"},
        {"stick", [](Replay& r) { r.records[1].steering.stick_x = 1.5; }, {},
         "damaged: a steering value is out of range"},
        {"tail", {}, [](std::string& b) { b.push_back(0); }, "damaged: bytes after the last record"},
        {"count", {}, [count_at](std::string& b) { b[count_at] = 0x7f; }, "damaged: more records than bytes"},
        {"size", {}, [](std::string& b) { b.resize(REPLAY_MAX_BYTES + 1); }, "too large to be a replay"},
    };
    Replay read;
    std::string why;
    const std::string bytes = encode_replay(good);
    ASSERT_TRUE(decode_replay(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &read, &why)) << why;
    EXPECT_EQ(encode_replay(read), bytes);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.damage);
        Replay damaged = good;
        if (c.change) c.change(damaged);
        std::string file = encode_replay(damaged);
        if (c.bytes) c.bytes(file);
        EXPECT_FALSE(decode_replay(reinterpret_cast<const unsigned char*>(file.data()), file.size(), &read, &why));
        EXPECT_EQ(why, c.reason);
    }
    for (size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(decode_replay(reinterpret_cast<const unsigned char*>(bytes.data()), cut, &read, &why)) << cut;
}
