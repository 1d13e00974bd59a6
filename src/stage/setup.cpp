#include "stage/setup.h"

#include <cstring>

#include "combat/guns.h"
#include "stage/stage_events.h"
#include "stage/world.h"

// Rock pictures of the fleet.
enum { TEX_ROCK_SMALL = 4, TEX_ROCK_WIDE = 5, TEX_ROCK_LARGE = 6 };

constexpr int FIGHTER_SIZE = 48;      // pixels, every fighter
constexpr int ENEMY_FIGHTER_ROW = 3;  // ship_table index of the enemy fighter
constexpr int NAV2_KILLS = 10;

// x, y, speed, width, height, hull_max, score_value, texture of one rock.
struct RockStart {
    double x, y, speed, width, height;
    int hull_max, score_value, texture;
};

// NAV 1: the rocks start far above the screen and enter one after another;
// the big one and the last two small ones are the slowest.
static const RockStart NAV1_FLEET[NAV1_FLEET_SIZE] = {
    {0.2, 3.5, 0.02, 64, 64, 100, 100, TEX_ROCK_SMALL},
    {0.4, 4.0, 0.02, 64, 64, 100, 100, TEX_ROCK_SMALL},
    {0.8, 4.5, 0.02, 64, 64, 100, 100, TEX_ROCK_SMALL},
    {0.3, 5.0, 0.025, 128, 128, 200, 250, TEX_ROCK_LARGE},
    {0.6, 5.5, 0.025, 128, 128, 200, 250, TEX_ROCK_LARGE},
    {0.5, 6.0, 0.01, 256, 128, 400, 300, TEX_ROCK_WIDE},
    {0.1, 6.5, 0.01, 64, 64, 100, 100, TEX_ROCK_SMALL},
    {0.4, 7.0, 0.01, 64, 64, 100, 100, TEX_ROCK_SMALL},
};

// NAV 2: four small rocks in the edge lanes, leaving the middle to the fighter.
static const RockStart NAV2_FLEET[NAV2_FLEET_SIZE] = {
    {0.1, 3.5, 0.05, 64, 64, 100, 100, TEX_ROCK_SMALL},
    {0.75, 4.0, 0.05, 64, 64, 100, 100, TEX_ROCK_SMALL},
    {0.1, 4.5, 0.05, 64, 64, 100, 100, TEX_ROCK_SMALL},
    {0.75, 5.0, 0.05, 64, 64, 100, 100, TEX_ROCK_SMALL},
};

// Fresh, zero-filled fleet and shot pools: every shot free, every rock unused.
static void clear_stage_arrays() {
    memset(enemies, 0, sizeof enemies);
    memset(player_shots, 0, sizeof player_shots);
    memset(enemy_shots, 0, sizeof enemy_shots);
}

static void fill_fleet(const RockStart* table, int count) {
    for (int i = 0; i < count; ++i) {
        const RockStart& start = table[i];
        Enemy& rock = enemies[i];
        rock.x = start.x;
        rock.y = start.y;
        rock.speed = start.speed;
        rock.width = start.width;
        rock.height = start.height;
        rock.hull_max = start.hull_max;
        rock.hull = start.hull_max;
        rock.score_value = start.score_value;
        rock.texture = start.texture;
        rock.active = 1;
    }
}

void setup_nav1() {
    // A game starts with no points, whatever the frame that reset the last one
    // went on to score after its reset (a rock destroyed as NAV 2 completed is
    // scored when the fly-out's end lets the fleet move again). Cleared before
    // the record takes the start values: a replay recorded with points carried
    // in still gets them back, and plays as it was flown.
    score = 0;
    // Each game draws from a seed of its own and is recorded from here.
    stage_event(STAGE_GAME_BEGINS);
    clear_stage_arrays();
    fill_fleet(NAV1_FLEET, NAV1_FLEET_SIZE);
    park_particles();
    stage_title_fade = 1.0;
    nav_timer = 0;
    nav_timer_running = 1;
    stage_event(STAGE_NAV_SET_UP);
}

// The player's fighter, score and ship carry over from NAV 1; accuracy and
// bonuses are judged afresh.
void setup_nav2() {
    clear_stage_arrays();
    fill_fleet(NAV2_FLEET, NAV2_FLEET_SIZE);
    spawn_nav_fighter(NAV_FIGHTER_ENTRY_X, NAV_FIGHTER_START_Y, 0);
    park_particles();
    nav_kills_left = NAV2_KILLS;
    stage_sound("./sfx/sfx_voc_fighters_detected.mp3");
    clear_section_values();
    stage_event(STAGE_NAV_SET_UP);
}

void setup_player() {
    const ShipStats& stats = ship_table[selected_ship];
    player.x = PLAYER_START_X;
    player.y = PLAYER_START_Y;
    player.speed = stats.speed;
    player.width = FIGHTER_SIZE;
    player.height = FIGHTER_SIZE;
    for (int side = SIDE_FRONT; side <= SIDE_RIGHT; ++side) {
        player.shield_max[side] = stats.shield_max;
        player.shield[side] = stats.shield_max;
    }
    player.hull_max = stats.hull_max;
    player.hull = stats.hull_max;
    player.gun_energy_max = stats.gun_energy_max;
    player.gun_energy = stats.gun_energy_max;
    player.alive = 1;
}

// Two draws, speed then weapon. A draw of exactly 1.0 would index one past the
// ten speeds; it takes the last one.
void spawn_nav_fighter(double x, double y, int row) {
    const ShipStats& stats = ship_table[ENEMY_FIGHTER_ROW + row];
    nav_fighter.x = x;
    nav_fighter.y = y;
    int speed_index = static_cast<int>(rand_unit() * ENEMY_SPEED_COUNT);
    if (speed_index > ENEMY_SPEED_COUNT - 1) speed_index = ENEMY_SPEED_COUNT - 1;
    nav_fighter.speed = ENEMY_SPEEDS[speed_index];
    nav_fighter.width = FIGHTER_SIZE;
    nav_fighter.height = FIGHTER_SIZE;
    nav_fighter.hull_max = stats.hull_max;
    nav_fighter.hull = stats.hull_max;
    nav_fighter.gun_energy_max = stats.gun_energy_max;
    nav_fighter.gun_energy = stats.gun_energy_max;
    nav_fighter.alive = 1;

    double weapon_draw = rand_unit();
    if (weapon_draw < 0.4)
        nav_fighter_weapon = GUN_LASER;
    else if (weapon_draw < 0.8)
        nav_fighter_weapon = GUN_ION;
    else
        nav_fighter_weapon = GUN_NEUTRON;
}
