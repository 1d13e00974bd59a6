#include "render/sprites.h"

#include <GL/freeglut.h>

#include "render/textures.h"

int shield_flash_side = 0;

namespace {

const Colour WHITE = {1.0, 1.0, 1.0};
const Colour FIGHTER_COLOURS[3] = {
    {0.7, 1.0, 0.7},  // Pilvet
    {0.9, 0.7, 0.1},  // Vesker
    {1.0, 0.4, 0.4},  // Brantor
};
const Colour SHIELD_FLASH_COLOUR = {0.7, 0.7, 1.0};
const Colour ROCK_COLOUR = {1.0, 0.7, 0.7};
const Colour MESSAGE_COLOUR = {1.0, 0.7, 0.7};
const Colour DEBRIS_COLOUR = {1.0, 0.5, 0.5};

// Depth of the shield strips: the front one stands out further.
constexpr double FRONT_FLASH_DEPTH = 0.03;
constexpr double SIDE_FLASH_DEPTH = 0.02;

// The shield picture's bottom row lies against the hull on every side: the
// side strips turn it a quarter, the rear one mirrors it downwards.
const Point2 SIDEWAYS_MAPPING[4] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
// Upside down: the enemy fighter faces down the screen.
const Point2 FLIPPED_MAPPING[4] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};

// Where the stage's message pictures sit.
constexpr double TITLE_X0 = 0.1, TITLE_Y0 = 0.7, TITLE_X1 = 0.74, TITLE_Y1 = 0.76;
constexpr double NAV_COMPLETE_X0 = 0.34, NAV_COMPLETE_Y0 = 0.47;
constexpr double NAV_COMPLETE_X1 = 0.66, NAV_COMPLETE_Y1 = 0.52;
// The game-over picture's corners and colour are single precision, as they always were.
constexpr float GAME_OVER_LEFT = 0.26f, GAME_OVER_RIGHT = 0.58f;
constexpr float GAME_OVER_BOTTOM = 0.47f, GAME_OVER_TOP = 0.52f;
const Colour GAME_OVER_COLOUR = {1.0f, 0.7f, 0.7f};

constexpr int SPARK_POINT_SIZE = 2;
constexpr int DEBRIS_POINT_SIZE = 3;

struct PoolLook {
    int point_size;
    Colour colour;
};

PoolLook pool_look(ParticlePoolId pool) {
    switch (pool) {
        case POOL_IMPACT_SPARKS:
        case POOL_HIT_SPARKS: return {SPARK_POINT_SIZE, WHITE};
        case POOL_EXPLOSION: return {DEBRIS_POINT_SIZE, fighter_colour(selected_ship)};
        case POOL_DEBRIS: break;
    }
    return {DEBRIS_POINT_SIZE, DEBRIS_COLOUR};
}

// A record's rectangle from its lower-left corner and its size in pixels.
void draw_record(int texture, Colour colour, double x, double y, double width, double height) {
    draw_picture(texture, colour, x, y, x + width * PIXEL_WIDTH, y + height * PIXEL_HEIGHT);
}

// The shield strip along one side of a fighter whose rectangle is (x, y, w, h).
void draw_shield_strip(int side, double x, double y, double w, double h) {
    switch (side) {
        case SIDE_FRONT: {
            const Point2 c[4] = {{x, y + h}, {x + w, y + h}, {x + w, y + h + FRONT_FLASH_DEPTH},
                                 {x, y + h + FRONT_FLASH_DEPTH}};
            draw_picture_quad(TEX_SHIELD_FLASH, SHIELD_FLASH_COLOUR, c, STANDARD_MAPPING);
            break;
        }
        case SIDE_REAR: {
            const Point2 c[4] = {{x, y}, {x + w, y}, {x + w, y - SIDE_FLASH_DEPTH}, {x, y - SIDE_FLASH_DEPTH}};
            draw_picture_quad(TEX_SHIELD_FLASH, SHIELD_FLASH_COLOUR, c, STANDARD_MAPPING);
            break;
        }
        case SIDE_LEFT: {
            const Point2 c[4] = {{x, y}, {x - SIDE_FLASH_DEPTH, y}, {x - SIDE_FLASH_DEPTH, y + h}, {x, y + h}};
            draw_picture_quad(TEX_SHIELD_FLASH, SHIELD_FLASH_COLOUR, c, SIDEWAYS_MAPPING);
            break;
        }
        case SIDE_RIGHT: {
            const Point2 c[4] = {{x + w, y}, {x + w + SIDE_FLASH_DEPTH, y}, {x + w + SIDE_FLASH_DEPTH, y + h},
                                 {x + w, y + h}};
            draw_picture_quad(TEX_SHIELD_FLASH, SHIELD_FLASH_COLOUR, c, SIDEWAYS_MAPPING);
            break;
        }
        default: break;
    }
}

