#include "combat/damage.h"

#include "stage/stage_events.h"
#include "stage/stage_view.h"
#include "stage/world.h"

// How far a ram on a holding shield pushes the fighter away from the side struck.
constexpr double RAM_KNOCK_BACK = 0.05;

// Points of damage by hit kind: ram, enemy shot and two kinds nothing deals yet.
// An enemy shot costs the same whatever gun fired it.
static const int HIT_DAMAGE[] = {8, 10, 15, 20};
constexpr int HIT_KIND_COUNT = sizeof HIT_DAMAGE / sizeof HIT_DAMAGE[0];

// Kinds past the table deal their own value.
static int damage_of(int hit_kind) {
    if (hit_kind >= 0 && hit_kind < HIT_KIND_COUNT) return HIT_DAMAGE[hit_kind];
    return hit_kind;
}

// A holding shield takes the whole hit, however large; a broken one goes one
// point below empty so it recharges from -1.
static void hit_holding_shield(int side, int hit_kind, int damage) {
    double& shield = player.shield[side];
    shield -= damage;
    if (shield < 0) shield = -1;
    if (hit_kind == HIT_RAM) {
        if (side == SIDE_FRONT) player.y -= RAM_KNOCK_BACK;
        if (side == SIDE_REAR) player.y += RAM_KNOCK_BACK;
        if (side == SIDE_LEFT) player.x += RAM_KNOCK_BACK;
        if (side == SIDE_RIGHT) player.x -= RAM_KNOCK_BACK;
    }
    // Pushed off the bottom of the screen: the fighter is lost.
    if (side == SIDE_FRONT && player.y < 0) player.hull = 0;
    stage_sound("./sfx/sfx_shield_1.wav");
}

// A side that is down lets the hit through to the hull, without knock-back.
static void hit_hull(int side, int damage) {
    player.shield[side] = 0;
    player.hull -= damage;
    stage_sound("./sfx/sfx_shield_2.wav");
    stage_event(STAGE_HULL_HIT);
    burst_impact_sparks(centre_x(player.x, player.width), centre_y(player.y, player.height));
}

void damage_player(int side, int hit_kind) {
    if (side < SIDE_FRONT || side > SIDE_RIGHT) return;
    int damage = damage_of(hit_kind);
    if (player.shield[side] > 0)
        hit_holding_shield(side, hit_kind, damage);
    else
        hit_hull(side, damage);
}


void run_player_destruction() {
    if (player_destroyed == 0) {
        burst_explosion(centre_x(player.x, player.width), centre_y(player.y, player.height));
        player_destroyed = 1;
        nav_timer_running = 0;
        outro_timer = DEATH_SEQUENCE_FRAMES;
        stage_sound("./sfx/sfx_explosion.mp3");
        stage_event(STAGE_PLAYER_DESTROYED);
    }
    nav_fighter.y -= nav_fighter.speed * FIGHTER_SINK_FACTOR;
    stage_view->draw_game_over();

    outro_timer -= 1;
    if (outro_timer == 0) stage_game_ends(ENDING_DESTROYED);
}
