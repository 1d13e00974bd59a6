// The playfield's sprites: the player's fighter and its shield flashes, the
// enemy fighter, the title, the rocks and the shots, read back from the screen.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/game_values.h"
#include "app/screen_state.h"
#include "render/sprites.h"
#include "stage/frames.h"
#include "render/textures.h"
#include "test_sprites_pictures.h"

using namespace stage_pictures;

namespace {

const Rgb FLASH = rgb(0.7, 0.7, 1.0);

struct SpritesTest : testing::Test {
    void SetUp() override {
        load_white({0, 1, 2, 4, 5, 6, TEX_SHIELD_FLASH, TEX_NAV_FIGHTER, TEX_STAGE_TITLE, TEX_SHOT_LASER});
        load_solid(TEX_SHOT_ION, 0, 0, 255);
        load_solid(TEX_SHOT_NEUTRON, 0, 255, 0);
        zero_world();
        set_game_start_values();
        fresh_player(0, 0.3, 0.3);  // 48x48 pixels: x 0.3..0.36, y 0.3..0.38
        begin_frame();
        glEnable(GL_TEXTURE_2D);
    }
    void TearDown() override { glDisable(GL_TEXTURE_2D); }

    // Midpoints of the four shield strips around the fighter at (0.3, 0.3).
    static bool front_lit() { return near(pixel_at(0.33, 0.395), FLASH); }
    static bool rear_lit() { return near(pixel_at(0.33, 0.29), FLASH); }
    static bool left_lit() { return near(pixel_at(0.29, 0.34), FLASH); }
    static bool right_lit() { return near(pixel_at(0.37, 0.34), FLASH); }

    static void frame(int hit_side) {
        begin_frame();
        glEnable(GL_TEXTURE_2D);
        draw_player_ship(hit_side);
    }
};

void place_rock(int index, double x, double y, int texture = 4) {
    enemies[index] = Enemy{};
    enemies[index].x = x;
    enemies[index].y = y;
    enemies[index].width = 64;
    enemies[index].height = 64;
    enemies[index].texture = texture;
    enemies[index].active = 1;
}

void place_shot(Projectile* pool, int slot, double x, double y, int texture) {
    pool[slot] = Projectile{};
    pool[slot].x = x;
    pool[slot].y = y;
    pool[slot].width = 8;
    pool[slot].height = 8;
    pool[slot].texture = texture;
    pool[slot].active = 1;
}

}  // namespace

TEST_F(SpritesTest, FighterDrawnInItsOwnColourOnItsRectangle) {
    const Rgb expected[3] = {rgb(0.7, 1, 0.7), rgb(0.9, 0.7, 0.1), rgb(1, 0.4, 0.4)};
    for (int ship = 0; ship < 3; ++ship) {
        selected_ship = ship;
        frame(SIDE_NONE);
        EXPECT_TRUE(near(pixel_at(0.33, 0.34), expected[ship])) << "ship " << ship;
        // 48 x 48 design pixels and not one more.
        EXPECT_EQ(lit_pixels(0, 0, 800, 600), 48 * 48) << "ship " << ship;
    }
}

TEST_F(SpritesTest, EachSideFlashesItsOwnStrip) {
    struct Case {
        int side;
        bool (*lit)();
    } cases[] = {{SIDE_FRONT, front_lit}, {SIDE_REAR, rear_lit}, {SIDE_LEFT, left_lit}, {SIDE_RIGHT, right_lit}};
    for (const Case& c : cases) {
        shield_flash_side = 0;
        frame(c.side);
        const int lit = front_lit() + rear_lit() + left_lit() + right_lit();
        EXPECT_TRUE(c.lit()) << "side " << c.side;
        EXPECT_EQ(lit, 1) << "side " << c.side << " lights only its own strip";
    }
    // The front strip stands 0.03 out, the others 0.02 (18 and 12 window pixels, 16 for the sides).
    shield_flash_side = 0;
    frame(SIDE_FRONT);
    EXPECT_EQ(lit_pixels(252, 228, 253, 260), 18);
    shield_flash_side = 0;
    frame(SIDE_REAR);
    EXPECT_EQ(lit_pixels(252, 150, 253, 180), 12);
    shield_flash_side = 0;
    frame(SIDE_RIGHT);
    EXPECT_EQ(lit_pixels(288, 200, 320, 201), 16);
}

TEST_F(SpritesTest, AHitFlashesInItsFrameAndTheNextOnly) {
    frame(SIDE_LEFT);
    EXPECT_TRUE(left_lit());
    EXPECT_EQ(shield_flash_side, SIDE_LEFT);
    frame(SIDE_NONE);
    EXPECT_TRUE(left_lit()) << "the frame after the hit still flashes";
    EXPECT_EQ(shield_flash_side, SIDE_NONE);
    frame(SIDE_NONE);
    EXPECT_FALSE(left_lit());
}

