#include "stage/frames.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/screen_state.h"
#include "audio/sound.h"
#include "combat/damage.h"
#include "persist/high_scores.h"
#include "render/hud.h"
#include "render/sprites.h"
#include "render/starfield.h"
#include "render/text.h"
#include "stage/enemies.h"
#include "stage/setup.h"
#include "stage/world.h"

constexpr double GUN_RECHARGE_PER_FRAME = 2.0;
constexpr double TITLE_FADE_PER_FRAME = 0.01;
constexpr int ENEMY_FIGHTER_SCORE = 500;

// End-of-NAV bonuses, counted into the score a little every frame.
constexpr int NO_DAMAGE_BONUS = 1000;
constexpr int HIGH_ACCURACY_BONUS = 1000;  // 90 % or more
constexpr int GOOD_ACCURACY_BONUS = 500;   // 70 % or more
constexpr double HIGH_ACCURACY = 90.0;
constexpr double GOOD_ACCURACY = 70.0;
constexpr int BONUS_COUNT_PER_FRAME = 20;

constexpr int TEXT_SIZE = 64;
static void* const SMALL_FONT = GLUT_BITMAP_HELVETICA_10;
static void* const LARGE_FONT = GLUT_BITMAP_HELVETICA_12;

static void draw_white_text(float x, float y, void* font, const char* text) {
    glColor3f(1.0f, 1.0f, 1.0f);
    draw_text(x, y, font, text);
}

static void draw_high_score_place(float x, float y) {
    int place = high_score_place(score);
    if (place == -1) return;
    char text[TEXT_SIZE];
    snprintf(text, sizeof text, "You Have A New Highscore! Place: %d", place);
    draw_white_text(x, y, SMALL_FONT, text);
}

// Both axes may move in the same frame.
static void steer_from_commands() {
    if (steer_x == HELD_LEFT) steer_player(STEER_LEFT);
    if (steer_x == HELD_RIGHT) steer_player(STEER_RIGHT);
    if (steer_y == HELD_UP) steer_player(STEER_UP);
    if (steer_y == HELD_DOWN) steer_player(STEER_DOWN);
}

double nav_accuracy() {
    int total = shots_missed + shots_hit;
    if (total == 0) return 0.0;
    return static_cast<double>(shots_hit) / total * 100.0;
}

// Drawn every frame of a completed NAV; the bonuses are granted only on the
// first of them.
static void draw_results(bool last_nav) {
    char text[TEXT_SIZE];
    double accuracy = nav_accuracy();
    snprintf(text, sizeof text, "ACCURACY: %.2f%%", accuracy);
    draw_white_text(0.435f, 0.45f, SMALL_FONT, text);
    if (player.hull == player.hull_max) {
        draw_white_text(0.405f, 0.42f, SMALL_FONT, "NO DAMAGE BONUS: + 1.000");
        if (bonus_awarded == 0) bonus_pending += NO_DAMAGE_BONUS;
    }
    if (accuracy >= HIGH_ACCURACY) {
        draw_white_text(0.405f, 0.39f, SMALL_FONT, "ACCURACY BONUS: + 1.000");
        if (bonus_awarded == 0) bonus_pending += HIGH_ACCURACY_BONUS;
    } else if (accuracy >= GOOD_ACCURACY) {
        draw_white_text(0.405f, 0.39f, SMALL_FONT, "ACCURACY BONUS:   + 500");
        if (bonus_awarded == 0) bonus_pending += GOOD_ACCURACY_BONUS;
    }
    bonus_awarded = 1;
    snprintf(text, sizeof text, "TOTAL SCORE: %d", score);
    draw_white_text(0.435f, 0.35f, SMALL_FONT, text);
    if (last_nav && bonus_pending == 0) draw_high_score_place(0.395f, 0.30f);
}

static void count_in_bonus() {
    score += BONUS_COUNT_PER_FRAME;
    bonus_pending -= BONUS_COUNT_PER_FRAME;
}

// The goal is reached: results and fly-out follow. A player already caught in
// the death sequence keeps its countdown, so only one sequence ever counts
// outro_timer down and it reaches 0 exactly once; the game then ends as a loss.
static void complete_nav(const char* voice) {
    nav_completed = 1;
    if (player_destroyed == 0) outro_timer = NAV_OUTRO_FRAMES;
    play_sound(voice);
}

