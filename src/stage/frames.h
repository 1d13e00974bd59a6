// The stage frames: one call simulates and draws one frame of a NAV.
#pragma once

enum SteerDirection { STEER_LEFT, STEER_RIGHT, STEER_UP, STEER_DOWN };

// Called by the display callback once per frame in state 2 / state 3.
void frame_nav1();
void frame_nav2();

// Moves the player's fighter one step in `direction` (keys or remote tilt).
void steer_player(SteerDirection direction);
// Recharges the four shield sides at a rate set by the gun energy.
void recharge_shields();
// Recharges gun energy by `amount`, capped by the hull's share of hull_max.
void recharge_guns(double amount);