TEST_F(SpritesTest, HitsOnTwoSidesInConsecutiveFramesShowBothStripsInTheSecond) {
    frame(SIDE_FRONT);
    frame(SIDE_RIGHT);
    EXPECT_TRUE(front_lit());
    EXPECT_TRUE(right_lit());
    EXPECT_FALSE(rear_lit());
    EXPECT_FALSE(left_lit());
    frame(SIDE_NONE);
    EXPECT_FALSE(front_lit());
    EXPECT_TRUE(right_lit());
}

TEST_F(SpritesTest, TheShieldPicturesBaseLiesAgainstTheHullOnEverySide) {
    load_red_bottom_blue_top(TEX_SHIELD_FLASH);
    auto redder = [](Rgb c) { return c.r > 100 && c.b < 50; };
    auto bluer = [](Rgb c) { return c.b > 200 && c.r < 50; };
    // (near the hull, far from it) for each side, in screen units.
    struct Case {
        int side;
        double near_x, near_y, far_x, far_y;
    } cases[] = {
        {SIDE_FRONT, 0.33, 0.383, 0.33, 0.407},
        {SIDE_REAR, 0.33, 0.297, 0.33, 0.283},
        {SIDE_LEFT, 0.297, 0.34, 0.283, 0.34},
        {SIDE_RIGHT, 0.363, 0.34, 0.377, 0.34},
    };
    for (const Case& c : cases) {
        shield_flash_side = 0;
        frame(c.side);
        EXPECT_TRUE(redder(pixel_at(c.near_x, c.near_y))) << "side " << c.side << ": " << pixel_at(c.near_x, c.near_y);
        EXPECT_TRUE(bluer(pixel_at(c.far_x, c.far_y))) << "side " << c.side << ": " << pixel_at(c.far_x, c.far_y);
    }
}

TEST_F(SpritesTest, EnemyFighterIsDrawnUpsideDownInWhite) {
    load_red_bottom_blue_top(TEX_NAV_FIGHTER);
    nav_fighter.x = 0.5;
    nav_fighter.y = 0.8;  // 48x48: y 0.8..0.88
    nav_fighter.width = 48;
    nav_fighter.height = 48;
    draw_nav_fighter();
    // Away from the edges, where the repeating picture blends with its other end.
    EXPECT_TRUE(near(pixel_at(0.53, 0.86), rgb(1, 0, 0))) << "the picture's bottom is at the top";
    EXPECT_TRUE(near(pixel_at(0.53, 0.82), rgb(0, 0, 1)));
    EXPECT_EQ(lit_pixels(0, 0, 800, 600), 48 * 48);
}

TEST_F(SpritesTest, StageTitleTakesTheFadeAsItsGrey) {
    draw_stage_title(0.4);
    EXPECT_TRUE(near(pixel_at(0.42, 0.73), rgb(0.4, 0.4, 0.4)));
    // 0.1..0.74 by 0.7..0.76: 512 by 36 window pixels.
    EXPECT_EQ(lit_pixels(0, 0, 800, 600), 512 * 36);
}

TEST_F(SpritesTest, GameOverPictureSitsOverThePlayfieldCentre) {
    load_white({TEX_GAME_OVER});
    draw_game_over();
    const Rgb tint = rgb(1.0, 0.7, 0.7);
    EXPECT_TRUE(near(pixel_at(0.42, 0.495), tint)) << pixel_at(0.42, 0.495);
    EXPECT_TRUE(near(pixel_at(0.265, 0.475), tint));
    EXPECT_TRUE(near(pixel_at(0.575, 0.515), tint));
    // 0.26..0.58 by 0.47..0.52, and nothing else.
    EXPECT_EQ(lit_pixels(0, 0, 800, 600), lit_pixels(208, 282, 464, 312));
    EXPECT_EQ(pixel_at(0.255, 0.495), rgb(0, 0, 0));
    EXPECT_EQ(pixel_at(0.585, 0.495), rgb(0, 0, 0));
    EXPECT_EQ(pixel_at(0.42, 0.465), rgb(0, 0, 0));
    EXPECT_EQ(pixel_at(0.42, 0.525), rgb(0, 0, 0));
}

TEST_F(SpritesTest, RocksAreDrawnOnlyOnceTheyHaveEnteredTheScreen) {
    // Look at twice the screen's height, so what lies above the top is seen too.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, 1, 0, 2);
    glMatrixMode(GL_MODELVIEW);
    place_rock(0, 0.1, 0.999);
    place_rock(1, 0.5, 1.0);
    place_rock(2, 0.7, 1.5);
    draw_enemies(NAV1_FLEET_SIZE);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    EXPECT_TRUE(near(pixel_at(0.13, 1.05 / 2), rgb(1, 0.7, 0.7))) << "just below the top: drawn";
    EXPECT_EQ(pixel_at(0.53, 1.05 / 2), rgb(0, 0, 0)) << "at the top: waits unseen";
    EXPECT_EQ(pixel_at(0.73, 1.55 / 2), rgb(0, 0, 0));
}

TEST_F(SpritesTest, RocksBelowTheBottomAreStillDrawnAndClipped) {
    place_rock(0, 0.1, -0.05);  // 64 pixels high: reaches up to about 0.057
    draw_enemies(NAV1_FLEET_SIZE);
    EXPECT_TRUE(near(pixel_at(0.13, 0.02), rgb(1, 0.7, 0.7)));
}

