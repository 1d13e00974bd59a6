// The 750-star backdrop shared by every screen but the logo intro.
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
// Moves and draws the field, last in every frame: vertical 1 makes the stars
// fall (stages, quit overlay), 0 drift left (menus). Texturing must be off.
void draw_starfield(int vertical);
