// The stage frames: one call steps the world one frame of a NAV and draws it
// through the stage's view (stage/stage_view.h).
#pragma once

enum SteerDirection { STEER_LEFT, STEER_RIGHT, STEER_UP, STEER_DOWN };

// NAV 1 lasts NAV1_LENGTH_FRAMES of play; its rocks stop coming back after
// NAV1_RESPAWN_LIMIT. NAV 2's rocks never stop (its clock stays below the limit).
constexpr int NAV1_RESPAWN_LIMIT = 1200;
constexpr int NAV2_RESPAWN_LIMIT = 1500;

// Called by the display callback once per frame in state 2 / state 3.
void frame_nav1();
void frame_nav2();

// The hit handling of a frame, while the player lives and the NAV runs: rams,
// then the player's shots (and in NAV 2 the enemy fighter's kill and the enemy
// shots), with their damage, sparks and freed shots. Called by the frames; the
// simulation benchmark calls them too.
void handle_nav1_hits();
void handle_nav2_hits();

// Accuracy of this NAV in percent: hits over hits and misses, 0 without shots.
// Called by the results.
double nav_accuracy();

// End-of-NAV bonuses, counted into the score a little every frame of the fly-out.
constexpr int NO_DAMAGE_BONUS = 1000;      // the hull as full as it started
constexpr int HIGH_ACCURACY_BONUS = 1000;  // HIGH_ACCURACY % or more
constexpr int GOOD_ACCURACY_BONUS = 500;   // GOOD_ACCURACY % or more
constexpr double HIGH_ACCURACY = 90.0;
constexpr double GOOD_ACCURACY = 70.0;
// What a completed NAV earns, as its bonuses grant it and its results show it.
struct NavResults {
    double accuracy;     // nav_accuracy()
    bool no_damage;      // NO_DAMAGE_BONUS is earned
    int accuracy_bonus;  // HIGH_ACCURACY_BONUS, GOOD_ACCURACY_BONUS or 0
};
// Called by the frames (the bonuses) and by the results' picture.
NavResults nav_results();

// One step of the fly-out that ends a NAV: the NAV-complete picture, the
// fighter climbing, the HUD panel leaving. When outro_timer runs out it enters
// `next_state` (3 after NAV 1) or, for 0, ends the game as flown, which records
// the score whatever it is. Called by the stage frames every frame while
// nav_completed is 1 and the player is not destroyed (a death sequence under
// way ends the game instead).
void run_nav_complete(int next_state);

// Moves the player's fighter one step in `direction` (keys or remote tilt).
// Called by the frames for the held steering commands.
void steer_player(SteerDirection direction);
// Recharges the four shield sides at a rate set by the gun energy. Every frame.
void recharge_shields();
// Recharges gun energy by `amount`, capped by the hull's share of hull_max.
// Every frame, with 2.0.
void recharge_guns(double amount);
