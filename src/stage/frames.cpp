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
    if (steer_x == 1) steer_player(STEER_LEFT);
    if (steer_x == 2) steer_player(STEER_RIGHT);
    if (steer_y == 1) steer_player(STEER_UP);
    if (steer_y == 2) steer_player(STEER_DOWN);
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

// NAV 1: survive the rock field for 1500 frames.
void frame_nav1() {
    draw_hud();
    if (stage_started == 0) {
        setup_player();
        stage_started = 1;
    }
    if (player_destroyed == 1) draw_high_score_place(0.31f, 0.45f);
    if (nav_completed == 0) steer_from_commands();

    glEnable(GL_TEXTURE_2D);
    if (player.hull < 1) run_player_destruction();  // its first call sets player_destroyed
    run_fly_out_if_alive(STATE_NAV2);
    if (player_destroyed == 0) draw_player_ship(player_hit_side);
    if (stage_title_fade > 0) draw_stage_title(stage_title_fade);
    draw_enemies(NAV1_FLEET_SIZE);
    draw_shots();
    glDisable(GL_TEXTURE_2D);

    if (nav_completed == 1) draw_results(false);
    if (stage_title_fade > 0) stage_title_fade -= TITLE_FADE_PER_FRAME;
    if (nav_completed == 0) fleet_step(enemies, NAV1_FLEET_SIZE, NAV1_RESPAWN_LIMIT);
    move_projectiles();
    recharge_shields();
    recharge_guns(GUN_RECHARGE_PER_FRAME);
    if (player_destroyed == 0 && nav_completed == 0) handle_nav1_hits();

    draw_particles(POOL_EXPLOSION);
    draw_particles(POOL_IMPACT_SPARKS);
    draw_particles(POOL_HIT_SPARKS);
    draw_particles(POOL_DEBRIS);

    if (nav_timer == NAV1_LENGTH_FRAMES) {
        complete_nav("./sfx/sfx_voc_nav_completed.mp3");
        nav_timer = -1;
    }
    if (nav_completed == 0) {
        if (nav_timer_running == 1) nav_timer += 1;
    } else if (bonus_pending != 0) {
        count_in_bonus();
    }
    draw_starfield(1);
}

// NAV 2: destroy ten enemy fighters.
void frame_nav2() {
    draw_hud();
    if (nav_kills_left > 0) {
        char text[TEXT_SIZE];
        snprintf(text, sizeof text, "Enemies left to destroy in this NAV: %d", nav_kills_left);
        draw_white_text(0.59f, 0.02f, LARGE_FONT, text);
    }
    if (stage_started == 0) {  // the rest of the fighter stays as NAV 1 left it
        stage_started = 1;
        player.x = PLAYER_START_X;
        player.y = PLAYER_START_Y;
    }
    if (player_destroyed == 1) draw_high_score_place(0.31f, 0.45f);
    if (nav_completed == 0) steer_from_commands();
    if (player_destroyed == 0 && nav_fighter.alive == 1 && nav_completed == 0) nav_fighter_step();

    glEnable(GL_TEXTURE_2D);
    if (player.hull < 1) run_player_destruction();
    run_fly_out_if_alive(STATE_MAIN_MENU);  // the end of this fly-out ends the game
    if (player_destroyed == 0) draw_player_ship(player_hit_side);
    if (nav_fighter.alive == 1) draw_nav_fighter();
    draw_enemies(NAV2_FLEET_SIZE);
    draw_shots();
    glDisable(GL_TEXTURE_2D);

    if (nav_completed == 1) draw_results(true);
    if (nav_completed == 0) fleet_step(enemies, NAV2_FLEET_SIZE, NAV2_RESPAWN_LIMIT);
    move_projectiles();
    recharge_shields();
    recharge_guns(GUN_RECHARGE_PER_FRAME);
    if (player_destroyed == 0 && nav_completed == 0) handle_nav2_hits();

    draw_particles(POOL_IMPACT_SPARKS);
    draw_particles(POOL_HIT_SPARKS);
    draw_particles(POOL_DEBRIS);
    draw_particles(POOL_EXPLOSION);

    if (nav_kills_left == 0) {
        complete_nav("./sfx/sfx_voc_stage_completed.mp3");
        nav_kills_left = -1;
    }
    if (nav_completed == 1 && bonus_pending != 0) count_in_bonus();
    draw_starfield(1);
}
