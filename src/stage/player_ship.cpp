// The per-frame work on the player's fighter: steering and the two recharges.
#include <cmath>

#include "stage/frames.h"
#include "stage/world.h"

// The fighter stays in the playfield, above the bottom edge and in the lower
// 0.7 of the screen.
constexpr double PLAYER_MIN_Y = 0.05;
constexpr double PLAYER_MAX_Y = 0.7;
constexpr double KEY_STEP_FACTOR = 0.5;       // a key moves speed * 0.5 a frame
constexpr double TILT_STEP_FACTOR = 1.0 / 90;  // 45 degrees of tilt steer as fast as a key

// How far a gamepad stick pointing in `direction` is pushed, from 0 (not that
// way) to 1 (fully).
static double stick_push(SteerDirection direction) {
    switch (direction) {
        case STEER_LEFT: return -stick_steer_x;
        case STEER_RIGHT: return stick_steer_x;
        case STEER_UP: return stick_steer_y;
        case STEER_DOWN: return -stick_steer_y;
    }
    return 0.0;
}

// Under tilt steering the move is signed by the tilt, which input has already
// matched to the direction; under keys the direction gives the sign. A stick
// pushed the way the ship goes sets the pace, up to key speed.
void steer_player(SteerDirection direction) {
    bool tilt = tilt_active == 1;
    int tilt_amount = (direction == STEER_LEFT || direction == STEER_RIGHT) ? tilt_pitch : tilt_roll;
    double step = tilt ? tilt_amount * player.speed * TILT_STEP_FACTOR : player.speed * KEY_STEP_FACTOR;
    double stick = stick_push(direction);
    if (stick > 0) {
        tilt = false;
        step = stick * player.speed * KEY_STEP_FACTOR;
    }
    switch (direction) {
        case STEER_LEFT:
            player.x += tilt ? step : -step;
            if (player.x < 0) player.x = 0;
            break;
        case STEER_RIGHT: {
            player.x += step;
            double max_x = PLAYFIELD_WIDTH - player.width * PIXEL_WIDTH;
            if (player.x > max_x) player.x = max_x;
            break;
        }
        case STEER_UP:
            player.y += step;
            if (player.y > PLAYER_MAX_Y) player.y = PLAYER_MAX_Y;
            break;
        case STEER_DOWN:
            player.y += tilt ? step : -step;
            if (player.y < PLAYER_MIN_Y) player.y = PLAYER_MIN_Y;
            break;
    }
}

// A pilot who keeps the guns charged gets faster shields. The energy share is
// a whole percentage, truncated.
void recharge_shields() {
    double energy_percent = std::trunc(player.gun_energy / player.gun_energy_max * 100.0);
    double rate = 0.0;
    if (energy_percent >= 75)
        rate = 0.05;
    else if (energy_percent >= 50)
        rate = 0.04;
    else if (energy_percent >= 25)
        rate = 0.03;
    for (int side = SIDE_FRONT; side <= SIDE_RIGHT; ++side)
        if (player.shield[side] < player.shield_max[side]) player.shield[side] += rate;
    for (int side = SIDE_FRONT; side <= SIDE_RIGHT; ++side)
        if (player.shield[side] > player.shield_max[side]) player.shield[side] = player.shield_max[side];
}

// A damaged hull lowers the reachable energy in proportion; a destroyed one
// holds it at 0.
void recharge_guns(double amount) {
    if (player.gun_energy < player.gun_energy_max) player.gun_energy += amount;
    double cap = player.gun_energy_max * (static_cast<double>(player.hull) / player.hull_max);
    if (player.gun_energy > cap) player.gun_energy = cap;
    if (player.gun_energy < 0) player.gun_energy = 0;
}
