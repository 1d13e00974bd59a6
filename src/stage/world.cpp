#include "stage/world.h"

#include "platform/random.h"
#include "stage/screen_machine.h"
#include "stage/stage_events.h"

const ShipStats ship_table[4] = {
    {0.04, 200, 80, 100},   // Pilvet
    {0.03, 220, 100, 150},  // Vesker
    {0.02, 280, 160, 200},  // Brantor
    {0.0, 0, 150, 80},      // enemy fighter: speed picked from ENEMY_SPEEDS
};
const char* fighter_name(int ship) {
    static const char* const NAMES[PLAYER_SHIP_COUNT] = {"Pilvet", "Vesker", "Brantor"};
    return ship >= 0 && ship < PLAYER_SHIP_COUNT ? NAMES[ship] : "";
}

const double ENEMY_SPEEDS[ENEMY_SPEED_COUNT] = {0.010, 0.012, 0.014, 0.016, 0.018,
                                                0.020, 0.022, 0.024, 0.026, 0.028};

Ship player;
Ship nav_fighter;
Enemy enemies[MAX_FLEET_SIZE];
Projectile player_shots[SHOT_POOL_SIZE];
Projectile enemy_shots[SHOT_POOL_SIZE];

Particle debris_particles[DEBRIS_CAPACITY];
Particle hit_sparks[HIT_SPARK_CAPACITY];
Particle impact_sparks[IMPACT_SPARK_CAPACITY];
Particle explosion_particles[EXPLOSION_CAPACITY];
int debris_ring = 0;
int hit_spark_ring = 0;
int impact_spark_ring = 0;
int explosion_ring = 0;

int selected_ship = 0;
int score = 0;
int shots_hit = 0;
int shots_missed = 0;
int bonus_pending = 0;
int bonus_awarded = 0;
int player_destroyed = 0;
int nav_completed = 0;
int outro_timer = 0;
int nav_timer = 0;
int nav_timer_running = 0;
int nav_kills_left = 0;
int stage_started = 0;
double stage_title_fade = 1.0;
double hud_offset = 0.0;
int gun_mode = GUN_MODE_LASER;
int steer_x = HELD_NONE;
int steer_y = HELD_NONE;
int tilt_active = 0;
int tilt_pitch = 0;
int tilt_roll = 0;
double stick_steer_x = 0.0;
double stick_steer_y = 0.0;
int nav_fighter_weapon = 0;
int nav_fighter_heading = 0;
int nav_fighter_fire_timer = 0;
int player_hit_side = 0;

double rand_unit() { return rand15() * (1.0 / RAND15_MAX); }

double jitter() { return (rand_unit() - 0.5) * 0.05; }

// A burst occupies one slot of the pool: every `slots`-th particle from the
// ring position. The next burst takes the next slot, so the oldest is reused.
void particle_burst(Particle* pool, int* ring, int slots, double cx, double cy, int count) {
    for (int k = 0; k < count; ++k) {
        Particle& p = pool[*ring + k * slots];
        p.x = cx;
        p.y = cy;
        p.dx = jitter();
        p.dy = jitter();
    }
    *ring += 1;
    if (*ring >= slots) *ring = 0;
}

void burst_debris(double cx, double cy) {
    particle_burst(debris_particles, &debris_ring, DEBRIS_SLOTS, cx, cy, DEBRIS_PER_BURST);
}

void burst_hit_sparks(double cx, double cy) {
    particle_burst(hit_sparks, &hit_spark_ring, HIT_SPARK_SLOTS, cx, cy, HIT_SPARK_PER_BURST);
}

void burst_impact_sparks(double cx, double cy) {
    particle_burst(impact_sparks, &impact_spark_ring, IMPACT_SPARK_SLOTS, cx, cy,
                   IMPACT_SPARK_PER_BURST);
}

void burst_explosion(double cx, double cy) {
    particle_burst(explosion_particles, &explosion_ring, EXPLOSION_SLOTS, cx, cy,
                   EXPLOSION_PER_BURST);
}

static void park_pool(Particle* pool, int capacity) {
    for (int i = 0; i < capacity; ++i) pool[i] = Particle{-1.0, -1.0, 0.0, 0.0};
}

void park_particles() {
    park_pool(debris_particles, DEBRIS_CAPACITY);
    park_pool(hit_sparks, HIT_SPARK_CAPACITY);
    park_pool(impact_sparks, IMPACT_SPARK_CAPACITY);
    park_pool(explosion_particles, EXPLOSION_CAPACITY);
}

PoolSpan particle_pool(ParticlePoolId pool) {
    switch (pool) {
        case POOL_IMPACT_SPARKS: return {impact_sparks, IMPACT_SPARKS_DRAWN};
        case POOL_HIT_SPARKS: return {hit_sparks, HIT_SPARKS_DRAWN};
        case POOL_EXPLOSION: return {explosion_particles, EXPLOSION_DRAWN};
        case POOL_DEBRIS: break;
    }
    return {debris_particles, DEBRIS_DRAWN};
}

void move_particles(ParticlePoolId pool) {
    const PoolSpan span = particle_pool(pool);
    for (int i = 0; i < span.drawn; ++i) {
        Particle& p = span.particles[i];
        p.x += p.dx;
        p.y += p.dy;
    }
}

void slide_hud_panel() {
    if (nav_completed != 0) return;  // the fly-out slides it out instead
    if (hud_offset > 0)
        hud_offset -= HUD_SLIDE_STEP;
    else
        hud_offset = 0.0;
}

void clear_section_values() {
    hud_offset = HUD_OFFSET_START;
    stage_started = 0;
    nav_completed = 0;
    shots_hit = 0;
    shots_missed = 0;
    bonus_pending = 0;
    bonus_awarded = 0;
}

// Clears what the ended game leaves behind. The ship choice, the NAV clock, the
// records and the pools stay: the next NAV 1 set-up gives them their values.
void reset_game() {
    enter_screen(STATE_MAIN_MENU, FRESH_TEXTURES | FRESH_MUSIC);
    clear_section_values();
    steer_x = HELD_NONE;
    steer_y = HELD_NONE;
    player_destroyed = 0;
    score = 0;
    gun_mode = GUN_MODE_LASER;
    stage_event(STAGE_GAME_RESET);
}
