#include "stage/rules_fingerprint.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>

#include "platform/random.h"
#include "stage/game_keys.h"
#include "stage/screen_machine.h"
#include "stage/scripted_pilot.h"
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

// In NAV 2 the first game's pilot fights the enemy fighter, then takes its
// fire until the hull suffers, and at last rams the rocks from the bottom
// line until a front ram pushes it off.
constexpr long NAV2_FIGHTING_FRAMES = 500, NAV2_UNDER_FIRE_FRAMES = 1000;
constexpr long RESTART_AFTER_LOSS = 40;  // Enter this many frames into the death sequence

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
    ScriptedPilot pilot;
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

// Every record goes to the stage; the volleys it fires are noted by gun set.
void send_to_stage(const InputRecord& record) {
    const double energy = player.gun_energy;
    const int mode = gun_mode;
    apply_stage_record(record);
    if (player.gun_energy < energy) flight.report.gun_modes_fired |= 1 << mode;
}

void press(int handler, int key) { send_to_stage(InputRecord{flight.frame, handler, key, SteeringValues{}}); }

void fly_pilot(const FixedGame& game) {
    const long f = flight.frame;
    for (size_t i = 0; i < game.key_count; ++i)
        if (game.keys[i].frame == f) press(game.keys[i].handler, game.keys[i].key);
    if (game.restarts_when_lost && flight.lost_at >= 0 && f == flight.lost_at + RESTART_AFTER_LOSS)
        press(INPUT_KEY, KEY_ENTER);
    if (!in_stage_range(screen_state) || player_destroyed) {
        // A direction let go of while paused is ignored there: N clears it.
        if (screen_state == STATE_QUIT_OVERLAY) pilot_lets_go_across(&flight.pilot, f);
        return;
    }
    const bool nav2 = screen_state == STATE_NAV2;
    const bool fighting = nav2 && f - flight.nav2_from < NAV2_FIGHTING_FRAMES;
    const bool under_fire = nav2 && !fighting && f - flight.nav2_from < NAV2_UNDER_FIRE_FRAMES;
    const PilotAim aim = !nav2 ? PILOT_DODGES : fighting ? PILOT_FIGHTS : under_fire ? PILOT_TAKES_FIRE : PILOT_RAMS;
    fly_scripted_pilot(&flight.pilot, f, aim, f % QUIET_FRAMES_BEFORE_FIRE == 0 && (!nav2 || fighting));
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
    stars_on = 0;  // the stars never touch the world: left still, they cost nothing
    seed_rand15(FLIGHT_SEED);
    set_rand15_source(nullptr);
    stage_view = &NULL_STAGE_VIEW;
    stage_event_hook = hear;
    flight = Flight{};
    flight.pilot.send = send_to_stage;
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
