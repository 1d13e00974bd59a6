#include "stage/rules_fingerprint.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>

#include "platform/random.h"
#include "stage/game_keys.h"
#include "stage/screen_machine.h"
#include "stage/stage_input.h"
#include "stage/stage_screen.h"
#include "stage/stage_view.h"
#include "stage/starfield.h"
#include "stage/world.h"
#include "stage/world_digest.h"
#include "stage/world_snapshot.h"

namespace {

constexpr unsigned FLIGHT_SEED = 20080209;
// The whole world (its 2 700 particles too) is hashed every this many frames
// and as each game ends; its scalars and the two fighters every frame.
constexpr long WHOLE_WORLD_EVERY = 50;

// The pilot's input device takes turns by stretches of frames.
enum SteeringDevice { BY_KEYS, BY_STICK, BY_TILT };
constexpr long DEVICE_STRETCH = 300;
constexpr double STICK_PUSH_X = 0.6, STICK_PUSH_Y = 0.8;
constexpr int TILT_PITCH = 40, TILT_ROLL = 30;

// Where the pilot holds the fighter: high enough that a ram on the front
// does not push it off the bottom; in NAV 2 lower, under the enemy fighter,
// firing, then close under its guns until the hull suffers, and at last on
// the bottom line, where the rams finish it.
constexpr double NAV1_CRUISE_Y = 0.3, NAV2_CRUISE_Y = 0.2, UNDER_FIRE_Y = 0.6, LAST_CRUISE_Y = PLAYER_START_Y;
constexpr long NAV2_FIGHTING_FRAMES = 500, NAV2_UNDER_FIRE_FRAMES = 1000;
constexpr long RESTART_AFTER_LOSS = 40;  // Enter this many frames into the death sequence
constexpr double AIM_SLACK = 0.01;

// Keys a game presses, by its frame.
struct TimedKey {
    long frame;
    int handler;
    int key;
};
// The first game: Enter on an intact fighter (nothing), the guns through the
// sets of laser and ion, the pause and back, no missiles.
const TimedKey FIRST_GAME_KEYS[] = {
    {230, INPUT_KEY, KEY_ENTER}, {250, INPUT_KEY, 'g'}, {320, INPUT_KEY, 'G'}, {380, INPUT_KEY, 'f'},
    {400, INPUT_KEY, KEY_ESC}, {420, INPUT_KEY, 'n'}, {430, INPUT_KEY, 'm'}, {470, INPUT_KEY, 'g'},
};
// The other two: every gun set of their ship (Brantor's neutron guns among
// them), then the quit prompt, yes.
const TimedKey SHORT_GAME_KEYS[] = {
    {30, INPUT_KEY, 'g'}, {80, INPUT_KEY, 'g'}, {130, INPUT_KEY, 'g'}, {160, INPUT_KEY, 'F'},
    {230, INPUT_KEY, KEY_ESC}, {240, INPUT_KEY, 'y'},
};

// Who flies each game, for how many frames at most whatever the rules do, its
// keys, and whether a lost fighter starts again with Enter (the first lets
// its death sequence run out).
struct FixedGame {
    int ship;
    long frame_limit;
    const TimedKey* keys;
    size_t key_count;
    bool restarts_when_lost;
};
const FixedGame GAMES[] = {
    {0, 4000, FIRST_GAME_KEYS, sizeof FIRST_GAME_KEYS / sizeof FIRST_GAME_KEYS[0], false},
    {2, 260, SHORT_GAME_KEYS, sizeof SHORT_GAME_KEYS / sizeof SHORT_GAME_KEYS[0], true},
    {1, 260, SHORT_GAME_KEYS, sizeof SHORT_GAME_KEYS / sizeof SHORT_GAME_KEYS[0], true},
};
constexpr long QUIET_FRAMES_BEFORE_FIRE = 5;  // a volley at most every this many frames

struct Flight {
    RulesRunReport report;
    WorldHash hash;
    long frame;          // of the game being flown
    bool ended;
    int held_x, held_y;  // the arrow each axis holds, 0 none
    SteeringDevice device;
    long nav2_from;      // the frame NAV 2 began, or -1
    long lost_at;        // the frame the fighter was lost, or -1
};
Flight flight;

void hear(const StageEvent& event) {
    ++flight.report.heard[event.kind];
    if (event.kind == STAGE_MUSIC) music_started = 1;  // as the game's song starts once a visit
    if (event.kind == STAGE_PLAYER_DESTROYED) flight.lost_at = flight.frame;
    if (event.kind != STAGE_GAME_ENDS) return;
    ++flight.report.endings[event.value];
    // The world as a replay's verdict takes it: as the game ends, before the reset.
    flight.hash.word(world_digest());
    flight.hash.add(score);
    flight.hash.add(static_cast<int32_t>(flight.frame));
    flight.ended = true;
    reset_game();
}

void act(int handler, int key, SteeringValues steering = {}) {
    const double energy = player.gun_energy;
    const int mode = gun_mode;
    apply_stage_record(InputRecord{flight.frame, handler, key, steering});
    if (player.gun_energy < energy) flight.report.gun_modes_fired |= 1 << mode;
}

// Presses the arrow `want` (0 for none) on one axis, letting go of the one held.
void hold(int* held, int want) {
    if (*held == want) return;
    const bool keys = flight.device == BY_KEYS;
    if (*held) act(keys ? INPUT_SPECIAL_UP : INPUT_DEVICE_SPECIAL_UP, special_of_game_key(*held));
    if (want) act(keys ? INPUT_SPECIAL : INPUT_DEVICE_SPECIAL, special_of_game_key(want));
    *held = want;
}

// A device changes hands: the old one's arrows let go, as a lost device stops
// its steering, and its values cleared.
void change_device(SteeringDevice device) {
    if (device == flight.device) return;
    hold(&flight.held_x, 0);
    hold(&flight.held_y, 0);
    act(INPUT_STEER_AXES, HELD_NONE * HELD_VALUE_COUNT + HELD_NONE);
    act(INPUT_STEERING, 0, SteeringValues{});
    flight.device = device;
}

void steer(int want_x, int want_y) {
    change_device(static_cast<SteeringDevice>(flight.frame / DEVICE_STRETCH % 3));
    hold(&flight.held_x, want_x);
    hold(&flight.held_y, want_y);
    const int sign_x = want_x == GAME_KEY_RIGHT ? 1 : want_x == GAME_KEY_LEFT ? -1 : 0;
    const int sign_y = want_y == GAME_KEY_UP ? 1 : want_y == GAME_KEY_DOWN ? -1 : 0;
    if (flight.device == BY_STICK) act(INPUT_STEERING, 0, {sign_x * STICK_PUSH_X, sign_y * STICK_PUSH_Y, 0, 0, 0});
    if (flight.device == BY_TILT) act(INPUT_STEERING, 0, {0.0, 0.0, 1, sign_x * TILT_PITCH, sign_y * TILT_ROLL});
}

// How far above the fighter, were it at `x`, the nearest rock over it is.
double clearance(double x) {
    const double fighter_width = player.width * PIXEL_WIDTH, fighter_top = player.y + player.height * PIXEL_HEIGHT;
    double nearest = 2.0 * SCREEN_TOP;
    for (const Enemy& rock : enemies) {
        const double right = rock.x + rock.width * PIXEL_WIDTH, top = rock.y + rock.height * PIXEL_HEIGHT;
        const bool over = rock.active && right > x - fighter_width / 2 && rock.x < x + fighter_width * 1.5 &&
                          top > player.y;
        if (over && rock.y - fighter_top < nearest) nearest = rock.y - fighter_top;
    }
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

// The lowest rock above the fighter: what the pilot rams at last.
double lowest_rock_x() {
    double target = player.x, lowest = 2.0 * SCREEN_TOP;
    for (const Enemy& rock : enemies)
        if (rock.active && rock.y > player.y && rock.y < lowest) lowest = rock.y, target = rock.x;
    return target;
}


int arrow_towards(double target, double now, int below, int above) {
    return target < now - AIM_SLACK ? below : target > now + AIM_SLACK ? above : 0;
}

void fly_pilot(const FixedGame& game) {
    const long f = flight.frame;
    for (size_t i = 0; i < game.key_count; ++i)
        if (game.keys[i].frame == f) act(game.keys[i].handler, game.keys[i].key);
    if (game.restarts_when_lost && flight.lost_at >= 0 && f == flight.lost_at + RESTART_AFTER_LOSS)
        act(INPUT_KEY, KEY_ENTER);
    if (!in_stage_range(screen_state) || player_destroyed) {
        // A direction let go of while paused is ignored there: N clears it.
        if (screen_state == STATE_QUIT_OVERLAY && flight.held_x) hold(&flight.held_x, 0);
        return;
    }
    const bool nav2 = screen_state == STATE_NAV2;
    const bool fighting = nav2 && f - flight.nav2_from < NAV2_FIGHTING_FRAMES;
    const bool under_fire = nav2 && !fighting && f - flight.nav2_from < NAV2_UNDER_FIRE_FRAMES;
    const double cruise = !nav2 ? NAV1_CRUISE_Y : fighting ? NAV2_CRUISE_Y : under_fire ? UNDER_FIRE_Y : LAST_CRUISE_Y;
    const double target_x = fighting || under_fire ? nav_fighter.x : nav2 ? lowest_rock_x() : safest_x();
    steer(arrow_towards(target_x, player.x, GAME_KEY_LEFT, GAME_KEY_RIGHT),
          arrow_towards(cruise, player.y, GAME_KEY_DOWN, GAME_KEY_UP));
    if (f % QUIET_FRAMES_BEFORE_FIRE == 0 && (!nav2 || fighting)) act(INPUT_KEY, ' ');
}

void hash_frame() {
    WorldHash& h = flight.hash;
    h.add(static_cast<int32_t>(screen_state));
#define RULES_HASH_SCALAR(name) h.add(name);
    WORLD_INT_SCALARS(RULES_HASH_SCALAR)
    WORLD_DOUBLE_SCALARS(RULES_HASH_SCALAR)
#undef RULES_HASH_SCALAR
    h.add(player);
    h.add(nav_fighter);
    if (flight.frame % WHOLE_WORLD_EVERY == 0) h.word(world_digest());
}

void fly_game(const FixedGame& game) {
    flight.frame = 0;
    flight.ended = false;
    flight.nav2_from = flight.lost_at = -1;
    selected_ship = game.ship;
    enter_screen(STATE_NAV1, FRESH_TEXTURES | FRESH_MUSIC);
    for (; !flight.ended && flight.frame < game.frame_limit; ++flight.frame) {
        if (flight.frame > 0) fly_pilot(game);  // frame 0 sets NAV 1 up: input acts from the next
        const int state = screen_state;
        const int kills_left = nav_kills_left;
        frame_stage_screen();
        if (state == STATE_NAV1 || state == STATE_NAV2) ++flight.report.frames_flown[state - STATE_NAV1];
        if (state == STATE_QUIT_OVERLAY) ++flight.report.frames_paused;
        if (state == STATE_NAV2 && kills_left > 0)
            flight.report.fighters_destroyed += kills_left - (nav_kills_left > 0 ? nav_kills_left : 0);
        if (screen_state == STATE_NAV2 && flight.nav2_from < 0) flight.nav2_from = flight.frame;
        if (!flight.ended) hash_frame();
    }
}

// Everything the games touch beyond what they hash.
struct Kept {
    WorldSnapshot world;
    int screen_state, textures_loaded, music_started, paused_state;
    Star stars[STAR_COUNT];
    int stars_on;
    Rand15Saved generator;
    const StageView* view;
    void (*hook)(const StageEvent& event);
};

}  // namespace

uint64_t fly_rules_fingerprint(RulesRunReport* report) {
    const auto kept = std::make_unique<Kept>();
    save_world(kept->world);
    kept->screen_state = screen_state, kept->textures_loaded = textures_loaded;
    kept->music_started = music_started, kept->paused_state = paused_state;
    std::copy(std::begin(starfield), std::end(starfield), kept->stars);
    kept->stars_on = stars_on;
    kept->generator = save_rand15();
    kept->view = stage_view;
    kept->hook = stage_event_hook;

    zero_world();
    hud_offset = HUD_OFFSET_START;
    seed_rand15(FLIGHT_SEED);
    set_rand15_source(nullptr);
    stage_view = &NULL_STAGE_VIEW;
    stage_event_hook = hear;
    flight = Flight{};
    for (const FixedGame& game : GAMES) fly_game(game);
    const Flight flown = flight;

    restore_world(kept->world);
    screen_state = kept->screen_state, textures_loaded = kept->textures_loaded;
    music_started = kept->music_started, paused_state = kept->paused_state;
    std::copy(std::begin(kept->stars), std::end(kept->stars), starfield);
    stars_on = kept->stars_on;
    restore_rand15(kept->generator);
    stage_view = kept->view;
    stage_event_hook = kept->hook;
    if (report) *report = flown.report;
    return flown.hash.value;
}

uint64_t rules_fingerprint() {
    static const uint64_t fingerprint = fly_rules_fingerprint(nullptr);
    return fingerprint;
}