TEST_F(SpritesTest, RocksUseTheirOwnTextureAndOnlyTheCountedActiveOnes) {
    load_solid(5, 0, 255, 0);
    place_rock(0, 0.1, 0.5, 5);
    place_rock(1, 0.3, 0.5);
    enemies[1].active = 0;
    place_rock(4, 0.5, 0.5);  // beyond NAV 2's four
    draw_enemies(NAV2_FLEET_SIZE);
    EXPECT_TRUE(near(pixel_at(0.13, 0.55), rgb(0, 0.7, 0)));  // green picture under (1, 0.7, 0.7)
    EXPECT_EQ(pixel_at(0.33, 0.55), rgb(0, 0, 0));
    EXPECT_EQ(pixel_at(0.53, 0.55), rgb(0, 0, 0));

    draw_enemies(NAV1_FLEET_SIZE);
    EXPECT_TRUE(near(pixel_at(0.53, 0.55), rgb(1, 0.7, 0.7)));
}

TEST_F(SpritesTest, NoRocksOnceTheNavIsComplete) {
    place_rock(0, 0.1, 0.5);
    nav_completed = 1;
    draw_enemies(NAV1_FLEET_SIZE);
    EXPECT_EQ(lit_pixels(0, 0, 800, 600), 0);
}

TEST_F(SpritesTest, EachNavsFrameDrawsItsWholeFleetAndNoMore) {
    for (int nav : {STATE_NAV1, STATE_NAV2}) {
        zero_world();
        park_every_particle();
        fresh_player(0, 0.4, 0.05);
        hud_offset = 0.26;  // the panel still outside
        stage_title_fade = 0;
        stage_started = 1;
        nav_kills_left = 5;
        screen_state = nav;
        for (int i = 0; i < NAV1_FLEET_SIZE; ++i) {
            place_rock(i, 0.02 + i * 0.1, 0.5);  // standing still
            enemies[i].hull = enemies[i].hull_max = 100;
        }
        begin_frame();
        if (nav == STATE_NAV1) frame_nav1();
        else frame_nav2();
        int drawn = 0;
        for (int i = 0; i < NAV1_FLEET_SIZE; ++i) drawn += near(pixel_at(0.05 + i * 0.1, 0.55), rgb(1, 0.7, 0.7));
        EXPECT_EQ(drawn, nav == STATE_NAV1 ? NAV1_FLEET_SIZE : NAV2_FLEET_SIZE) << "state " << nav;
        EXPECT_TRUE(near(pixel_at(0.05, 0.55), rgb(1, 0.7, 0.7))) << "state " << nav;
    }
}

// Particles of two pools on one pixel: the pool a NAV draws first keeps it.
TEST_F(SpritesTest, EachNavsFrameDrawsItsParticlePoolsInItsOwnOrder) {
    const struct {
        int nav;
        Rgb first_drawn;
    } cases[] = {
        {STATE_NAV1, rgb(0.7, 1, 0.7)},  // explosions before sparks
        {STATE_NAV2, rgb(1, 1, 1)},      // sparks before explosions
    };
    const double at_x = 200.5 / 800, at_y = 500.5 / 600;  // clear of the fleet and the HUD
    for (const auto& c : cases) {
        zero_world();
        park_every_particle();
        fresh_player(0, 0.4, 0.05);
        hud_offset = 0.26;
        stage_started = 1;
        nav_kills_left = 5;
        screen_state = c.nav;
        explosion_particles[0] = {at_x, at_y, 0, 0};
        impact_sparks[0] = {at_x, at_y, 0, 0};
        begin_frame();
        if (c.nav == STATE_NAV1) frame_nav1();
        else frame_nav2();
        EXPECT_TRUE(near(pixel_at_px(200, 500), c.first_drawn)) << pixel_at_px(200, 500) << " state " << c.nav;
    }
}

TEST_F(SpritesTest, PlayerShotsComeBeforeEnemyShotsAndFreeSlotsAreSkipped) {
    place_shot(player_shots, 63, 0.5, 0.5, TEX_SHOT_LASER);  // white
    place_shot(enemy_shots, 0, 0.5, 0.5, TEX_SHOT_ION);      // blue, same place
    place_shot(enemy_shots, 10, 0.2, 0.2, TEX_SHOT_NEUTRON);
    place_shot(player_shots, 5, 0.7, 0.7, TEX_SHOT_ION);
    player_shots[5].active = 0;
    draw_shots();
    EXPECT_EQ(pixel_at(0.504, 0.507), rgb(1, 1, 1)) << "the player's shot was drawn first and stays";
    EXPECT_EQ(pixel_at(0.204, 0.207), rgb(0, 1, 0));
    EXPECT_EQ(pixel_at(0.704, 0.707), rgb(0, 0, 0));
    EXPECT_EQ(lit_pixels(0, 0, 800, 600), 2 * 8 * 8);
}
