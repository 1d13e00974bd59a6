// The wording of every text of a stage: each is compared, pixel for pixel,
// with the expected words drawn alone in the same font at the same place.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/game_values.h"
#include "app/screen_state.h"
#include "persist/high_scores.h"
#include "render/hud.h"
#include "stage/frames.h"
#include "test_menu_fixtures.h"
#include "test_sprites_pictures.h"

using namespace stage_pictures;

namespace {

void* const H10 = GLUT_BITMAP_HELVETICA_10;
void* const H12 = GLUT_BITMAP_HELVETICA_12;
const Rgb WHITE = rgb(1, 1, 1);

struct StageTextTest : testing::Test {
    void SetUp() override {
        // Dark pictures: nothing but text is white.
        for (int id : {0, 1, 2, 7, 9, 513, 514, 515, 516}) load_solid(id, 40, 40, 40);
        zero_world();
        park_every_particle();
        park_stars();
        fresh_player(0, 0.4, 0.6);  // a Pilvet: hull 80, shields 200, energy 100
        set_game_start_values();
        stage_title_fade = 0;
        stage_started = 1;
        textures_loaded = 1;
        music_started = 1;
        nav_timer_running = 1;
        bonus_pending = 0;
        bonus_awarded = 1;
        nav_kills_left = 0;
        begin_frame();
    }
};

}  // namespace

TEST_F(StageTextTest, HudReadoutsAndGunNamesForEveryGunMode) {
    struct Case {
        int mode;
        std::vector<TextAt> guns;
    } cases[] = {
        {GUN_MODE_LASER, {{0.91f, 0.72f, H10, "Laser Guns"}}},
        {GUN_MODE_ION, {{0.91f, 0.72f, H10, "Ion Guns"}}},
        {GUN_MODE_NEUTRON, {{0.91f, 0.72f, H10, "Neutron Guns"}}},
        {GUN_MODE_LASER_ION, {{0.91f, 0.72f, H10, "Laser Guns"}, {0.91f, 0.705f, H10, "Ion Guns"}}},
        {GUN_MODE_LASER_NEUTRON, {{0.91f, 0.72f, H10, "Laser Guns"}, {0.91f, 0.705f, H10, "Neutron Guns"}}},
    };
    for (const Case& c : cases) {
        score = 12345;
        player.hull = 50;  // 37.5 % damage
        player.gun_energy = 45.5;
        // Shields low enough to draw no pips, and halves so that truncation shows.
        player.shield[1] = 9, player.shield[2] = 7, player.shield[3] = 5, player.shield[4] = 3;
        gun_mode = c.mode;
        begin_frame();
        draw_hud();
        std::vector<TextAt> texts = {
            {0.88f, 0.87f, H12, "12345"},      {0.89f, 0.22f, H10, "dmg:           37%"},
            {0.925f, 0.32f, H10, "4%"},        {0.925f, 0.25f, H10, "3%"},
            {0.905f, 0.285f, H10, "2%"},       {0.945f, 0.285f, H10, "1%"},
            {0.959f, 0.414f, H10, "45%"},      {0.91f, 0.68f, H10, "No Missiles"},
        };
        texts.insert(texts.end(), c.guns.begin(), c.guns.end());
        EXPECT_TRUE(shows_exactly(WHITE, 1, 1, 1, {672, 100, 800, 560}, texts)) << "gun mode " << c.mode;
    }
}

TEST_F(StageTextTest, TheNoticeLineIsTheMessageAsWritten) {
    snprintf(message_text, sizeof message_text, "%s", "Stars Enabled");
    message_timer = 5;
    draw_hud();
    EXPECT_TRUE(shows_exactly(WHITE, 1, 1, 1, {0, 0, 400, 40}, {{0.01f, 0.02f, H12, "Stars Enabled"}}));
}

TEST_F(StageTextTest, EnemiesLeftLineOfNavTwo) {
    screen_state = STATE_NAV2;
    hud_offset = 0.26;  // the panel is still outside: the whole line shows
    nav_kills_left = 7;
    frame_nav2();
    EXPECT_TRUE(shows_exactly(WHITE, 1, 1, 1, {400, 0, 800, 40},
                              {{0.59f, 0.02f, H12, "Enemies left to destroy in this NAV: 7"}}));

    // A count an earlier game's NAV 2 left behind is no line of NAV 1's.
    begin_frame();
    screen_state = STATE_NAV1;
    frame_nav1();
    EXPECT_EQ(pixels_of(WHITE, {400, 0, 800, 40}), 0);
}

TEST_F(StageTextTest, ResultsLinesByAccuracyDamageAndNav) {
    struct Case {
        const char* what;
        int state, hit, missed, hull, destroyed, completed;
        std::vector<TextAt> texts;
    } cases[] = {
        {"NAV 1, 95 %, no damage", STATE_NAV1, 19, 1, 80, 0, 1,
         {{0.435f, 0.45f, H10, "ACCURACY: 95.00%"},
          {0.405f, 0.42f, H10, "NO DAMAGE BONUS: + 1.000"},
          {0.405f, 0.39f, H10, "ACCURACY BONUS: + 1.000"},
          {0.435f, 0.35f, H10, "TOTAL SCORE: 4321"}}},
        {"NAV 1, 75 %, damaged", STATE_NAV1, 3, 1, 70, 0, 1,
         {{0.435f, 0.45f, H10, "ACCURACY: 75.00%"},
          {0.405f, 0.39f, H10, "ACCURACY BONUS:   + 500"},
          {0.435f, 0.35f, H10, "TOTAL SCORE: 4321"}}},
        {"NAV 2, no shot, damaged, a new high score", STATE_NAV2, 0, 0, 70, 0, 1,
         {{0.435f, 0.45f, H10, "ACCURACY: 0.00%"},
          {0.435f, 0.35f, H10, "TOTAL SCORE: 4321"},
          {0.395f, 0.30f, H10, "You Have A New Highscore! Place: 1"}}},
        {"NAV 1, destroyed with a high score", STATE_NAV1, 0, 0, 70, 1, 0,
         {{0.31f, 0.45f, H10, "You Have A New Highscore! Place: 1"}}},
    };
    for (const Case& c : cases) {
        SetUp();  // a fresh stage for each case
        screen_state = c.state;
        hud_offset = 0.26;
        score = 4321;
        shots_hit = c.hit;
        shots_missed = c.missed;
        player.hull = c.hull;
        player_destroyed = c.destroyed;
        nav_completed = c.completed;
        outro_timer = 100;
        nav_timer = c.completed ? -1 : 300;
        begin_frame();
        if (c.state == STATE_NAV1) frame_nav1();
        else frame_nav2();
        EXPECT_TRUE(shows_exactly(WHITE, 1, 1, 1, {200, 160, 600, 290}, c.texts)) << c.what;
    }
}