// The fly-out steps only for a living player. A hull lost in the frame that
// completed the NAV starts the death sequence first, and that one ends the game.
static void run_fly_out_if_alive(int next_state) {
    if (nav_completed == 1 && player_destroyed == 0) run_nav_complete(next_state);
}

static void ram_player(int fleet_size) {
    player_hit_side = test_ram(enemies, fleet_size);
    if (player_hit_side > 0) damage_player(player_hit_side, HIT_RAM);
}

void handle_nav1_hits() {
    ram_player(NAV1_FLEET_SIZE);
    for (Projectile& shot : player_shots) {
        if (shot.active != 1) continue;
        if (test_shot_fleet(enemies, shot, NAV1_FLEET_SIZE) > 0) {
            burst_hit_sparks(shot.x, shot.y);
            shot.active = 0;
        }
    }
}

void handle_nav2_hits() {
    ram_player(NAV2_FLEET_SIZE);

    // Both tests run before either consequence: one shot may strike a rock and
    // the fighter in the same frame.
    for (Projectile& shot : player_shots) {
        if (shot.active != 1) continue;
        int fleet_side = test_shot_fleet(enemies, shot, NAV2_FLEET_SIZE);
        int fighter_side = nav_fighter.alive == 1 ? test_shot_nav_fighter(shot) : SIDE_NONE;
        if (fleet_side > 0) {
            burst_hit_sparks(shot.x, shot.y);
            shot.active = 0;
        }
        if (fighter_side > 0) {
            burst_impact_sparks(shot.x, shot.y);
            play_sound("./sfx/sfx_shield_2.wav");
            shot.active = 0;
        }
    }

    // A kill brings the next fighter in at once.
    if (nav_fighter.hull < 1 && nav_fighter.alive != 0) {
        burst_explosion(centre_x(nav_fighter.x, nav_fighter.width),
                        centre_y(nav_fighter.y, nav_fighter.height));
        play_sound("./sfx/sfx_explosion.mp3");
        nav_fighter.alive = 0;
        nav_kills_left -= 1;
        score += ENEMY_FIGHTER_SCORE;
        spawn_nav_fighter(NAV_FIGHTER_ENTRY_X, NAV_FIGHTER_RESPAWN_Y, 0);
    }

    // A miss stores 0: afterwards player_hit_side holds the last active shot's result.
    for (Projectile& shot : enemy_shots) {
        if (shot.active != 1) continue;
        player_hit_side = test_enemy_shot(shot);
        if (player_hit_side > 0) {
            damage_player(player_hit_side, HIT_ENEMY_SHOT);
            shot.active = 0;
        }
    }
}

// What sets the two NAVs apart; every other step of their frames is the same,
// in the same order.
struct NavSection {
    int fleet_size;
    int respawn_limit;
    int next_state;             // where the fly-out leads
    bool last_nav;              // its results show the high-score place
    const char* voice;          // played when the goal is reached
    bool has_title;             // NAV 1: the fading stage title
    bool has_fighter;           // NAV 2: the enemy fighter
    ParticlePoolId particle_order[4];
    void (*draw_status)();      // drawn right after the HUD, or nullptr
    void (*first_frame)();      // the one-time step of the section's first frame
    void (*handle_hits)();
    bool (*goal_reached)();     // also marks the goal as taken, so it is reached once
    void (*advance_clock)();    // each frame before the goal, or nullptr
};

static void first_nav1_frame() { setup_player(); }

// The rest of the fighter stays as NAV 1 left it.
static void first_nav2_frame() {
    player.x = PLAYER_START_X;
    player.y = PLAYER_START_Y;
}

static void draw_kills_left() {
    if (nav_kills_left <= 0) return;
    char text[TEXT_SIZE];
    snprintf(text, sizeof text, "Enemies left to destroy in this NAV: %d", nav_kills_left);
    draw_white_text(0.59f, 0.02f, LARGE_FONT, text);
}

// NAV 1: survive the rock field for NAV1_LENGTH_FRAMES.
static bool nav1_time_up() {
    if (nav_timer != NAV1_LENGTH_FRAMES) return false;
    nav_timer = -1;
    return true;
}

