#include "combat/guns.h"

const GunKind gun_table[3] = {
    {10, 0.04, 0.0, 4, 8, 20, 517},    // laser
    {15, 0.03, 0.001, 8, 8, 25, 518},  // ion
    {20, 0.02, 0.003, 8, 8, 30, 519},  // neutron
};

// Not built yet: the stage simulation issue fills these in.
void fire_guns() {}
void spawn_shot(int, int, double, double, double, double, double, double, int, int) {}
int find_free_shot_slot(int) { return -1; }
