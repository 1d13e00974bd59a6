// The world of a stage: records, pools and scalars that live for the whole run.
// Positions are screen units (0..1, origin bottom-left, a record's x, y is its
// lower-left corner); sizes are pixels of the 800x600 design screen; speeds are
// screen units per frame; durations are frames.
#pragma once

#include <cstdint>

// Design-screen pixels to screen units.
constexpr double PIXEL_WIDTH = 0.00125;               // 1/800
constexpr double PIXEL_HEIGHT = 0.0016666666666666668;  // 1/600

// The left 0.84 of the screen is the playfield; the HUD panel covers the rest.
constexpr double PLAYFIELD_WIDTH = 0.84;
// The top and bottom edges: shots leave there, and rocks above the top wait unseen.
constexpr double SCREEN_TOP = 1.0;
constexpr double SCREEN_BOTTOM = 0.0;

// Side codes of a hit on the player's fighter, also the index into shield arrays.
enum { SIDE_NONE = 0, SIDE_FRONT = 1, SIDE_REAR = 2, SIDE_LEFT = 3, SIDE_RIGHT = 4 };

// The player's fighter and the NAV 2 enemy fighter.
struct Ship {
    double x, y;           // lower-left corner
    double speed;          // player: moves speed*0.5 per frame under keys; enemy: speed per frame
    double width, height;  // pixels; 48 for every fighter
    int32_t shield_max[5]; // capacity per side code 1..4 (entry 0 unused)
    double shield[5];      // current shield per side code 1..4 (entry 0 unused)
    int32_t hull_max;
    int32_t hull;          // destroyed when below 1
    int32_t gun_energy_max;
    double gun_energy;     // never below 0
    int32_t alive;         // 1 while in play
};

// One member of the falling rock fleet.
struct Enemy {
    double x, y;
    double speed;          // descent per frame
    double width, height;  // pixels
    int32_t hull_max;      // given back at every respawn
    int32_t hull;          // destroyed when 0 or less
    int32_t score_value;
    int32_t texture;       // texture id 4, 5 or 6
    int32_t active;        // 0 once retired
};

// One shot, the player's or the enemy fighter's.
struct Projectile {
    double x, y;
    double dx, dy;         // motion per frame
    double width, height;  // pixels
    double damage;
    int32_t texture;       // 517, 518 or 519
    int32_t spare;         // always written 0, never read
    int32_t active;        // 1 while in flight
};

// A point particle; parked ones sit at (-1, -1) with no motion.
struct Particle {
    double x, y, dx, dy;
};

// Starting values of a fighter, by ship index: 0 Pilvet, 1 Vesker, 2 Brantor,
// 3 the enemy fighter (whose speed is picked at spawn from ENEMY_SPEEDS).
struct ShipStats {
    double speed;
    int32_t shield_max;
    int32_t hull_max;
    int32_t gun_energy_max;
};
extern const ShipStats ship_table[4];
constexpr int PLAYER_SHIP_COUNT = 3;  // the player's fighters, ship_table rows 0..2
// The name of the player's fighter `ship`; "" for any other value (an empty
// table place, a hand-edited file). Called by the high-score screen and the
// replay verifier.
const char* fighter_name(int ship);
constexpr int ENEMY_SPEED_COUNT = 10;
extern const double ENEMY_SPEEDS[ENEMY_SPEED_COUNT];  // 0.010, 0.012, ..., 0.028

// Fleet sizes and shot pools.
constexpr int NAV1_FLEET_SIZE = 8;
constexpr int NAV2_FLEET_SIZE = 4;
constexpr int MAX_FLEET_SIZE = 8;
constexpr int SHOT_POOL_SIZE = 64;

// The player, the enemy fighter, the fleet and the shots. The set-ups of each
// NAV zero the fleet and both shot pools before filling them.
extern Ship player;
extern Ship nav_fighter;
extern Enemy enemies[MAX_FLEET_SIZE];
extern Projectile player_shots[SHOT_POOL_SIZE];
extern Projectile enemy_shots[SHOT_POOL_SIZE];

