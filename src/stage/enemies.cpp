#include "stage/enemies.h"

#include "combat/guns.h"
#include "stage/screen_machine.h"
#include "stage/stage_events.h"

// Where a rock comes back: far above after being shot, nearer after falling out.
constexpr double RESPAWN_HEIGHT_DESTROYED = 1.9;
constexpr double RESPAWN_HEIGHT_FELL_OUT = 1.3;
constexpr double FLEET_EXIT_LINE = -0.2;
constexpr double RESPAWN_X_SHIFT = 0.16;          // x = rand_unit - 0.16: -0.16..0.84
constexpr double RESPAWN_SPEED_SCALE = 1.0 / 21;  // speeds 0..0.0476
constexpr double RESPAWN_SPEED_FLOOR = 0.03;
// NAV 2 rocks all fall fast, in a lane at the left or right edge.
constexpr double NAV2_ROCK_SPEED = 0.05;
constexpr double NAV2_LEFT_LANE_MAX = 0.1;
constexpr double NAV2_RIGHT_LANE_MIN = 0.75;

// The enemy fighter sweeps between these x, sinks to FIGHTER_CRUISE_Y and fires
// every FIGHTER_VOLLEY_FRAMES once it is on screen.
constexpr double FIGHTER_TURN_RIGHT_X = 0.2;
constexpr double FIGHTER_TURN_LEFT_X = 0.7;
constexpr double FIGHTER_CRUISE_Y = 0.8;
constexpr double FIGHTER_FIRE_BELOW_Y = 1.0;
constexpr int FIGHTER_VOLLEY_FRAMES = 10;

static const char* const EXPLOSION_SOUND = "./sfx/sfx_explosion.mp3";

// New x and speed of a respawning rock. Draws: x, the speed test, maybe a fresh
// speed, and in NAV 2 as many x as it takes to land in an edge lane.
static void choose_respawn_lane_and_speed(Enemy& rock) {
    rock.x = rand_unit() - RESPAWN_X_SHIFT;
    double first_speed = rand_unit() * RESPAWN_SPEED_SCALE;
    if (first_speed < RESPAWN_SPEED_FLOOR)
        rock.speed = RESPAWN_SPEED_FLOOR;
    else
        rock.speed = rand_unit() * RESPAWN_SPEED_SCALE;
    if (screen_state == STATE_NAV2) {
        rock.speed = NAV2_ROCK_SPEED;
        while (rock.x > NAV2_LEFT_LANE_MAX && !(rock.x > NAV2_RIGHT_LANE_MIN))
            rock.x = rand_unit() - RESPAWN_X_SHIFT;
    }
}

// A destroyed rock scores (for a living player), bursts, and is retired once
// the NAV clock reached `spawn_limit`, else sent back up. It does not move.
static void destroy_rock(Enemy& rock, int spawn_limit) {
    if (player_destroyed == 0) score += rock.score_value;
    burst_debris(centre_x(rock.x, rock.width), centre_y(rock.y, rock.height));
    if (nav_timer >= spawn_limit) {
        rock.active = 0;
        stage_sound(EXPLOSION_SOUND);
        return;
    }
    rock.y = RESPAWN_HEIGHT_DESTROYED;
    choose_respawn_lane_and_speed(rock);
    rock.hull = rock.hull_max;
    stage_sound(EXPLOSION_SOUND);
}

// Retired rocks fall on too; only a later set-up brings them back into play.
static void drop_rock(Enemy& rock, int spawn_limit) {
    rock.y -= rock.speed;
    if (rock.y >= FLEET_EXIT_LINE) return;
    if (nav_timer > spawn_limit) {
        rock.active = 0;
        return;
    }
    rock.y = RESPAWN_HEIGHT_FELL_OUT;
    choose_respawn_lane_and_speed(rock);
    rock.hull = rock.hull_max;
}

void fleet_step(Enemy* fleet, int count, int spawn_limit) {
    for (int i = 0; i < count; ++i) {
        Enemy& rock = fleet[i];
        if (rock.hull <= 0 && rock.active == 1)
            destroy_rock(rock, spawn_limit);
        else
            drop_rock(rock, spawn_limit);
    }
}

void nav_fighter_step() {
    if (nav_fighter.x < FIGHTER_TURN_RIGHT_X) nav_fighter_heading = 0;
    if (nav_fighter.x > FIGHTER_TURN_LEFT_X) {
        nav_fighter_heading = 1;
        nav_fighter.x -= nav_fighter.speed;
    } else if (nav_fighter_heading == 1) {
        nav_fighter.x -= nav_fighter.speed;
    } else {
        nav_fighter.x += nav_fighter.speed;
    }
    if (nav_fighter.y > FIGHTER_CRUISE_Y) nav_fighter.y -= nav_fighter.speed * FIGHTER_SINK_FACTOR;

    // The timer runs above the screen too, so the first volley comes on the
    // first frame the fighter is below the top edge.
    nav_fighter_fire_timer += 1;
    if (nav_fighter_fire_timer >= FIGHTER_VOLLEY_FRAMES && nav_fighter.y < FIGHTER_FIRE_BELOW_Y &&
        nav_completed == 0) {
        enemy_fire(nav_fighter_weapon);
        nav_fighter_fire_timer = 0;
    }
}

// spawn_shot turns the forward speed downwards for the enemy pool. A full pool
// drops the shot.
static void spawn_enemy_shot(const GunKind& gun, double muzzle, double drift) {
    double x = nav_fighter.x + nav_fighter.width * PIXEL_WIDTH * muzzle;
    spawn_shot(SHOTS_ENEMY, find_free_shot_slot(SHOTS_ENEMY), x, nav_fighter.y, drift,
               gun.forward_speed, gun.width, gun.height, gun.texture, gun.damage);
}

void enemy_fire(int weapon) {
    if (weapon < GUN_LASER || weapon > GUN_NEUTRON) return;
    const GunKind& gun = gun_table[weapon];
    if (weapon == GUN_LASER) stage_sound("./sfx/sfx_gun_2.wav");
    if (weapon == GUN_ION) stage_sound("./sfx/sfx_gun_6.wav");
    spawn_enemy_shot(gun, LEFT_GUN_MOUNT, -gun.drift);
    spawn_enemy_shot(gun, RIGHT_GUN_MOUNT, gun.drift);
}

void move_projectiles() {
    for (Projectile& shot : player_shots) {
        if (shot.active != 1) continue;
        shot.y += shot.dy;
        shot.x += shot.dx;
        if (shot.y > SCREEN_TOP) {
            shot.active = 0;
            if (nav_completed == 0) shots_missed += 1;  // after completion a shot counts neither way
        }
    }
    for (Projectile& shot : enemy_shots) {
        if (shot.active != 1) continue;
        shot.y += shot.dy;
        shot.x += shot.dx;
        if (shot.y < SCREEN_BOTTOM) shot.active = 0;
    }
}
