// The game's own pictures against the layout the engine draws over them: the
// screens are drawn by the engine's routines with the generated pictures, and
// where the engine writes text the picture must make room for it (text rows
// on their own band, volume digits as tall as the words, HUD read-outs clear
// of the fighter).
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/screen_state.h"
#include "app/startup.h"
#include "input/screen_keys.h"
#include "menus/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "render/hud.h"
#include "render/textures.h"
#include "stage/world.h"
#include "support/scratch_dir.h"
#include "game_folder_test.h"
#include "test_menu_fixtures.h"
#include "test_sprites_pictures.h"

namespace {

// A window-pixel region of the back buffer, read once.
struct Region {
    int x0 = 0, y0 = 0, w = 0, h = 0;
    std::vector<unsigned char> rgba;
    Region(int left, int bottom, int width, int height) : x0(left), y0(bottom), w(width), h(height) {
        rgba.resize(static_cast<size_t>(w) * h * 4);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x0, y0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    }
    bool contains(int x, int y) const { return x >= x0 && y >= y0 && x < x0 + w && y < y0 + h; }
    // Window pixel (x, y), origin bottom-left.
    Rgb at(int x, int y) const {
        const unsigned char* p = &rgba[(static_cast<size_t>(y - y0) * w + (x - x0)) * 4];
        return {p[0], p[1], p[2]};
    }
};

bool white(const Rgb& c) { return c.r == 255 && c.g == 255 && c.b == 255; }
int brightness(const Rgb& c) { return (c.r + c.g + c.b) / 3; }
int px_x(double x) { return static_cast<int>(x * 800); }
int px_y(double y) { return static_cast<int>(y * 600); }

// Runs of consecutive pixel rows, bottom to top, in which `inked(y)` holds.
struct RowRun {
    int bottom, top;  // inclusive
};
template <typename Inked>
std::vector<RowRun> runs_of_rows(int y0, int y1, Inked inked) {
    std::vector<RowRun> runs;
    for (int y = y0; y < y1; ++y) {
        if (!inked(y)) continue;
        if (!runs.empty() && runs.back().top == y - 1) {
            runs.back().top = y;
        } else {
            runs.push_back(RowRun{y, y});
        }
    }
    return runs;
}

// Draws with the game's own pictures, one state's set loaded as the
// dispatcher does on entering it.
struct GamePicturesTest : GameFolderTest {
    void SetUp() override {
        GameFolderTest::SetUp();
        park_stars();
        profile_name = "pilot";
    }
    static void enter(int state) {
        screen_state = state;
        load_state_textures(state);
    }
};

}  // namespace

// Every text row of the table has a band of its own behind it: one shade from
// the row's baseline to the top of its capitals, the next row in the other shade.
TEST_F(GamePicturesTest, HighScoreBandsSitUnderTheRowsTheEngineWrites) {
    enter(STATE_HIGH_SCORES);
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) {
        high_scores[i].score = 0;
        snprintf(high_scores[i].name, sizeof high_scores[i].name, "%s", "EMPTY");
        high_scores[i].ship = -1;
    }
    begin_frame();
    draw_high_score_screen();
    const Region r(px_x(0.18), px_y(0.22), px_x(0.82) - px_x(0.18), px_y(0.65) - px_y(0.22));
    const std::vector<RowRun> rows = runs_of_rows(r.y0, r.y0 + r.h, [&](int y) {
        for (int x = r.x0; x < r.x0 + r.w; ++x)
            if (white(r.at(x, y))) return true;
        return false;
    });
    ASSERT_EQ(rows.size(), static_cast<size_t>(HIGH_SCORE_PLACES));
    // Columns no text reaches: between the names and the fighters, right of the scores.
    const int free_columns[] = {px_x(0.40), px_x(0.75)};
    std::vector<Rgb> shade;
    for (const RowRun& row : rows) {
        const Rgb middle = r.at(free_columns[0], (row.bottom + row.top) / 2);
        for (int x : free_columns)
            for (int y = row.bottom; y <= row.top; ++y)
                EXPECT_TRUE(near(r.at(x, y), middle, 3))
                    << "text row " << row.bottom << ".." << row.top << " at " << x << ", " << y << ": " << r.at(x, y)
                    << " vs " << middle;
        shade.push_back(middle);
    }
    for (size_t i = 0; i + 1 < shade.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "rows " << i << " and " << i + 1);
        EXPECT_GT(std::abs(brightness(shade[i]) - brightness(shade[i + 1])), 8) << "neighbours alike";
        if (i + 2 < shade.size()) {
            EXPECT_TRUE(near(shade[i], shade[i + 2], 3)) << "every other row alike";
        }
    }
}

