// The particle pools: how many elements each draws and moves, at what size and
// in what colour, and that every element is drawn where the frame found it
// before the frame moves it.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "render/sprites.h"
#include "test_sprites_pictures.h"

using namespace stage_pictures;

namespace {

struct PoolCase {
    ParticlePoolId id;
    Particle* particles;
    int drawn;
    int capacity;
    int point_size;
};

const PoolCase POOLS[] = {
    {POOL_IMPACT_SPARKS, impact_sparks, 490, IMPACT_SPARK_CAPACITY, 2},
    {POOL_HIT_SPARKS, hit_sparks, 190, HIT_SPARK_CAPACITY, 2},
    {POOL_EXPLOSION, explosion_particles, 995, EXPLOSION_CAPACITY, 3},
    {POOL_DEBRIS, debris_particles, 995, DEBRIS_CAPACITY, 3},
};

// At a pixel centre, so a point of either size covers a whole square of pixels.
constexpr double AT_X = 200.5 / 800, AT_Y = 300.5 / 600;

struct ParticlesTest : testing::Test {
    void SetUp() override {
        zero_world();
        park_every_particle();
        begin_frame();
    }
    // A pool's turn in a stage frame.
    static void draw_then_move(ParticlePoolId pool) {
        draw_particles(pool);
        move_particles(pool);
    }
};

}  // namespace

TEST_F(ParticlesTest, EachPoolDrawsAndMovesExactlyItsDrawnElements) {
    for (const PoolCase& pool : POOLS) {
        SCOPED_TRACE(pool.drawn);
        park_every_particle();
        begin_frame();
        pool.particles[pool.drawn - 1] = {AT_X, AT_Y, 0.01, -0.02};
        pool.particles[pool.drawn] = {0.7, 0.5, 0.01, 0.01};  // the first never drawn
        pool.particles[0] = {-1, -1, 0, 0};                     // parked: drawn off screen
        draw_then_move(pool.id);

        EXPECT_GT(lit_pixels(190, 290, 211, 311), 0);
        EXPECT_EQ(lit_pixels(0, 0, 800, 600), pool.point_size * pool.point_size)
            << "one square point of the pool's size, nothing from the parked or unused ones";
        EXPECT_DOUBLE_EQ(pool.particles[pool.drawn - 1].x, AT_X + 0.01);
        EXPECT_DOUBLE_EQ(pool.particles[pool.drawn - 1].y, AT_Y - 0.02);
        EXPECT_EQ(pool.particles[pool.drawn].x, 0.7) << "beyond the drawn count nothing moves";
        EXPECT_EQ(pool.particles[0].x, -1.0);
    }
}

TEST_F(ParticlesTest, DrawnWhereTheyWereThenMoved) {
    impact_sparks[3] = {AT_X, AT_Y, 0.1, 0.0};
    draw_then_move(POOL_IMPACT_SPARKS);
    EXPECT_GT(lit_pixels(195, 295, 206, 306), 0);
    EXPECT_EQ(lit_pixels(270, 290, 300, 311), 0) << "not where the motion takes it";
    begin_frame();
    draw_then_move(POOL_IMPACT_SPARKS);
    EXPECT_GT(lit_pixels(275, 295, 286, 306), 0);
}

TEST_F(ParticlesTest, EveryElementMovesEveryFrameWhereverItIs) {
    // Old, off-screen particles drift on: nothing stops or recycles them.
    for (int i = 0; i < 995; ++i) debris_particles[i] = {-5.0, 3.0, 0.001 * i, -0.002};
    for (int frame = 0; frame < 3; ++frame) move_particles(POOL_DEBRIS);
    for (int i : {0, 1, 500, 994}) {
        SCOPED_TRACE(testing::Message() << "particle " << i);
        EXPECT_DOUBLE_EQ(debris_particles[i].x, -5.0 + 3 * 0.001 * i);
        EXPECT_DOUBLE_EQ(debris_particles[i].y, 3.0 - 3 * 0.002);
    }
}

TEST_F(ParticlesTest, ColoursBelongToThePool) {
    struct Case {
        ParticlePoolId id;
        Particle* particles;
        int ship;
        Rgb colour;
    } cases[] = {
        {POOL_IMPACT_SPARKS, impact_sparks, 0, rgb(1, 1, 1)},
        {POOL_HIT_SPARKS, hit_sparks, 0, rgb(1, 1, 1)},
        {POOL_DEBRIS, debris_particles, 2, rgb(1, 0.5, 0.5)},
        {POOL_EXPLOSION, explosion_particles, 0, rgb(0.7, 1, 0.7)},  // the fighter's colour
        {POOL_EXPLOSION, explosion_particles, 1, rgb(0.9, 0.7, 0.1)},
        {POOL_EXPLOSION, explosion_particles, 2, rgb(1, 0.4, 0.4)},
    };
    for (const Case& c : cases) {
        begin_frame();
        selected_ship = c.ship;
        c.particles[0] = {AT_X, AT_Y, 0, 0};
        draw_particles(c.id);
        EXPECT_TRUE(near(pixel_at_px(200, 300), c.colour)) << pixel_at_px(200, 300) << " ship " << c.ship;
    }
}
