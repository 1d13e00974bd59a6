#include "stage/world.h"

#include "platform/random.h"

const ShipStats ship_table[4] = {
    {0.04, 200, 80, 100},   // Pilvet
    {0.03, 220, 100, 150},  // Vesker
    {0.02, 280, 160, 200},  // Brantor
    {0.0, 0, 150, 80},      // enemy fighter: speed picked from ENEMY_SPEEDS
};
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
int gun_mode = 0;
int steer_x = 0;
int steer_y = 0;
int tilt_active = 0;
int tilt_pitch = 0;
int tilt_roll = 0;
int nav_fighter_weapon = 0;
int nav_fighter_heading = 0;
int nav_fighter_fire_timer = 0;
int player_hit_side = 0;

double rand_unit() { return rand15() * (1.0 / 32767.0); }

double jitter() { return (rand_unit() - 0.5) * 0.05; }

// Not built yet: the stage simulation issue fills these in.
void particle_burst(Particle*, int*, int, double, double, int) {}
void reset_game() {}
