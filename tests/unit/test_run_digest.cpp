// The run digest: the soak's random player plays 20 000 unpaced frames from a
// fixed seed, and every frame's world, screen and menu values, together with
// every sound and song file played, feed one hash. A change meant to leave the
// game's behaviour alone must leave this digest exactly as it was; a change
// that alters behaviour on purpose records the new value here and says why.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/game_values.h"
#include "app/screen_state.h"
#include "input/input_stream.h"
#include "input/wiimote_events.h"
#include "stage/rules_fingerprint.h"
#include "stage/world_digest.h"
#include "support/soak_player.h"

namespace {

// The world's own hash, extended with the values outside it: the intro's fade
// and the texts (the table's names, the song's path, the notice line).
struct RunHash : WorldHash {
    using WorldHash::add;
    void add(float v) { add(static_cast<double>(v)); }
    void add(const char* text) {
        for (const char* c = text; *c; ++c) word(static_cast<unsigned char>(*c));
        word(0);
    }
};

constexpr unsigned SEED = 7031;
constexpr long FRAMES = 20000;
// Recorded when the game got a generator of its own and a seed per game, the
// digest took in the remote and the pad, and a device's lost steering fell
// back to the arrow keys still held (the pad's stick pressing again only on an
// axis at rest).
constexpr uint64_t EXPECTED_DIGEST = 0xc114f10fa50a2f81ull;

// The rules' fingerprint (stage/rules_fingerprint.h) moves with the world's
// rules alone, and with it which replays this build plays: a change to them
// on purpose records the new value here and says so; any other change must
// leave it. Recorded when replays began to be judged by it.
constexpr uint64_t EXPECTED_RULES_FINGERPRINT = 0xb05fe6954d972715ull;

RunHash run_hash;
void hear(const char* path) { run_hash.add(path); }

// Everything outside the world that a frame or a key may change, in the
// list's hashing order.
void hash_screens() {
#define HASH_INT(name, start) run_hash.add(static_cast<int32_t>(::name));
#define HASH_TEXT(name, start) run_hash.add(static_cast<const char*>(::name));  // the text, not what lingers after it
#define HASH_REAL(name, start) run_hash.add(::name);
#define SKIP(name, start)
    GAME_VALUES(HASH_INT, SKIP, SKIP)
    GAME_VALUES(SKIP, HASH_TEXT, SKIP)
    GAME_VALUES(SKIP, SKIP, HASH_REAL)
#undef HASH_INT
#undef HASH_TEXT
#undef HASH_REAL
#undef SKIP
    for (const HighScoreEntry& entry : high_scores) {
        run_hash.add(static_cast<int32_t>(entry.score));
        run_hash.add(entry.name);
        run_hash.add(static_cast<int32_t>(entry.ship));
    }
}

// The remote's and the pad's input, through the input stream as the devices
// send it: in stages, a stretch of remote tilt (ended by the remote's loss) and
// a stretch of the pad's stick (ended by letting go) in every 2 000 frames.
void steer_by_remote_and_pad(long frame) {
    if (!in_stage_range(screen_state)) return;
    const long stretch = frame / 500 % 4;  // keys alone, remote, keys alone, pad
    if (stretch == 1) {
        RemoteNotice report{};
        report.kind = REMOTE_REPORT;
        report.state = WIIUSE_STATE_ORIENTATION;
        report.pitch = static_cast<float>(30 * sin(frame * 0.05));
        report.roll = static_cast<float>(20 * cos(frame * 0.03));
        apply_remote_notice(report);
    }
    if (stretch == 2 && frame % 500 == 0) apply_remote_notice(RemoteNotice{REMOTE_DISCONNECT, 0, 0, 0, 0, 0, 0, 1});
    if (stretch == 3) input_stick(0.6 * sin(frame * 0.04), 0.4 * cos(frame * 0.02));
    if (stretch == 0 && frame % 500 == 0) input_stick(0.0, 0.0);
}

struct RunDigestTest : SeededRunTest {
    void SetUp() override { start_seeded_run("digest pilot", SEED); }
    void TearDown() override {
        sound_file_watcher = nullptr;
        glutReshapeWindow(800, 600);
        glutMainLoopEvent();
        SeededRunTest::TearDown();
    }
};

}  // namespace

TEST_F(RunDigestTest, SeededRandomRunLeavesTheRecordedDigest) {
    Tally tally;
    SoakPlayer player_keys(tally, SEED);
    run_hash = RunHash{};
    sound_file_watcher = hear;
    // The digest reads no pixel: a one-pixel window spares the software
    // renderer the filling and the X server the copying of 20 000 frames, and
    // no rule of the game sees the window's size.
    glutDisplayFunc([] {});  // the toolkit asks for one before it handles the resize
    glutReshapeWindow(1, 1);
    glutMainLoopEvent();
    long losses = 0, games_ended = 0;
    for (long frame = 0; frame < FRAMES; ++frame) {
        player_keys.act();
        steer_by_remote_and_pad(frame);
        const int destroyed = player_destroyed;
        const bool playing = in_stage_range(screen_state) || screen_state == STATE_QUIT_OVERLAY;
        display_callback();
        if (destroyed == 0 && player_destroyed == 1) ++losses;
        if (playing && screen_state == STATE_MAIN_MENU) ++games_ended;
        hash_world(run_hash);
        hash_screens();
    }
    printf("run digest 0x%016" PRIx64 ": %ld games, %ld losses, %ld ended by the frame, %ld overlay quits\n",
           run_hash.value, tally.games_started, losses, games_ended, tally.overlay_quits);
    // A digest is only worth keeping if the run went through games and their endings.
    EXPECT_GT(tally.games_started, 3);
    EXPECT_GT(losses, 0);
    EXPECT_GT(games_ended, 0);
    EXPECT_EQ(run_hash.value, EXPECTED_DIGEST);
}

TEST_F(RunDigestTest, TheRulesFingerprintIsTheRecordedOne) {
    glutDisplayFunc([] {});  // the fixture's end lets the toolkit draw once
    EXPECT_EQ(rules_fingerprint(), EXPECTED_RULES_FINGERPRINT) << std::hex << rules_fingerprint();
}