// The four particle pools. A burst writes `per burst` particles at a stride of
// the pool's slot count, starting at the ring counter, which then advances and
// wraps at the slot count; a new burst thus overwrites the oldest one.
constexpr int DEBRIS_CAPACITY = 1000, DEBRIS_SLOTS = 5, DEBRIS_PER_BURST = 199;
constexpr int HIT_SPARK_CAPACITY = 200, HIT_SPARK_SLOTS = 10, HIT_SPARK_PER_BURST = 19;
constexpr int IMPACT_SPARK_CAPACITY = 500, IMPACT_SPARK_SLOTS = 10, IMPACT_SPARK_PER_BURST = 49;
constexpr int EXPLOSION_CAPACITY = 1000, EXPLOSION_SLOTS = 5, EXPLOSION_PER_BURST = 199;
extern Particle debris_particles[DEBRIS_CAPACITY];
extern Particle hit_sparks[HIT_SPARK_CAPACITY];
extern Particle impact_sparks[IMPACT_SPARK_CAPACITY];
extern Particle explosion_particles[EXPLOSION_CAPACITY];
extern int debris_ring;         // 0..4
extern int hit_spark_ring;      // 0..9
extern int impact_spark_ring;   // 0..9
extern int explosion_ring;      // 0..4

// World scalars.
extern int selected_ship;        // 0..2, also the fighter's texture id
extern int score;
extern int shots_hit;            // player shots that struck a target
extern int shots_missed;         // player shots that left the top before completion
extern int bonus_pending;        // end-of-NAV bonus not yet counted into score
extern int bonus_awarded;        // 1 once this NAV's bonuses were added
extern int player_destroyed;     // 1 from the first step of the death sequence
extern int nav_completed;        // 1 once the NAV's goal is reached
extern int outro_timer;          // frames left in the death sequence or fly-out
extern int nav_timer;            // NAV 1 frame counter; -1 once complete
extern int nav_timer_running;    // 0 once the player is destroyed
extern int nav_kills_left;       // NAV 2 fighters still to destroy; -1 once complete
extern int stage_started;        // 0 until a section's first frame ran its one-time step
extern double stage_title_fade;  // NAV 1 title brightness, 1.0 falling by 0.01 a frame
extern double hud_offset;        // HUD panel slide; 0 = fully in
extern int gun_mode;             // the player's gun set, one of GUN_MODE_*
extern int steer_x;              // direction held across: HELD_NONE, HELD_LEFT or HELD_RIGHT
extern int steer_y;              // direction held up or down: HELD_NONE, HELD_UP or HELD_DOWN
extern int tilt_active;          // 1 once the remote's tilt steers
extern int tilt_pitch;           // whole degrees, scales horizontal steering
extern int tilt_roll;            // whole degrees, scales vertical steering
extern double stick_steer_x;     // gamepad stick's pace, -1 left .. 1 right; 0 = not steering
extern double stick_steer_y;     // gamepad stick's pace, -1 down .. 1 up; 0 = not steering
extern int nav_fighter_weapon;   // gun_table row the enemy fighter fires
extern int nav_fighter_heading;  // 0 moving right, 1 moving left
extern int nav_fighter_fire_timer;  // frames since the enemy fighter's last volley
extern int player_hit_side;      // side code of the latest hit test on the player

// Values of gun_mode: one kind from both mounts, or lasers with a second kind
// (full guns). Ships 0 and 1 carry laser and ion guns, ship 2 laser and neutron.
enum {
    GUN_MODE_LASER = 0,
    GUN_MODE_ION = 1,
    GUN_MODE_NEUTRON = 2,
    GUN_MODE_LASER_ION = 3,
    GUN_MODE_LASER_NEUTRON = 4,
    GUN_MODE_COUNT = 5,
};
// 1 for a value that names a gun set: the guns and the HUD index by no other.
inline bool is_gun_mode(int mode) { return mode >= GUN_MODE_LASER && mode < GUN_MODE_COUNT; }
// Values of steer_x and steer_y: the direction held on each axis.
constexpr int HELD_NONE = 0;
constexpr int HELD_LEFT = 1, HELD_RIGHT = 2;  // steer_x
constexpr int HELD_UP = 1, HELD_DOWN = 2;     // steer_y
constexpr int HELD_VALUE_COUNT = 3;           // values either axis can hold, HELD_NONE included

