// The four hit tests: strict overlap (touching is no hit), the side each one
// names, and what each changes.
#include "stage/enemies.h"
#include "test_stage_support.h"

using namespace stage_test;

namespace {

// Player's fighter 48 x 48 pixels at (0.4, 0.3): x 0.4..0.46, y 0.3..0.38.
struct HitTest : StageTest {
    void SetUp() override {
        StageTest::SetUp();
        place_player(0.4, 0.3);
        nav_fighter.x = 0.4;
        nav_fighter.y = 0.8;
        nav_fighter.width = nav_fighter.height = 48;
        nav_fighter.hull = 150;
        nav_fighter.alive = 1;
    }
};

double right_of(double x, double width) { return x + width * PIXEL_WIDTH; }
double top_of(double y, double height) { return y + height * PIXEL_HEIGHT; }

// Four placements of box A (`aw` x `ah` pixels) and box B (`bw` x `bh`) in which
// B touches A's right, left, top and bottom edge and overlaps it along the
// other axis. The touching edge is always computed as the code computes it
// (corner plus size), so the two edges are the same number.
struct Placement {
    double ax, ay, bx, by;
};
void touching_placements(double aw, double ah, double bw, double bh, Placement out[4]) {
    const double x = 0.4, y = 0.3;
    out[0] = {x, y, right_of(x, aw), y + 0.01};
    out[1] = {right_of(x - 0.1, bw), y, x - 0.1, y + 0.01};
    out[2] = {x, y, x + 0.01, top_of(y, ah)};
    out[3] = {x, top_of(y - 0.2, bh), x + 0.01, y - 0.2};
}

}  // namespace

TEST_F(HitTest, RamNamesTheSideTheRockReachesPast) {
    struct Case {
        double x, y;
        int side;
    } cases[] = {
        {0.37, 0.29, SIDE_LEFT},   // lower and taller, reaching past the left edge
        {0.43, 0.29, SIDE_RIGHT},  // lower and taller, from the right
        {0.41, 0.35, SIDE_FRONT},  // higher
        {0.41, 0.20, SIDE_REAR},   // lower, under the player's top
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.x << "," << c.y);
        enemies[0] = rock_at(c.x, c.y);
        EXPECT_EQ(test_ram(enemies, 1), c.side);
        EXPECT_EQ(enemies[0].hull, 50);
    }
    EXPECT_EQ(shots_hit, 0);  // a ram is no shot
}

TEST_F(HitTest, RamWithEqualBottomsCostsHullButNamesNoSideAndTriesTheNextRock) {
    enemies[0] = rock_at(0.41, 0.3);
    enemies[1] = rock_at(0.41, 0.35);
    EXPECT_EQ(test_ram(enemies, 2), SIDE_FRONT);
    EXPECT_EQ(enemies[0].hull, 50);
    EXPECT_EQ(enemies[1].hull, 50);

    enemies[1].active = 0;
    EXPECT_EQ(test_ram(enemies, 2), SIDE_NONE);
    EXPECT_EQ(enemies[0].hull, 0);
    EXPECT_EQ(enemies[1].hull, 50);
}

TEST_F(HitTest, RamStopsAtTheFirstRockThatNamesASide) {
    enemies[0] = rock_at(0.41, 0.35);
    enemies[1] = rock_at(0.41, 0.20);
    EXPECT_EQ(test_ram(enemies, 2), SIDE_FRONT);
    EXPECT_EQ(enemies[1].hull, 100);
    EXPECT_EQ(test_ram(enemies, 1), SIDE_FRONT);  // only the first `count` rocks
    EXPECT_EQ(enemies[1].hull, 100);
}

TEST_F(HitTest, EnemyShotNamesTheSideOfThePlayerItStrikes) {
    struct Case {
        double x, y;
        int side;
    } cases[] = {
        {0.42, 0.33, SIDE_LEFT},     // wholly inside the height, left edge right of the player's
        {0.398, 0.33, SIDE_RIGHT},   // inside the height, left edge left of the player's
        {0.42, 0.295, SIDE_REAR},    // reaching in from below
        {0.42, 0.375, SIDE_FRONT},   // still reaching above the top
        {0.42, 0.30, SIDE_NONE},     // bottoms equal, not inside: no side
    };
    for (const Case& c : cases) {
        Projectile shot = shot_at(c.x, c.y);
        EXPECT_EQ(test_enemy_shot(shot), c.side) << c.x << "," << c.y;
    }
    EXPECT_EQ(player.shield[SIDE_FRONT], 200);  // it changes nothing
    EXPECT_EQ(player.hull, 80);
}

TEST_F(HitTest, PlayerShotOnTheFighterTakesTruncatedDamageAndCountsEvenWithoutASide) {
    struct Case {
        double x, y;
        int side;
    } cases[] = {
        {0.42, 0.83, SIDE_LEFT},
        {0.398, 0.83, SIDE_RIGHT},
        {0.42, 0.795, SIDE_FRONT},  // from below
        {0.42, 0.875, SIDE_REAR},
        {0.42, 0.80, SIDE_NONE},
    };
    int hits = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.x << "," << c.y);
        nav_fighter.hull = 150;
        EXPECT_EQ(test_shot_nav_fighter(shot_at(c.x, c.y, 4, 8, 20.7)), c.side);
        EXPECT_EQ(nav_fighter.hull, 129);
        EXPECT_EQ(shots_hit, ++hits);
    }
    nav_fighter.hull = 10;
    nav_fighter.alive = 0;  // the caller decides about the dead
    EXPECT_EQ(test_shot_nav_fighter(shot_at(0.42, 0.83, 4, 8, 20.5)), SIDE_LEFT);
    EXPECT_EQ(nav_fighter.hull, -10);  // toward zero, not down
}

