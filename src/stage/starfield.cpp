#include "stage/starfield.h"

#include <cstring>
#include <ctime>

#include "platform/random.h"
#include "stage/screen_machine.h"

Star starfield[STAR_COUNT];
int stars_on = 1;

// Divided, not multiplied by the reciprocal as rand_unit does: the two can
// differ in the last bit, and the stars keep their own formula.
static double random_fraction() { return rand15() / static_cast<double>(RAND15_MAX); }

void init_starfield() {
    memset(starfield, 0, sizeof starfield);
    seed_rand15(static_cast<unsigned>(time(nullptr)));
    for (Star& star : starfield) {
        star.x = random_fraction();
        star.y = random_fraction();
        star.speed = random_fraction();
    }
}

// The stars switch only covers stage play and its quit overlay; menus always show them.
int stars_shown() { return stars_on == 1 || !in_stars_switch_range(screen_state) ? 1 : 0; }

void move_starfield(int vertical) {
    if (!stars_shown()) return;  // hidden stars stand still
    for (Star& star : starfield) {
        double& coordinate = vertical == 1 ? star.y : star.x;
        coordinate -= star.speed * STAR_SPEED_SCALE;
        if (coordinate <= 0.0) coordinate = 1.0;  // re-enter at the opposite edge, same line
    }
}
