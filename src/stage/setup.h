// Filling the world when a NAV starts.
#pragma once

// Where each enemy fighter enters: the first far above the screen, the next
// ones after a kill a little lower.
constexpr double NAV_FIGHTER_ENTRY_X = 0.4;
constexpr double NAV_FIGHTER_START_Y = 1.5;
constexpr double NAV_FIGHTER_RESPAWN_Y = 1.25;

// Called by the dispatcher once on entering NAV 1: fleet, free shots, parked
// particles, the NAV clock.
void setup_nav1();
// Called by the dispatcher once on entering NAV 2: its fleet, the first enemy
// fighter, the kill count; the player carries over from NAV 1.
void setup_nav2();
// Called by NAV 1's first frame: fills the player's fighter from ship_table.
void setup_player();
// Places a fresh enemy fighter at (x, y) with a random speed and weapon; `row`
// is always 0 (ship_table index 3). Called by setup_nav2 and after each kill.
void spawn_nav_fighter(double x, double y, int row);