TEST_F(HitTest, PlayerShotOnTheFleetNamesTheSideOfTheRockAndIgnoresItsHull) {
    struct Case {
        double x, y;
        int side;
    } cases[] = {
        {0.42, 0.52, SIDE_LEFT},
        {0.398, 0.52, SIDE_RIGHT},
        {0.42, 0.495, SIDE_FRONT},
        {0.42, 0.60, SIDE_REAR},
    };
    for (const Case& c : cases) {
        enemies[0] = rock_at(0.4, 0.5);
        enemies[0].hull = -40;  // already destroyed this frame: still takes the shot
        SCOPED_TRACE(testing::Message() << "at " << c.x << "," << c.y);
        EXPECT_EQ(test_shot_fleet(enemies, shot_at(c.x, c.y), 1), c.side);
        EXPECT_EQ(enemies[0].hull, -60);
    }
    EXPECT_EQ(shots_hit, 4);
}

TEST_F(HitTest, FleetShotWithEqualBottomsKeepsTheDamageAndGoesOnToTheNextRock) {
    enemies[0] = rock_at(0.4, 0.5);
    enemies[1] = rock_at(0.41, 0.45);
    enemies[2] = rock_at(0.40, 0.45);
    EXPECT_EQ(test_shot_fleet(enemies, shot_at(0.42, 0.5), 3), SIDE_LEFT);
    EXPECT_EQ(enemies[0].hull, 80);
    EXPECT_EQ(enemies[1].hull, 80);
    EXPECT_EQ(enemies[2].hull, 100);  // the search stopped at the side
    EXPECT_EQ(shots_hit, 2);
}

TEST_F(HitTest, TouchingEdgesAreNoHitForAnyOfTheFourTests) {
    Placement spots[4];
    // Rams: a 64-pixel rock (B) against each edge of the player (A).
    touching_placements(48, 48, 64, 64, spots);
    for (const Placement& p : spots) {
        player.x = p.ax;
        player.y = p.ay;
        SCOPED_TRACE(testing::Message() << "rock at " << p.bx << "," << p.by);
        enemies[0] = rock_at(p.bx, p.by);
        EXPECT_EQ(test_ram(enemies, 1), SIDE_NONE);
        EXPECT_EQ(enemies[0].hull, 100);
    }
    // Enemy shots (B) against the player (A).
    touching_placements(48, 48, 8, 8, spots);
    for (const Placement& p : spots) {
        player.x = p.ax;
        player.y = p.ay;
        EXPECT_EQ(test_enemy_shot(shot_at(p.bx, p.by, 8, 8)), SIDE_NONE) << p.bx << "," << p.by;
    }
    // Player shots (B) against the fighter (A).
    touching_placements(48, 48, 4, 8, spots);
    for (const Placement& p : spots) {
        nav_fighter.x = p.ax;
        nav_fighter.y = p.ay;
        EXPECT_EQ(test_shot_nav_fighter(shot_at(p.bx, p.by)), SIDE_NONE) << p.bx << "," << p.by;
    }
    EXPECT_EQ(nav_fighter.hull, 150);
    // Player shots (B) against a rock (A).
    touching_placements(64, 64, 4, 8, spots);
    for (const Placement& p : spots) {
        SCOPED_TRACE(testing::Message() << "shot at " << p.bx << "," << p.by);
        enemies[0] = rock_at(p.ax, p.ay);
        EXPECT_EQ(test_shot_fleet(enemies, shot_at(p.bx, p.by), 1), SIDE_NONE);
        EXPECT_EQ(enemies[0].hull, 100);
    }
    EXPECT_EQ(shots_hit, 0);

    // A hair further in along each edge is a hit: the placements do touch.
    touching_placements(64, 64, 4, 8, spots);
    const double in[4][2] = {{-1e-9, 0}, {1e-9, 0}, {0, -1e-9}, {0, 1e-9}};
    for (int k = 0; k < 4; ++k) {
        enemies[0] = rock_at(spots[k].ax, spots[k].ay);
        Projectile shot = shot_at(spots[k].bx + in[k][0], spots[k].by + in[k][1]);
        EXPECT_NE(test_shot_fleet(enemies, shot, 1), SIDE_NONE) << k;
    }
}

TEST_F(HitTest, RetiredRocksAreNeverRammedNorShot) {
    enemies[0] = rock_at(0.41, 0.35);
    enemies[0].active = 0;
    EXPECT_EQ(test_ram(enemies, 1), SIDE_NONE);
    EXPECT_EQ(test_shot_fleet(enemies, shot_at(0.42, 0.36), 1), SIDE_NONE);
    EXPECT_EQ(enemies[0].hull, 100);
    EXPECT_EQ(shots_hit, 0);
}
