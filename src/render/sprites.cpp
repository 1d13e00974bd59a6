#include "render/sprites.h"

int shield_flash_side = 0;

// Not built yet: the stage drawing issue fills these in.
void draw_player_ship(int) {}
void draw_nav_fighter() {}
void draw_stage_title(double) {}
void draw_enemies(int) {}
void draw_shots() {}
void draw_particles(ParticlePoolId) {}
void run_nav_complete(int) {}
