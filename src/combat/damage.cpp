#include "combat/damage.h"

#include "app/game_end.h"
#include "audio/sound.h"
#include "input/gamepad.h"
#include "render/picture.h"
#include "render/textures.h"
#include "stage/world.h"

// How far a ram on a holding shield pushes the fighter away from the side struck.
constexpr double RAM_KNOCK_BACK = 0.05;

// The game-over picture, centred on the playfield left of the HUD panel.
constexpr float GAME_OVER_LEFT = 0.26f, GAME_OVER_RIGHT = 0.58f;
constexpr float GAME_OVER_BOTTOM = 0.47f, GAME_OVER_TOP = 0.52f;
const Colour GAME_OVER_COLOUR = {1.0f, 0.7f, 0.7f};

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
    play_sound("./sfx/sfx_shield_1.wav");
}

// A side that is down lets the hit through to the hull, without knock-back.
static void hit_hull(int side, int damage) {
    player.shield[side] = 0;
    player.hull -= damage;
    play_sound("./sfx/sfx_shield_2.wav");
    gamepad_rumble_hull_hit();
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
        play_sound("./sfx/sfx_explosion.mp3");
        gamepad_rumble_destroyed();
    }
    nav_fighter.y -= nav_fighter.speed * FIGHTER_SINK_FACTOR;
    draw_picture(TEX_GAME_OVER, GAME_OVER_COLOUR, GAME_OVER_LEFT, GAME_OVER_BOTTOM, GAME_OVER_RIGHT, GAME_OVER_TOP);

    outro_timer -= 1;
    if (outro_timer == 0) end_game(ENDING_DESTROYED);
}
