// The stage frames: one call simulates and draws one frame of a NAV.
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

// Moves the player's fighter one step in `direction` (keys or remote tilt).
// Called by the frames for the held steering commands.
void steer_player(SteerDirection direction);
// Recharges the four shield sides at a rate set by the gun energy. Every frame.
void recharge_shields();
// Recharges gun energy by `amount`, capped by the hull's share of hull_max.
// Every frame, with 2.0.
void recharge_guns(double amount);