// Where the HUD panel starts at start-up and when a game or NAV 2 begins: off to the right.
constexpr double HUD_OFFSET_START = 0.26;
// Slide-in per frame while the NAV is not complete.
constexpr double HUD_SLIDE_STEP = 0.01;
// Frames of NAV 1's play: its goal, and the top of the HUD's progress map.
constexpr int NAV1_LENGTH_FRAMES = 1500;
// Where the player's fighter starts NAV 1 and NAV 2.
constexpr double PLAYER_START_X = 0.4;
constexpr double PLAYER_START_Y = 0.05;
// While the player explodes, and while it descends to its cruise height, the
// enemy fighter sinks at this share of its speed.
constexpr double FIGHTER_SINK_FACTOR = 0.2;
// Lengths of the two sequences that share outro_timer.
constexpr int DEATH_SEQUENCE_FRAMES = 150;
constexpr int NAV_OUTRO_FRAMES = 200;

// rand15() scaled to 0..1 inclusive. Every random draw of the game goes
// through it, and the order of draws is part of each rule that uses them.
double rand_unit();
// (rand_unit() - 0.5) * 0.05: -0.025..0.025.
double jitter();

// Bursts `count` particles at (cx, cy) into `pool`, at stride `slots` from the
// ring counter, which then advances and wraps at `slots`. Each particle takes
// two draws, dx then dy.
void particle_burst(Particle* pool, int* ring, int slots, double cx, double cy, int count);
// The four bursts of the game, each with its pool's stride and particle count.
// Called when a rock is destroyed (debris), a player shot hits a rock (hit
// sparks), the player's hull or the enemy fighter is hit (impact sparks), a
// fighter is destroyed (explosion).
void burst_debris(double cx, double cy);
void burst_hit_sparks(double cx, double cy);
void burst_impact_sparks(double cx, double cy);
void burst_explosion(double cx, double cy);
// Parks every particle of the four pools at (-1, -1) with no motion. Called by
// both NAV set-ups.
void park_particles();

// The four pools by name, as the frames draw and move them.
enum ParticlePoolId { POOL_DEBRIS, POOL_HIT_SPARKS, POOL_IMPACT_SPARKS, POOL_EXPLOSION };
// Elements of each pool that are drawn and moved: its burst slots times the
// particles per burst (the last few of the capacity are never used).
constexpr int DEBRIS_DRAWN = DEBRIS_SLOTS * DEBRIS_PER_BURST;                      // 995
constexpr int HIT_SPARKS_DRAWN = HIT_SPARK_SLOTS * HIT_SPARK_PER_BURST;            // 190
constexpr int IMPACT_SPARKS_DRAWN = IMPACT_SPARK_SLOTS * IMPACT_SPARK_PER_BURST;   // 490
constexpr int EXPLOSION_DRAWN = EXPLOSION_SLOTS * EXPLOSION_PER_BURST;             // 995
// The first element of a pool and how many of them are drawn and moved.
struct PoolSpan {
    Particle* particles;
    int drawn;
};
// The span of `pool`. Called by move_particles and by the particles' drawing.
PoolSpan particle_pool(ParticlePoolId pool);
// Moves every drawn element of one pool by its motion, in index order.
// Particles never die: parked and old ones drift on until a burst reuses their
// slot. Called by the stage frames once per pool per frame, right after the
// pool is drawn.
void move_particles(ParticlePoolId pool);

// Centre of a record given its lower-left corner and its size in pixels.
inline double centre_x(double x, double width) { return x + width * PIXEL_WIDTH * 0.5; }
inline double centre_y(double y, double height) { return y + height * PIXEL_HEIGHT * 0.5; }

// A section starts afresh: the HUD panel off to the right, the one-time step
// and the goal still ahead, accuracy and bonuses judged anew. Called by
// setup_nav2 and reset_game.
void clear_section_values();

// Slides the HUD panel in by one step while the NAV runs; a step that
// overshoots below 0 is snapped to exactly 0 the next time. Called by every
// stage and quit-overlay frame right after the HUD is drawn.
void slide_hud_panel();

// Ends the running game and returns to the main menu; its last step tells the
// game (STAGE_GAME_RESET) to reset the menus and the remote. Called by end_game
// (app/game_end), which records the score first, since this clears it, and by
// the replay player.
void reset_game();