void draw_shot_pool(const Projectile* shots) {
    for (int slot = 0; slot < SHOT_POOL_SIZE; ++slot) {
        const Projectile& shot = shots[slot];
        if (shot.active == 1) draw_record(shot.texture, WHITE, shot.x, shot.y, shot.width, shot.height);
    }
}

}  // namespace

Colour fighter_colour(int ship) {
    if (ship < 0 || ship >= PLAYER_SHIP_COUNT) return WHITE;
    return FIGHTER_COLOURS[ship];
}

void draw_player_ship(int hit_side) {
    const double w = player.width * PIXEL_WIDTH;
    const double h = player.height * PIXEL_HEIGHT;
    draw_picture(selected_ship, fighter_colour(selected_ship), player.x, player.y, player.x + w, player.y + h);

    // A hit flashes in the frame it is reported and, through shield_flash_side, in the next.
    for (int side = SIDE_FRONT; side <= SIDE_RIGHT; ++side)
        if (hit_side == side || shield_flash_side == side) draw_shield_strip(side, player.x, player.y, w, h);
    shield_flash_side = hit_side;
}

void draw_nav_fighter() {
    const double x0 = nav_fighter.x, y0 = nav_fighter.y;
    const double x1 = x0 + nav_fighter.width * PIXEL_WIDTH;
    const double y1 = y0 + nav_fighter.height * PIXEL_HEIGHT;
    const Point2 corners[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    draw_picture_quad(TEX_NAV_FIGHTER, WHITE, corners, FLIPPED_MAPPING);
}

void draw_stage_title(double brightness) {
    draw_picture(TEX_STAGE_TITLE, {brightness, brightness, brightness}, TITLE_X0, TITLE_Y0, TITLE_X1, TITLE_Y1);
}

void draw_enemies(int count) {
    if (nav_completed == 1) return;  // the results own the playfield
    for (int i = 0; i < count && i < MAX_FLEET_SIZE; ++i) {
        const Enemy& rock = enemies[i];
        if (rock.y < SCREEN_TOP && rock.active == 1)
            draw_record(rock.texture, ROCK_COLOUR, rock.x, rock.y, rock.width, rock.height);
    }
}

void draw_shots() {
    draw_shot_pool(player_shots);
    draw_shot_pool(enemy_shots);
}

void draw_particles(ParticlePoolId pool) {
    const PoolSpan span = particle_pool(pool);
    const PoolLook look = pool_look(pool);
    glDisable(GL_TEXTURE_2D);
    glPointSize(static_cast<float>(look.point_size));
    glColor3d(look.colour.r, look.colour.g, look.colour.b);
    // Parked particles at (-1, -1) are drawn too, off screen.
    glBegin(GL_POINTS);
    for (int i = 0; i < span.drawn; ++i) glVertex2d(span.particles[i].x, span.particles[i].y);
    glEnd();
}

void draw_game_over() {
    draw_picture(TEX_GAME_OVER, GAME_OVER_COLOUR, GAME_OVER_LEFT, GAME_OVER_BOTTOM, GAME_OVER_RIGHT, GAME_OVER_TOP);
}

void draw_nav_complete() {
    glEnable(GL_TEXTURE_2D);
    draw_picture(TEX_NAV_COMPLETE, MESSAGE_COLOUR, NAV_COMPLETE_X0, NAV_COMPLETE_Y0, NAV_COMPLETE_X1,
                 NAV_COMPLETE_Y1);
}