// Each value of the settings menu (on / off, the volume digits, the video
// mode) stands on its row's baseline at the height of the row's label.
TEST_F(GamePicturesTest, SettingsValuesShareTheLabelsHeightAndBaseline) {
    enter(STATE_SETTINGS);
    settings_cursor = 6;  // every row with a value drawn dim, as the labels
    restart_notice = 0;
    fullscreen = 0;
    auto ink = [](const Region& r, int x0, int x1, int y) {
        for (int x = x0; x < x1; ++x)
            if (brightness(r.at(x, y)) > 90) return true;
        return false;
    };
    // Rows 1..5 by the label they show; each volume digit in turn in rows 3 and 4.
    for (int digit = 0; digit <= 9; ++digit) {
        SCOPED_TRACE(testing::Message() << "volume " << digit);
        sfx = digit % 2;
        music = 1 - digit % 2;
        sfxvol = digit;
        musicvol = 9 - digit;
        begin_frame();
        draw_settings_menu();
        const Region r(0, px_y(0.44), 800, px_y(0.71) - px_y(0.44));
        const std::vector<RowRun> labels =
            runs_of_rows(r.y0, r.y0 + r.h, [&](int y) { return ink(r, px_x(0.29), px_x(0.66), y); });
        ASSERT_EQ(labels.size(), 5u) << "labels of rows 1 to 5";
        for (const RowRun& label : labels) {
            const std::vector<RowRun> value = runs_of_rows(label.bottom - 8, label.top + 8, [&](int y) {
                return y >= r.y0 && y < r.y0 + r.h && ink(r, px_x(0.69), 800, y);
            });
            ASSERT_EQ(value.size(), 1u) << "one value beside the label at " << label.bottom;
            EXPECT_NEAR(value[0].bottom, label.bottom, 1) << "baseline";
            EXPECT_NEAR(value[0].top, label.top, 1) << "height";
        }
    }
}

// The shield and damage read-outs around the HUD's fighter picture fall on
// clear space: no pixel of the fighter next to their letters.
TEST_F(GamePicturesTest, HudReadoutsAroundTheFighterStayClearOfIt) {
    using namespace stage_pictures;
    enter(STATE_NAV2);
    for (int ship = 0; ship < 3; ++ship) {
        SCOPED_TRACE(testing::Message() << "fighter " << ship);
        zero_world();
        selected_ship = ship;
        fresh_player(ship, 0.4, 0.1);
        message_timer = 0;
        // A diagram as the engine draws it, and the same without the fighter.
        auto draw = [] {
            begin_frame();
            draw_hud();
            return Region(px_x(0.87), px_y(0.2), px_x(1.0) - px_x(0.87), px_y(0.37) - px_y(0.2));
        };
        const Region with_fighter = draw();
        {
            ScratchDir dir;
            std::vector<unsigned char> clear(64 * 64 * 4, 0);
            write_tga("clear.tga", 64, 64, 32, clear.data());
            load_tga_texture("clear.tga", ship);
        }
        const Region without = draw();
        load_state_textures(STATE_NAV2);
        int crowded = 0, text = 0, fighter = 0;
        for (int y = with_fighter.y0; y < with_fighter.y0 + with_fighter.h; ++y)
            for (int x = with_fighter.x0; x < with_fighter.x0 + with_fighter.w; ++x) {
                text += white(with_fighter.at(x, y));
                // A pixel the fighter visibly changes must not touch a letter.
                if (near(with_fighter.at(x, y), without.at(x, y), 24)) continue;
                ++fighter;
                bool touches_letter = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        touches_letter = touches_letter || (with_fighter.contains(x + dx, y + dy) &&
                                                             white(with_fighter.at(x + dx, y + dy)));
                crowded += touches_letter;
            }
        EXPECT_GT(text, 100) << "the read-outs are drawn";
        EXPECT_GT(fighter, 300) << "the fighter is drawn";
        EXPECT_EQ(crowded, 0) << "fighter pixels touching the read-outs";
    }
}
