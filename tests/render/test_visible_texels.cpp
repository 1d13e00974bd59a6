// Pictures drawn only around their visible texels (a scissor box) must give
// the very pixels the whole quad gives: every screen, and pictures placed at
// odd sizes and offsets, are drawn both ways and compared byte for byte.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/game_values.h"
#include "app/screen_state.h"
#include "app/startup.h"
#include "input/screen_keys.h"
#include "menus/screens.h"
#include "render/hud.h"
#include "render/picture.h"
#include "render/sprites.h"
#include "render/starfield.h"
#include "render/text.h"
#include "render/textures.h"
#include "render/visible_texels.h"
#include "stage/world.h"
#include "stage/world_snapshot.h"
#include "game_folder_test.h"
#include "test_sprites_pictures.h"

using namespace stage_pictures;

namespace {

// An 8x8 32-bit picture, clear but for the texels listed (column, row, alpha).
struct Texel {
    int column, row, alpha;
};
TgaPicture picture_with(int depth, std::initializer_list<Texel> texels) {
    TgaPicture picture;
    picture.width = picture.height = 8;
    picture.depth = depth;
    picture.pixels.assign(static_cast<size_t>(8 * 8 * depth / 8), 0);
    for (const Texel& t : texels) {
        const size_t at = (static_cast<size_t>(t.row) * 8 + t.column) * (depth / 8);
        picture.pixels[at + depth / 8 - 1] = static_cast<unsigned char>(t.alpha);
    }
    return picture;
}

std::vector<unsigned char> whole_back_buffer() {
    std::vector<unsigned char> rgba(800 * 600 * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

// Draws `frame` with whole quads and again clipped, from the same stars and
// counters, and tells how many pixels differ.
template <typename Frame>
int pixels_changed_by_clipping(Frame frame) {
    static Star stars[STAR_COUNT];
    memcpy(stars, starfield, sizeof starfield);
    GameValues counters;
    save_game_values(counters);
    std::vector<unsigned char> frames[2];
    for (int clip = 0; clip <= 1; ++clip) {
        memcpy(starfield, stars, sizeof starfield);
        restore_game_values(counters);
        clip_to_visible_pixels = clip;
        begin_frame();
        glEnable(GL_TEXTURE_2D);
        frame();
        frames[clip] = whole_back_buffer();
    }
    clip_to_visible_pixels = 1;
    int changed = 0;
    for (size_t i = 0; i < frames[0].size(); i += 4) changed += memcmp(&frames[0][i], &frames[1][i], 3) != 0;
    return changed;
}

}  // namespace

TEST(VisibleTexels, AreaCoversEveryTexelThatCanPassWithItsFilteringNeighbour) {
    const double t = 1.0 / 8;  // one texel
    struct Case {
        const char* what;
        TgaPicture picture;
        VisibleArea expected;
    } cases[] = {
        {"all clear", picture_with(32, {}), {0, 0, 0, 0, true}},
        {"clear below the test's reference", picture_with(32, {{4, 4, 24}}), {0, 0, 0, 0, true}},
        {"one texel", picture_with(32, {{3, 4, 255}}), {2 * t, 3 * t, 5 * t, 6 * t, false}},
        {"a texel just at the reference", picture_with(32, {{3, 4, 25}}), {2 * t, 3 * t, 5 * t, 6 * t, false}},
        {"a span", picture_with(32, {{2, 2, 255}, {5, 3, 90}}), {1 * t, 1 * t, 7 * t, 5 * t, false}},
        {"near the left edge: wraps", picture_with(32, {{1, 4, 255}}), {0, 3 * t, 1, 6 * t, false}},
        {"near the top edge: wraps", picture_with(32, {{4, 6, 255}}), {3 * t, 0, 6 * t, 1, false}},
        {"an 8-bit mask", picture_with(8, {{3, 4, 255}}), {2 * t, 3 * t, 5 * t, 6 * t, false}},
        {"no alpha", picture_with(24, {}), WHOLE_PICTURE},
    };
    for (const Case& c : cases) {
        const VisibleArea area = visible_area_of(c.picture);
        EXPECT_EQ(area.empty, c.expected.empty) << c.what;
        if (area.empty || c.expected.empty) continue;
        EXPECT_DOUBLE_EQ(area.u0, c.expected.u0) << c.what;
        EXPECT_DOUBLE_EQ(area.v0, c.expected.v0) << c.what;
        EXPECT_DOUBLE_EQ(area.u1, c.expected.u1) << c.what;
        EXPECT_DOUBLE_EQ(area.v1, c.expected.v1) << c.what;
    }
}

// A picture with a small soft blot, drawn shrunk, enlarged, mirrored and at
// sub-pixel offsets, and tinted: the clipped drawing keeps every pixel.
TEST(VisibleTexels, PlacementsAtAnySizeAndOffsetKeepEveryPixel) {
    ScratchDir dir;
    std::vector<unsigned char> bgra(32 * 32 * 4, 0);
    for (int row = 12; row < 19; ++row)
        for (int column = 9; column < 21; ++column) {
            unsigned char* p = &bgra[(static_cast<size_t>(row) * 32 + column) * 4];
            p[0] = 200, p[1] = static_cast<unsigned char>(column * 8), p[2] = 90;
            p[3] = static_cast<unsigned char>(row == 12 || column == 9 ? 40 : 255);  // a soft rim
        }
    for (int row = 26; row < 30; ++row)  // a haze too faint for the alpha test, away from the blot
        for (int column = 24; column < 30; ++column) {
            unsigned char* p = &bgra[(static_cast<size_t>(row) * 32 + column) * 4];
            p[0] = p[1] = p[2] = 255;
            p[3] = 20;
        }
    write_tga("blot.tga", 32, 32, 32, bgra.data());
    ASSERT_EQ(load_tga_texture("blot.tga", 40), TGA_LOADED);
    ASSERT_FALSE(visible_area(40).u0 == 0.0 && visible_area(40).u1 == 1.0) << "the blot must leave a margin to cut";
    struct Placement {
        double x0, y0, x1, y1;
    } placements[] = {
        {0.1, 0.1, 0.14, 0.153},       // 32 pixels wide: one texel a pixel
        {0.2013, 0.3071, 0.2391, 0.34},  // odd offsets, about 30x20
        {0.5, 0.5, 0.9, 0.95},         // enlarged ten times
        {0.7, 0.1, 0.705, 0.104},      // a few pixels
        {0.45, 0.2, 0.3, 0.4},         // mirrored left to right
        {0.05, 0.9, 0.3, 0.6},         // upside down
        {-0.05, -0.05, 0.1, 0.1},      // hanging over the window's corner
    };
    for (const Placement& p : placements) {
        EXPECT_EQ(pixels_changed_by_clipping([&] {
                      glColor3f(0.8f, 0.9f, 0.7f);
                      draw_upright_picture(40, p.x0, p.y0, p.x1, p.y1);
                  }),
                  0)
            << p.x0 << ", " << p.y0 << " .. " << p.x1 << ", " << p.y1;
    }
    // Drawn turned by the matrices, or with an alpha test that lets the haze
    // through, the picture cannot be boxed: it is drawn whole.
    EXPECT_EQ(pixels_changed_by_clipping([] {
                  glPushMatrix();
                  glTranslated(0.5, 0.5, 0.0);
                  glRotated(90.0, 0.0, 0.0, 1.0);
                  draw_upright_picture(40, -0.2, -0.2, 0.2, 0.2);
                  glPopMatrix();
              }),
              0)
        << "turned";
    EXPECT_EQ(pixels_changed_by_clipping([] {
                  glAlphaFunc(GL_ALWAYS, ALPHA_TEST_REF);
                  draw_upright_picture(40, 0.2, 0.2, 0.6, 0.6);
                  glAlphaFunc(GL_GREATER, ALPHA_TEST_REF);
              }),
              0)
        << "another alpha test";
}

// Text in every font, at odd places, running off the right and bottom edges.
TEST(VisibleTexels, TextInEveryFontAnywhereKeepsEveryPixel) {
    void* const fonts[] = {GLUT_BITMAP_8_BY_13,     GLUT_BITMAP_9_BY_15,    GLUT_BITMAP_TIMES_ROMAN_10,
                           GLUT_BITMAP_TIMES_ROMAN_24, GLUT_BITMAP_HELVETICA_10, GLUT_BITMAP_HELVETICA_12,
                           GLUT_BITMAP_HELVETICA_18};
    const float places[][2] = {{0.1f, 0.5f}, {0.3013f, 0.2071f}, {0.93f, 0.8f}, {0.5f, 0.001f}, {0.0f, 0.99f}};
    for (void* font : fonts) {
        EXPECT_EQ(pixels_changed_by_clipping([&] {
                      glDisable(GL_TEXTURE_2D);
                      for (const auto& place : places) {
                          glColor3f(1.0f, 0.7f, 0.7f);
                          draw_text(place[0], place[1], font, "Quit? gjpqy |Wg_ 0123456789 %");
                      }
                  }),
                  0);
    }
}

// Every screen with the game's own pictures, stars, status line and all.
TEST_F(GameFolderTest, EveryScreenKeepsEveryPixelWhenPicturesAreClipped) {
    init_starfield();
    profile_name = "pilot";
    struct Screen {
        int state;
        void (*draw)();
    } screens[] = {
        {STATE_LOGO_INTRO, draw_logo_intro},       {STATE_MAIN_MENU, draw_main_menu},
        {STATE_SETTINGS, draw_settings_menu},      {STATE_CONTROLS, draw_controls_screen},
        {STATE_STAGE_SELECT, draw_stage_select},   {STATE_HIGH_SCORES, draw_high_score_screen},
        {STATE_SHIP_SELECT, draw_ship_select},     {STATE_CREDITS, draw_credits},
    };
    logo_fade = 0.6f;
    logo_fade_step = 1;
    credits_scroll = 0.4;
    menu_cursor = 3;
    for (const Screen& screen : screens) {
        screen_state = screen.state;
        load_state_textures(screen.state);
        EXPECT_EQ(pixels_changed_by_clipping(screen.draw), 0) << "state " << screen.state;
    }
    screen_state = STATE_NAV2;
    load_state_textures(STATE_NAV2);
    zero_world();
    park_every_particle();
    fresh_player(1, 0.45, 0.2);
    message_timer = 0;
    static WorldSnapshot world;
    save_world(world);
    EXPECT_EQ(pixels_changed_by_clipping([] {
                  restore_world(world);  // the HUD counts down as it draws
                  hud_offset = 0.0;      // fully in: all its read-outs drawn
                  glDisable(GL_TEXTURE_2D);
                  draw_hud();
                  glEnable(GL_TEXTURE_2D);
                  draw_player_ship(SIDE_LEFT);
                  draw_starfield(1);
              }),
              0)
        << "a NAV 2 frame";
}
