// Replays: games by keyboard and by the remote recorded and played back exactly,
// the files of the high-score table, Esc during a replay, and damaged files.
#include <GL/freeglut.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <tuple>

#include "app/frame_pacing.h"
#include "app/gl_setup.h"
#include "app/quit_requests.h"
#include "input/input_stream.h"
#include "input/keys.h"
#include "input/wiimote_events.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "render/hud.h"
#include "render/starfield.h"
#include "stage/rules_fingerprint.h"
#include "verify/verify_replay.h"
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

// A game in Vesker from the ship select, `script` given each frame's number
// before that frame, until the game ends.
const Replay& record_game(const std::function<void(int)>& script) {
    start_game_from_ship_select(1);
    for (int frame = 0; frame < 5000 && (frame == 0 || game_recording()); ++frame) {
        script(frame);
        display_callback();
    }
    return last_game_record();
}

// Keys that leave the game: the quit prompt before frame `prompt`, yes before frame `frame`.
std::function<void(int)> quit_at(int frame, int prompt) {
    return [=](int now) { now == prompt ? input_key(KEY_ESC) : now == frame ? input_key('y') : (void)0; };
}

// Plays the replay that plays until it has left, its verdict shown.
void play_to_its_end() {
    for (long frame = 0; replay_playing && frame < 5000; ++frame) display_callback();
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

// Files from before a new game began at 0 points may hold points carried into
// their game: the replay gives them back, and plays as it was flown.
TEST(Replay, PointsCarriedIntoARecordedGameStayWithItsReplay) {
    Replay game = record_game(quit_at(20, 19));
    restore_replay_start(game.start);
    score = 100;
    capture_replay_start(&game.start);
    static int first_score;
    first_score = -1;
    fly_replay_alone(game, [] { first_score = first_score < 0 ? score : first_score; });
    EXPECT_EQ(first_score, 100);
}

// L on the high scores plays the last game; Esc leaves it for that screen,
// whose line says so for a while and then gives way to its hint.
TEST(Replay, LPlaysTheLastGameAndEscLeavesItForTheScreenItStartedFrom) {
    ScratchDir folder;
    replay_folder = "replays";
    record_game(quit_at(30, 29));
    enter_screen(STATE_HIGH_SCORES, FRESH_TEXTURES);
    input_key('l');
    for (int frame = 0; frame < 10; ++frame) display_callback();
    input_key(KEY_ESC);
    EXPECT_EQ(replay_playing, 0);
    EXPECT_EQ(screen_state, STATE_HIGH_SCORES);
    EXPECT_EQ(replay_notice, "Replay left");
    for (int frame = 0; frame < REPLAY_NOTICE_FRAMES; ++frame) display_callback();
    EXPECT_EQ(replay_notice, "");
    replay_folder = nullptr;
}

// Frame 20 of a game: the quit prompt, yes, and then keys that would walk the
// menus, switch sound off and full screen on. None acts past the game's end.
TEST(Replay, ItsRecordsActNoMoreOnceItsGameHasEnded) {
    Replay crafted = record_game(quit_at(20, 19));
    const long end = crafted.records.back().frame;
    for (int key : {+SPECIAL_DOWN, +SPECIAL_DOWN, +KEY_ENTER, +KEY_ENTER, +SPECIAL_DOWN, +SPECIAL_DOWN,
                    +SPECIAL_DOWN, +SPECIAL_DOWN, +KEY_ENTER, int{'1'}})
        crafted.records.push_back({end, key < SPECIAL_LEFT ? INPUT_KEY : INPUT_SPECIAL, key, {}});
    sfx = 1, fullscreen = 0;
    start_replay(crafted, STATE_MAIN_MENU);
    play_to_its_end();
    EXPECT_EQ(sfx, 1);
    EXPECT_EQ(fullscreen, 0);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
}

// The game switched the music off; its viewer has other settings, given back by the replay's
// end and saved by a lost display (from inside the failing call, without leaving the replay).
TEST(Replay, PlaysUnderItsGamesSettingsAndGivesTheViewersBack) {
    sfx = 1, music = 1, sfxvol = 8, musicvol = 9, stars_on = 1;
    const Replay game = record_game([](int frame) {
        if (frame == 10) input_special(SPECIAL_F6);
        quit_at(20, 19)(frame);
    });
    sfx = 0, music = 0, sfxvol = 3, musicvol = 4, stars_on = 0;
    for (const bool display_lost : {false, true}) {
        start_replay(game, STATE_HIGH_SCORES);
        for (int frame = 0; frame < 10; ++frame) display_callback();
        EXPECT_EQ((std::vector<int>{sfx, music, sfxvol, musicvol, stars_on}), (std::vector<int>{1, 1, 8, 9, 1}));
        display_callback();
        EXPECT_STREQ(message_text, "Music Off") << "as the game showed it";
        if (display_lost) {
            ScratchDir folder;
            save_and_let_go();
            EXPECT_NE(folder.read("settings.cfg").find("sfx=0\nmusic=0\nsfxvol=3\nmusicvol=4\n"), std::string::npos);
        }
        play_to_its_end();
        EXPECT_EQ((std::vector<int>{sfx, music, sfxvol, musicvol, stars_on}), (std::vector<int>{0, 0, 3, 4, 0}));
    }
}

// A steering record slipped into a game held at the quit prompt: the world
// differs from that frame on. Files of the first format only check the end.
// The window and the simulation alone name the same frame.
TEST(Replay, APartedReplayNamesTheFirstCheckpointAfterTheChange) {
    const Replay game = record_game(quit_at(800, 1));
    for (const auto& [format, changed_at, named, parted] :
         {std::tuple{2, 300L, "frame 500:", 500L}, std::tuple{2, 250L, "frame 250:", 250L},
          std::tuple{1, 300L, "frame 800,", 800L}}) {
        Replay changed = game;
        changed.format = format;
        changed.build_identity = this_build_identity();
        changed.records.insert(changed.records.begin() + 1, {changed_at, INPUT_STEER_AXES, HELD_RIGHT * HELD_VALUE_COUNT, {}});
        const std::string file = encode_replay(changed);
        std::string why;
        ASSERT_TRUE(decode_replay(reinterpret_cast<const unsigned char*>(file.data()), file.size(), &changed, &why));
        start_replay(changed, STATE_HIGH_SCORES);
        play_to_its_end();
        EXPECT_EQ(replay_notice.rfind(std::string("Replay parted from its recording at ") + named, 0), 0u) << replay_notice;
        const ReplayVerdict alone = fly_replay_alone(changed);
        EXPECT_NE(alone.outcome, REPLAY_VERIFIED);
        EXPECT_EQ(alone.frame, parted);
    }
    // Nor is a game whose file claims a frame more than its records fly, or
    // two less: it is stopped as it goes past (one less, its last record
    // would still end it there).
    Replay longer = game, shorter = game;
    ++longer.last_frame, shorter.last_frame -= 2;
    EXPECT_EQ(fly_replay_alone(longer).outcome, REPLAY_ENDED_OTHERWISE);
    const ReplayVerdict went_on = fly_replay_alone(shorter);
    EXPECT_EQ(went_on.outcome, REPLAY_RAN_PAST_ITS_END);
    EXPECT_EQ(went_on.frame, shorter.last_frame + 1);
}

// The replay's controls, from the keyboard and from the remote (whose tilt
// steps nothing): a pause holds the world still however often the window is
// drawn, a step runs one frame, fast plays a frame every 10 ms instead of 40
// until it is let go, and leaving leaves.
TEST(Replay, ItsControlsPauseStepPlayFastAndLeave) {
    const auto remote = [](uint16_t btns) {
        apply_remote_notice({REMOTE_REPORT, btns, 0, WIIUSE_STATE_ORIENTATION, 10, 60, 0, 0});  // tilted right
    };
    const std::vector<std::vector<std::function<void(int down)>>> devices = {  // pause, step, fast, leave
        {[](int) { input_key('p'); }, [](int) { input_special(SPECIAL_RIGHT); },
         [](int down) { down ? input_key(KEY_SPACE) : stream_keyboard_up_callback(KEY_SPACE, 0, 0); },
         [](int) { input_key(KEY_ESC); }},
        {[=](int) { remote(WIIUSE_BUTTON_ONE), remote(0); }, [=](int) { remote(WIIUSE_BUTTON_DOWN), remote(0); },
         [=](int down) { remote(down ? WIIUSE_BUTTON_TWO : 0); }, [=](int) { remote(WIIUSE_BUTTON_HOME); }}};
    const Replay game = record_game(quit_at(40, 39));
    for (const auto& press : devices) {
        start_replay(game, STATE_HIGH_SCORES);
        for (int frame = 0; frame < 5; ++frame) display_callback();
        press[0](1);
        const uint64_t world = world_digest();
        const long frames = frames_run;
        for (int frame = 0; frame < 3; ++frame) display_callback();
        EXPECT_EQ(world_digest(), world);
        press[1](1);
        for (int frame = 0; frame < 3; ++frame) display_callback();
        EXPECT_EQ(frames_run, frames + 1);
        press[0](1);
        display_callback();
        EXPECT_EQ(frames_run, frames + 2) << "playing on";
        press[2](1);
        last_frame_time = 1000;
        EXPECT_EQ(frame_due(1009) * 10 + frame_due(1010), 1);
        press[2](0);
        EXPECT_EQ(frame_due(1049) * 10 + frame_due(1050), 1);
        press[3](1);
        EXPECT_EQ(replay_playing, 0);
    }
}

// Each game draws from a seed of its own; one whose start the reader would refuse is not recorded.
TEST(Replay, EachGameDrawsFromASeedOfItsOwnAndIsRecordedOnlyIfItsFileCanBeRead) {
    const uint32_t first = record_game(quit_at(5, 4)).seed;
    EXPECT_NE(record_game(quit_at(5, 4)).seed, first);
    nav_fighter_fire_timer = 2000000;  // carried in from before, beyond anything a game holds
    start_game_from_ship_select(0);
    display_callback();
    EXPECT_EQ(game_recording(), 0);
    nav_fighter_fire_timer = 0;
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
    game.rules_fingerprint = rules_fingerprint();
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
    good.rules_fingerprint = rules_fingerprint();
    good.build_identity = this_build_identity();  // read as format 1
    good.profile = "pilot";
    capture_replay_start(&good.start);
    good.fighter = selected_ship;
    good.last_frame = 10;
    good.checkpoints = {0x1234};
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
        std::string reason;
    };
    const Case cases[] = {
        {"empty", {}, [](std::string& b) { b.clear(); }, "not a replay file"},
        {"magic", {}, [](std::string& b) { b[3] = 'X'; }, "not a replay file"},
        {"format", {}, [](std::string& b) { b[4] = 3; }, "made in replay format 3, this game reads formats 1 to 2"},
        // Format 1 by its version and build; a text from the file is shown
        // printable and cut before its 49th character. Format 2 by its rules alone.
        {"version", [](Replay& r) { r.format = 1, r.game_version = std::string(47, 'W') + "\xc3\xa9\xc3\xa9"; }, {},
         "made by another version of the game (" + std::string(47, 'W') + "\xc3\xa9)"},
        {"build", [](Replay& r) { r.format = 1, r.build_identity = "arm\x1b[2J\xc2\x9bx\x7f\xffy"; }, {},
         "made by another build of the game (arm?[2J?x??y)"},
        {"rules", [](Replay& r) { r.rules_fingerprint ^= 1; }, {}, "made by a game whose rules differ from this one's"},
        {"fighter", [](Replay& r) { r.fighter = 3; }, {}, "damaged: no such fighter"},
        {"other fighter", [](Replay& r) { r.fighter = (r.fighter + 1) % 3; }, {}, "damaged: the fighter does not match"},
        {"checkpoints", [](Replay& r) { r.checkpoints.push_back(0); }, {},
         "damaged: the checkpoints do not fit the game's length"},
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
        {"largest", {}, [](std::string& b) { b.resize(REPLAY_MAX_BYTES); }, "damaged: bytes after the last record"},
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
    // Another version or compiler with the same rules flies it alike: it plays.
    Replay elsewhere = good;
    elsewhere.game_version = "Korvane Arcade 2031.01.01";
    const std::string other = encode_replay(elsewhere);
    EXPECT_TRUE(decode_replay(reinterpret_cast<const unsigned char*>(other.data()), other.size(), &read, &why)) << why;
}

TEST(Replay, APathThatIsNoRegularFileIsRefusedAtOnce) {
    ScratchDir folder;
    ASSERT_EQ(mkfifo("fifo.kvr", 0600), 0);
    std::filesystem::create_directory("folder.kvr");
    for (const char* path : {"fifo.kvr", "folder.kvr", "/dev/zero"}) {
        EXPECT_FALSE(start_replay_file(path, STATE_HIGH_SCORES));
        EXPECT_EQ(replay_notice, std::string("Replay '") + path + "' refused: not a regular file");
    }
}

// A stick that moves in every frame, the most a game writes: the game goes on
// unrecorded once its file would outgrow the limit, and the longest game the
// recorder keeps comes near that limit and reads back.
TEST(Replay, TheLongestGameTheRecorderKeepsFitsTheReadersLimit) {
    const auto steered_frame = [](long frame) {
        input_stick(frame % 2 ? 0.5 : -0.5, frame % 3 ? 0.25 : -0.25);
        input_stream_frame_begins();
        input_stream_frame_ends();
    };
    long frames = 0;
    for (game_record_begins(); game_recording() && frames < 1000000; ++frames) steered_frame(frames);
    game_record_begins();
    for (long frame = 0; frame + 1 < frames; ++frame) steered_frame(frame);
    ASSERT_EQ(game_record_ends(), 1);
    const std::string file = encode_replay(last_game_record());
    EXPECT_LE(file.size(), REPLAY_MAX_BYTES);
    EXPECT_GT(file.size(), REPLAY_MAX_BYTES - 64);
    Replay read;
    std::string why;
    EXPECT_TRUE(decode_replay(reinterpret_cast<const unsigned char*>(file.data()), file.size(), &read, &why)) << why;
}
