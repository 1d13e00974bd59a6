#include "stage/scripted_pilot.h"

#include "stage/game_keys.h"
#include "stage/world.h"

namespace {

enum SteeringDevice { BY_KEYS, BY_STICK, BY_TILT };
constexpr long DEVICE_STRETCH = 300;  // frames each device steers in turn
constexpr double STICK_PUSH_X = 0.6, STICK_PUSH_Y = 0.8;
constexpr int TILT_PITCH = 40, TILT_ROLL = 30;

constexpr double DODGING_Y = 0.3, FIGHTING_Y = 0.2, UNDER_FIRE_Y = 0.6, RAMMING_Y = PLAYER_START_Y;
constexpr double AIM_SLACK = 0.01;  // near enough: no arrow

void send(ScriptedPilot* pilot, long frame, int handler, int key, SteeringValues steering = {}) {
    pilot->send(InputRecord{frame, handler, key, steering});
}

// Presses the arrow `want` (0 for none) on one axis, letting go of the one held.
void hold(ScriptedPilot* pilot, long frame, int* held, int want) {
    if (*held == want) return;
    const bool keys = pilot->device == BY_KEYS;
    if (*held) send(pilot, frame, keys ? INPUT_SPECIAL_UP : INPUT_DEVICE_SPECIAL_UP, special_of_game_key(*held));
    if (want) send(pilot, frame, keys ? INPUT_SPECIAL : INPUT_DEVICE_SPECIAL, special_of_game_key(want));
    *held = want;
}

// A device changes hands: the old one's arrows let go, as a lost device stops
// its steering, and its values cleared.
void change_device(ScriptedPilot* pilot, long frame, int device) {
    if (device == pilot->device) return;
    hold(pilot, frame, &pilot->held_x, 0);
    hold(pilot, frame, &pilot->held_y, 0);
    send(pilot, frame, INPUT_STEER_AXES, HELD_NONE * HELD_VALUE_COUNT + HELD_NONE);
    send(pilot, frame, INPUT_STEERING, 0, SteeringValues{});
    pilot->device = device;
}

void steer(ScriptedPilot* pilot, long frame, int want_x, int want_y) {
    change_device(pilot, frame, static_cast<int>(frame / DEVICE_STRETCH % 3));
    hold(pilot, frame, &pilot->held_x, want_x);
    hold(pilot, frame, &pilot->held_y, want_y);
    const int sign_x = want_x == GAME_KEY_RIGHT ? 1 : want_x == GAME_KEY_LEFT ? -1 : 0;
    const int sign_y = want_y == GAME_KEY_UP ? 1 : want_y == GAME_KEY_DOWN ? -1 : 0;
    if (pilot->device == BY_STICK)
        send(pilot, frame, INPUT_STEERING, 0, {sign_x * STICK_PUSH_X, sign_y * STICK_PUSH_Y, 0, 0, 0});
    if (pilot->device == BY_TILT)
        send(pilot, frame, INPUT_STEERING, 0, {0.0, 0.0, 1, sign_x * TILT_PITCH, sign_y * TILT_ROLL});
}

// How far above the fighter, were it at `x`, the nearest rock or enemy shot
// over it is.
double clearance(double x) {
    const double fighter_width = player.width * PIXEL_WIDTH, fighter_top = player.y + player.height * PIXEL_HEIGHT;
    double nearest = 2.0 * SCREEN_TOP;
    const auto over = [&](double left, double bottom, double width, double height) {
        const bool above = left + width * PIXEL_WIDTH > x - fighter_width / 2 && left < x + fighter_width * 1.5 &&
                           bottom + height * PIXEL_HEIGHT > player.y;
        if (above && bottom - fighter_top < nearest) nearest = bottom - fighter_top;
    };
    for (const Enemy& rock : enemies)
        if (rock.active) over(rock.x, rock.y, rock.width, rock.height);
    for (const Projectile& shot : enemy_shots)
        if (shot.active) over(shot.x, shot.y, shot.width, shot.height);
    return nearest;
}

// Where the fighter is safest: its own place, unless another is clearly clearer.
double safest_x() {
    double best_x = player.x, best = clearance(player.x);
    for (double x = 0.0; x <= PLAYFIELD_WIDTH - player.width * PIXEL_WIDTH; x += 0.02) {
        const double here = clearance(x);
        if (here > best + 0.05 + 0.5 * (x > player.x ? x - player.x : player.x - x)) best = here, best_x = x;
    }
    return best_x;
}

// The lowest rock above the fighter.
double lowest_rock_x() {
    double target = player.x, lowest = 2.0 * SCREEN_TOP;
    for (const Enemy& rock : enemies)
        if (rock.active && rock.y > player.y && rock.y < lowest) lowest = rock.y, target = rock.x;
    return target;
}

int arrow_towards(double target, double now, int below, int above) {
    return target < now - AIM_SLACK ? below : target > now + AIM_SLACK ? above : 0;
}

}  // namespace

void fly_scripted_pilot(ScriptedPilot* pilot, long frame, PilotAim aim, bool fire) {
    const double target_x = aim == PILOT_DODGES ? safest_x() : aim == PILOT_RAMS ? lowest_rock_x() : nav_fighter.x;
    const double target_y = aim == PILOT_DODGES ? DODGING_Y
                            : aim == PILOT_FIGHTS ? FIGHTING_Y
                            : aim == PILOT_TAKES_FIRE ? UNDER_FIRE_Y
                                                      : RAMMING_Y;
    steer(pilot, frame, arrow_towards(target_x, player.x, GAME_KEY_LEFT, GAME_KEY_RIGHT),
          arrow_towards(target_y, player.y, GAME_KEY_DOWN, GAME_KEY_UP));
    if (fire) send(pilot, frame, INPUT_KEY, KEY_SPACE);
}

void pilot_lets_go_across(ScriptedPilot* pilot, long frame) { hold(pilot, frame, &pilot->held_x, 0); }
