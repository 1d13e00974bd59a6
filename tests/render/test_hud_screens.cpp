// The stage as the game draws it, with the game's own pictures: the real
// set-ups and frames play a few scenes, the HUD's texts must stay readable on
// the panel picture, and each scene is kept as a picture under the build tree
// (build/screenshots/) for the documentation.
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_values.h"
#include "app/screen_state.h"
#include "combat/guns.h"
#include "platform/random.h"
#include "render/hud.h"
#include "render/sprites.h"
#include "render/starfield.h"
#include "render/textures.h"
#include "stage/frames.h"
#include "stage/setup.h"
#include "stage/stage_screen.h"
#include "stage/world.h"
#include "game_folder_test.h"
#include "test_sprites_pictures.h"

using namespace stage_pictures;

namespace {

const std::string SCREENSHOT_DIR = std::string(BUILD_DIR) + "/screenshots";

// The back buffer as a PNG (through netpbm, as the end-to-end screenshots are).
void save_screen(const std::string& name) {
    mkdir(SCREENSHOT_DIR.c_str(), 0755);
    std::vector<unsigned char> p(800 * 600 * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, p.data());
    const std::string ppm = SCREENSHOT_DIR + "/" + name + ".ppm";
    FILE* f = fopen(ppm.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fprintf(f, "P6 800 600 255\n");
    for (int row = 599; row >= 0; --row) fwrite(&p[static_cast<size_t>(row) * 800 * 3], 1, 800 * 3, f);
    fclose(f);
    const std::string png = SCREENSHOT_DIR + "/" + name + ".png";
    if (system(("pnmtopng '" + ppm + "' > '" + png + "' 2>/dev/null").c_str()) == 0) remove(ppm.c_str());
}

// Text on a picture is readable when it is there and the picture behind it is
// dark enough: few bright pixels in the text's box besides the text's own.
struct Legibility {
    int text = 0, bright_background = 0, background = 0;
};
Legibility legibility(double x, double y, int width) {
    const int x0 = static_cast<int>(x * 800), y0 = static_cast<int>(y * 600) - 2;
    const int w = width, h = 13;
    std::vector<unsigned char> p(static_cast<size_t>(w) * h * 4);
    glReadPixels(x0, y0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    Legibility l;
    for (size_t i = 0; i < p.size(); i += 4) {
        if (p[i] == 255 && p[i + 1] == 255 && p[i + 2] == 255) {
            ++l.text;
            continue;
        }
        ++l.background;
        if (0.3 * p[i] + 0.59 * p[i + 1] + 0.11 * p[i + 2] > 150) ++l.bright_background;
    }
    return l;
}

struct StageScreensTest : GameFolderTest {
    void SetUp() override {
        GameFolderTest::SetUp();
        if (HasFatalFailure()) return;
        reset_game();  // a new game, as the main menu would start it
        zero_world();
        seed_rand15(11);
        init_starfield();
        seed_rand15(11);
        set_game_start_values();
        music_started = 1;
    }

    // What the dispatcher does on entering a stage state.
    static void enter(int state) {
        screen_state = state;
        load_state_textures(state);
        if (state == STATE_NAV1) setup_nav1();
        if (state == STATE_NAV2) setup_nav2();
        textures_loaded = 1;
    }
    // One frame of the running stage, as the dispatcher runs it, left in the back buffer.
    static void frame() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        frame_stage_screen();
        glFlush();
    }
    // Plays on, firing now and then, until `ready` holds after a frame; false
    // if it never does. The pilot stays in one piece: a rock that rams it
    // would end the scene before it is set.
    template <typename Ready>
    static bool play_until(Ready ready, int most_frames, bool unbreakable = true) {
        for (int f = 0; f < most_frames; ++f) {
            if (unbreakable && player_destroyed == 0) player.hull = player.hull_max;
            if (f % 6 == 0 && nav_completed == 0 && player_destroyed == 0) fire_guns();
            frame();
            if (ready()) return true;
        }
        return false;
    }
    static bool rocks_on_screen() {
        int seen = 0;
        for (int i = 0; i < NAV1_FLEET_SIZE; ++i)
            if (enemies[i].active == 1 && enemies[i].y < 0.9 && enemies[i].y > 0.2) ++seen;
        return seen >= 2;
    }
    static bool shots_in_flight() {
        for (const Projectile& s : player_shots)
            if (s.active == 1) return true;
        return false;
    }
};

}  // namespace

TEST_F(StageScreensTest, NavOneInPlayWithReadableHud) {
    selected_ship = 0;
    enter(STATE_NAV1);
    int sparks_seen_at = hit_spark_ring;
    ASSERT_TRUE(play_until(
        [&] {
            const bool fresh_sparks = hit_spark_ring != sparks_seen_at;
            sparks_seen_at = hit_spark_ring;
            return hud_offset == 0.0 && player_destroyed == 0 && score > 0 && fresh_sparks && rocks_on_screen() &&
                   shots_in_flight();
        },
        1200));
    snprintf(message_text, sizeof message_text, "%s", "Guns switched");
    message_timer = 10;
    frame();
    save_screen("nav1_play");

    struct Text {
        const char* what;
        double x, y;
        int width;
    } texts[] = {
        {"score", 0.88, 0.87, 60},        {"damage", 0.89, 0.22, 88},       {"energy", 0.959, 0.414, 30},
        {"gun name", 0.91, 0.72, 60},     {"missiles", 0.91, 0.68, 60},     {"front shield", 0.925, 0.32, 28},
        {"rear shield", 0.925, 0.25, 28}, {"left shield", 0.905, 0.285, 20}, {"right shield", 0.945, 0.285, 24},
    };
    for (const Text& t : texts) {
        const Legibility l = legibility(t.x, t.y, t.width);
        EXPECT_GT(l.text, 8) << t.what;
        EXPECT_LT(l.bright_background * 10, l.background) << t.what << ": the picture behind is too bright";
    }
    EXPECT_GT(legibility(0.01, 0.02, 100).text, 20) << "notice";
}

TEST_F(StageScreensTest, NavTwoWithTheEnemyFighterAndItsVolley) {
    selected_ship = 1;
    enter(STATE_NAV1);
    setup_player();
    stage_started = 1;
    enter(STATE_NAV2);
    ASSERT_TRUE(play_until(
        [] {
            int enemy_shots_in_flight = 0;
            for (const Projectile& s : enemy_shots) enemy_shots_in_flight += s.active;
            return hud_offset == 0.0 && player_destroyed == 0 && nav_fighter.y < 0.85 && enemy_shots_in_flight >= 2;
        },
        600));
    save_screen("nav2_play");
    EXPECT_GT(legibility(0.59, 0.02, 200).text, 50) << "the enemies-left line";
    EXPECT_GT(legibility(0.84, 0.02, 20).text, 10) << "the count, where the line runs under the panel";
}

TEST_F(StageScreensTest, ResultsWithBonusesThenNavTwo) {
    selected_ship = 2;
    enter(STATE_NAV1);
    ASSERT_TRUE(play_until([] { return hud_offset == 0.0 && stage_title_fade <= 0; }, 200));
    nav_timer = 1495;  // the last frames of the NAV
    ASSERT_TRUE(play_until([] { return nav_completed == 1; }, 10));
    shots_hit = 19;  // 95 %: the results of the next frame pay both bonuses
    shots_missed = 1;
    const int score_at_completion = score;
    ASSERT_TRUE(play_until([] { return outro_timer == 190; }, 100));  // bonus counting, panel leaving
    save_screen("nav1_results");
    EXPECT_GT(legibility(0.405, 0.42, 120).text, 40) << "no-damage bonus";
    EXPECT_GT(legibility(0.405, 0.39, 120).text, 40) << "accuracy bonus";

    ASSERT_TRUE(play_until([] { return screen_state == STATE_NAV2; }, 200));
    EXPECT_EQ(score, score_at_completion + 2000);
    EXPECT_EQ(textures_loaded, 0);
}

TEST_F(StageScreensTest, GameOver) {
    selected_ship = 0;
    enter(STATE_NAV1);
    ASSERT_TRUE(play_until([] { return hud_offset == 0.0 && rocks_on_screen(); }, 400));
    player.hull = 0;
    ASSERT_TRUE(play_until([] { return player_destroyed == 1 && outro_timer == 135; }, 30, false));
    save_screen("stage_game_over");
    EXPECT_TRUE(near(pixel_at(0.94, 0.29), rgb(0.1, 0.1, 0.1), 30)) << "dark fighter picture";
}

TEST_F(StageScreensTest, QuitPrompt) {
    selected_ship = 1;
    enter(STATE_NAV1);
    ASSERT_TRUE(play_until([] { return hud_offset == 0.0 && rocks_on_screen(); }, 400));
    paused_state = screen_state;
    screen_state = STATE_QUIT_OVERLAY;
    frame();
    save_screen("stage_quit");
    EXPECT_GT(lit_pixels(280, 285, 395, 310), 500) << "the prompt on the playfield";
}