static void run_nav1_clock() {
    if (nav_timer_running == 1) nav_timer += 1;
}

// NAV 2: destroy ten enemy fighters.
static bool nav2_fighters_destroyed() {
    if (nav_kills_left != 0) return false;
    nav_kills_left = -1;
    return true;
}

// Each field by its name: designated initializers, which g++ and clang accept in C++17 (they must
// follow the order of the fields above).
static const NavSection NAV1 = {
    .fleet_size = NAV1_FLEET_SIZE,
    .respawn_limit = NAV1_RESPAWN_LIMIT,
    .next_state = STATE_NAV2,
    .last_nav = false,
    .voice = "./sfx/sfx_voc_nav_completed.mp3",
    .has_title = true,
    .has_fighter = false,
    .particle_order = {POOL_EXPLOSION, POOL_IMPACT_SPARKS, POOL_HIT_SPARKS, POOL_DEBRIS},
    .draw_status = nullptr,
    .first_frame = first_nav1_frame,
    .handle_hits = handle_nav1_hits,
    .goal_reached = nav1_time_up,
    .advance_clock = run_nav1_clock,
};
static const NavSection NAV2 = {
    .fleet_size = NAV2_FLEET_SIZE,
    .respawn_limit = NAV2_RESPAWN_LIMIT,
    .next_state = STATE_MAIN_MENU,
    .last_nav = true,
    .voice = "./sfx/sfx_voc_stage_completed.mp3",
    .has_title = false,
    .has_fighter = true,
    .particle_order = {POOL_IMPACT_SPARKS, POOL_HIT_SPARKS, POOL_DEBRIS, POOL_EXPLOSION},
    .draw_status = draw_kills_left,
    .first_frame = first_nav2_frame,
    .handle_hits = handle_nav2_hits,
    .goal_reached = nav2_fighters_destroyed,
    .advance_clock = nullptr,
};

// One frame of a NAV: HUD, one-time step, steering, the sequences under way,
// the pictures, results, simulation, hits, particles, the goal, the starfield.
static void run_nav_frame(const NavSection& nav) {
    draw_hud();
    if (nav.draw_status) nav.draw_status();
    if (stage_started == 0) {
        nav.first_frame();
        stage_started = 1;
    }
    if (player_destroyed == 1) draw_high_score_place(0.31f, 0.45f);
    if (nav_completed == 0) steer_from_commands();
    if (nav.has_fighter && player_destroyed == 0 && nav_fighter.alive == 1 && nav_completed == 0) nav_fighter_step();

    glEnable(GL_TEXTURE_2D);
    if (player.hull < 1) run_player_destruction();  // its first call sets player_destroyed
    run_fly_out_if_alive(nav.next_state);          // the end of NAV 2's fly-out ends the game
    if (player_destroyed == 0) draw_player_ship(player_hit_side);
    if (nav.has_title && stage_title_fade > 0) draw_stage_title(stage_title_fade);
    if (nav.has_fighter && nav_fighter.alive == 1) draw_nav_fighter();
    draw_enemies(nav.fleet_size);
    draw_shots();
    glDisable(GL_TEXTURE_2D);

    if (nav_completed == 1) draw_results(nav.last_nav);
    if (nav.has_title && stage_title_fade > 0) stage_title_fade -= TITLE_FADE_PER_FRAME;
    if (nav_completed == 0) fleet_step(enemies, nav.fleet_size, nav.respawn_limit);
    move_projectiles();
    recharge_shields();
    recharge_guns(GUN_RECHARGE_PER_FRAME);
    if (player_destroyed == 0 && nav_completed == 0) nav.handle_hits();

    for (ParticlePoolId pool : nav.particle_order) draw_particles(pool);

    if (nav.goal_reached()) complete_nav(nav.voice);
    if (nav_completed == 0) {
        if (nav.advance_clock) nav.advance_clock();
    } else if (bonus_pending != 0) {
        count_in_bonus();
    }
    draw_starfield(1);
}

void frame_nav1() { run_nav_frame(NAV1); }

void frame_nav2() { run_nav_frame(NAV2); }
