#include "stage/frames.h"

#include "combat/damage.h"
#include "stage/enemies.h"
#include "stage/screen_machine.h"
#include "stage/setup.h"
#include "stage/stage_events.h"
#include "stage/stage_view.h"
#include "stage/starfield.h"
#include "stage/world.h"

constexpr double GUN_RECHARGE_PER_FRAME = 2.0;
constexpr double TITLE_FADE_PER_FRAME = 0.01;
constexpr int ENEMY_FIGHTER_SCORE = 500;

constexpr int BONUS_COUNT_PER_FRAME = 20;

// Fly-out motion per frame: the fighter climbs away, the HUD panel leaves.
constexpr double FLY_OUT_CLIMB = 0.018;
constexpr double FLY_OUT_HUD_SLIDE = 0.005;

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

NavResults nav_results() {
    NavResults results;
    results.accuracy = nav_accuracy();
    results.no_damage = player.hull == player.hull_max;
    results.accuracy_bonus = 0;
    if (results.accuracy >= HIGH_ACCURACY)
        results.accuracy_bonus = HIGH_ACCURACY_BONUS;
    else if (results.accuracy >= GOOD_ACCURACY)
        results.accuracy_bonus = GOOD_ACCURACY_BONUS;
    return results;
}

// The results show every frame of a completed NAV; its bonuses are granted on
// the first of them only.
static void grant_bonuses() {
    if (bonus_awarded == 0) {
        const NavResults results = nav_results();
        if (results.no_damage) bonus_pending += NO_DAMAGE_BONUS;
        bonus_pending += results.accuracy_bonus;
    }
    bonus_awarded = 1;
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
    stage_sound(voice);
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
            stage_sound("./sfx/sfx_shield_2.wav");
            shot.active = 0;
        }
    }

    // A kill brings the next fighter in at once.
    if (nav_fighter.hull < 1 && nav_fighter.alive != 0) {
        burst_explosion(centre_x(nav_fighter.x, nav_fighter.width),
                        centre_y(nav_fighter.y, nav_fighter.height));
        stage_sound("./sfx/sfx_explosion.mp3");
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
    bool has_fighter;           // NAV 2: the enemy fighter, and the count of those left to destroy
    ParticlePoolId particle_order[4];
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
    .first_frame = first_nav2_frame,
    .handle_hits = handle_nav2_hits,
    .goal_reached = nav2_fighters_destroyed,
    .advance_clock = nullptr,
};

// One frame of a NAV: HUD, one-time step, steering, the sequences under way,
// the pictures, results, simulation, hits, particles, the goal, the starfield.
// The world steps here; the view only draws what it finds, in this same order.
static void run_nav_frame(const NavSection& nav) {
    const StageView& view = *stage_view;
    view.draw_hud();
    slide_hud_panel();
    if (nav.has_fighter) view.draw_kills_left();
    if (stage_started == 0) {
        nav.first_frame();
        stage_started = 1;
    }
    if (player_destroyed == 1) view.draw_new_high_score();
    if (nav_completed == 0) steer_from_commands();
    if (nav.has_fighter && player_destroyed == 0 && nav_fighter.alive == 1 && nav_completed == 0) nav_fighter_step();

    view.begin_pictures();
    if (player.hull < 1) run_player_destruction();  // its first call sets player_destroyed
    run_fly_out_if_alive(nav.next_state);          // the end of NAV 2's fly-out ends the game
    if (player_destroyed == 0) view.draw_player_ship(player_hit_side);
    if (nav.has_title && stage_title_fade > 0) view.draw_stage_title(stage_title_fade);
    if (nav.has_fighter && nav_fighter.alive == 1) view.draw_nav_fighter();
    view.draw_enemies(nav.fleet_size);
    view.draw_shots();
    view.end_pictures();

    if (nav_completed == 1) {
        grant_bonuses();
        view.draw_results(nav.last_nav);
    }
    if (nav.has_title && stage_title_fade > 0) stage_title_fade -= TITLE_FADE_PER_FRAME;
    if (nav_completed == 0) fleet_step(enemies, nav.fleet_size, nav.respawn_limit);
    move_projectiles();
    recharge_shields();
    recharge_guns(GUN_RECHARGE_PER_FRAME);
    if (player_destroyed == 0 && nav_completed == 0) nav.handle_hits();

    for (ParticlePoolId pool : nav.particle_order) {
        view.draw_particles(pool);
        move_particles(pool);
    }

    if (nav.goal_reached()) complete_nav(nav.voice);
    if (nav_completed == 0) {
        if (nav.advance_clock) nav.advance_clock();
    } else if (bonus_pending != 0) {
        count_in_bonus();
    }
    move_starfield(1);  // the stars fall
    view.draw_starfield();
}

void frame_nav1() { run_nav_frame(NAV1); }

void frame_nav2() { run_nav_frame(NAV2); }

void run_nav_complete(int next_state) {
    stage_view->draw_nav_complete();
    player.y += FLY_OUT_CLIMB;
    hud_offset += FLY_OUT_HUD_SLIDE;

    // At or below 0 rather than only at 0: a timer that arrives here already
    // spent must still end the fly-out instead of counting down forever.
    outro_timer -= 1;
    if (outro_timer > 0) return;
    if (next_state == STATE_MAIN_MENU)
        stage_game_ends(ENDING_STAGE_FLOWN);  // the end of the stage; its reset clears textures_loaded too
    else
        enter_screen(next_state, FRESH_TEXTURES);
}
