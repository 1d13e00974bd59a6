// The 750-star backdrop shared by every screen but the logo intro: the table
// and its motion. The stars never touch the world's values; they move here,
// with the frames that show them, and render/starfield draws them.
#pragma once

constexpr int STAR_COUNT = 750;
constexpr double STAR_SPEED_SCALE = 0.02;  // a star moves speed * this per drawn frame

struct Star {
    double x, y;   // screen units
    double speed;  // 0..1
};

extern Star starfield[STAR_COUNT];
extern int stars_on;  // 1: stars shown during stage play and the quit overlay

// Fills the field at random. Called once by start-up.
void init_starfield();
// 1 while the field shows: always in the menus, during stage play and the quit
// overlay only with stars_on.
int stars_shown();
// Moves every star while the field shows: vertical 1 makes them fall (stages,
// quit overlay), 0 drift left (menus); a star at or past the edge re-enters at
// the opposite one. Called by every frame that shows the stars, before it
// draws them.
void move_starfield(int vertical);
