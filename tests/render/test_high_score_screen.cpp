// The high-score screen: ten rows of place, name, fighter and score in front
// of the frame picture.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/screen_state.h"
#include "app/startup.h"
#include "menus/screens.h"
#include "persist/high_scores.h"
#include "test_menu_fixtures.h"

namespace {

// The table area: from below place 10's descenders to above place 1's capitals.
const PixelBox TABLE_BOX = {190, 196, 800, 326};

struct Row {
    std::string name, fighter, score;
};

// The texts the table should show, drawn the way the screen draws them.
std::vector<TextAt> table_texts(const std::vector<Row>& rows) {
    std::vector<TextAt> texts;
    auto y = [](int i) { return 0.52f - 0.02f * i; };
    for (int i = 0; i < 10; ++i) texts.push_back({0.25f, y(i), GLUT_BITMAP_HELVETICA_12, std::to_string(i + 1)});
    for (int i = 0; i < 10; ++i) texts.push_back({0.27f, y(i), GLUT_BITMAP_HELVETICA_12, ". " + rows[i].name});
    for (int i = 0; i < 10; ++i) texts.push_back({0.47f, y(i), GLUT_BITMAP_HELVETICA_12, rows[i].fighter});
    for (int i = 0; i < 10; ++i) texts.push_back({0.63f, y(i), GLUT_BITMAP_HELVETICA_12, rows[i].score});
    return texts;
}

void set_entry(int i, int score, const char* name, int ship) {
    high_scores[i].score = score;
    snprintf(high_scores[i].name, sizeof high_scores[i].name, "%s", name);
    high_scores[i].ship = ship;
}

// The table as it stands with no settings file.
void empty_table() {
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) set_entry(i, 0, "EMPTY", -1);
}

struct HighScoreScreenTest : testing::Test {
    MenuPictures pictures{0, 1};
    void SetUp() override {
        screen_state = STATE_HIGH_SCORES;
        profile_name = "pilot";
        park_stars();
        empty_table();
    }
    void draw() {
        begin_frame();
        glEnable(GL_TEXTURE_2D);  // as a picture-drawing frame before may have left it
        draw_high_score_screen();
    }
};

}  // namespace

TEST_F(HighScoreScreenTest, AnEmptyTableShowsPlacesEmptyNamesNoFighterAndZero) {
    draw();
    std::vector<Row> rows(10, Row{"EMPTY", "", "0"});
    EXPECT_TRUE(shows_exactly(rgb(1, 1, 1), 1, 1, 1, TABLE_BOX, table_texts(rows)));
}

TEST_F(HighScoreScreenTest, FightersByShipAndNoneForUnknownShips) {
    set_entry(0, 9000, "ace", 0);
    set_entry(1, 4200, "wing", 1);
    set_entry(2, 1200, "heavy", 2);
    set_entry(3, 800, "edited", 3);  // ship values a hand-edited file may hold
    set_entry(4, 500, "odd", 99);
    set_entry(5, -40, "minus", -7);   // and a negative score keeps its sign
    draw();
    std::vector<Row> rows(10, Row{"EMPTY", "", "0"});
    rows[0] = {"ace", "Pilvet", "9000"};
    rows[1] = {"wing", "Vesker", "4200"};
    rows[2] = {"heavy", "Brantor", "1200"};
    rows[3] = {"edited", "", "800"};
    rows[4] = {"odd", "", "500"};
    rows[5] = {"minus", "", "-40"};
    EXPECT_TRUE(shows_exactly(rgb(1, 1, 1), 1, 1, 1, TABLE_BOX, table_texts(rows)));
}

TEST_F(HighScoreScreenTest, NamesAndFightersNeedNoScoreReads) {
    // The name and fighter columns come from the table itself.
    set_entry(0, 0, "EMPTY", -1);
    set_entry(1, 0, "wing", 1);
    draw();
    const PixelBox place_1_fighter = {376, 309, 504, 324};
    const PixelBox place_2_fighter = {376, 297, 504, 309};
    EXPECT_EQ(pixels_of(rgb(1, 1, 1), place_1_fighter), 0) << "ship -1 names no fighter";
    EXPECT_GT(pixels_of(rgb(1, 1, 1), place_2_fighter), 20) << "ship 1 names one";
}

TEST_F(HighScoreScreenTest, ALongNameIsCutToTheRowBuffer) {
    const std::string longest(31, 'n');  // what the table's name store holds
    set_entry(0, 10, longest.c_str(), -1);
    draw();
    std::vector<Row> rows(10, Row{"EMPTY", "", "0"});
    rows[0] = {longest.substr(0, 29), "", "10"};
    EXPECT_TRUE(shows_exactly(rgb(1, 1, 1), 1, 1, 1, TABLE_BOX, table_texts(rows)));
}

TEST_F(HighScoreScreenTest, ANameWithoutItsEndIsReadOnlyToTheStoreEnd) {
    memset(high_scores[0].name, 'x', sizeof high_scores[0].name);  // no terminator
    draw();  // a sanitizer build reports a read past the entry
    EXPECT_GT(pixels_of(rgb(1, 1, 1), {216, 309, 600, 324}), 0);
}

TEST_F(HighScoreScreenTest, TextStaysInFrontOfTheFrameWhichIsDim) {
    draw();
    EXPECT_TRUE(near(pixel_at(0.5, 0.80), tinted(0, 0.7))) << "banner";
    EXPECT_TRUE(near(pixel_at(0.2, 0.6), tinted(1, 0.7))) << "frame, dim like the banner";
    EXPECT_TRUE(near(pixel_at(0.8, 0.25), tinted(1, 0.7)));
    EXPECT_EQ(pixel_at(0.17, 0.6), rgb(0, 0, 0)) << "frame ends at 0.18";
    EXPECT_GT(pixels_of(rgb(1, 1, 1), TABLE_BOX), 100) << "white text inside the frame";
}

TEST_F(HighScoreScreenTest, StatusLineAndHint) {
    draw();
    EXPECT_TRUE(shows_exactly(hint_colour(), 1.0, 0.7, 0.7, {0, 0, 800, 40},
                              {{0.01f, 0.01f, GLUT_BITMAP_TIMES_ROMAN_10, "active profile: pilot"},
                               {0.84f, 0.01f, GLUT_BITMAP_TIMES_ROMAN_10, "version: 2008.02.09 PD [Wii]"},
                               {0.29f, 0.035f, GLUT_BITMAP_TIMES_ROMAN_10,
                                "Press [esc] or any action button on the Wii-mote to return to the main menu"}}));
}
