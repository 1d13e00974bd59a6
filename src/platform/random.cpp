#include "platform/random.h"

#include <cstdint>
#include <cstring>

namespace {

// glibc's rand() is random_r over a 128-byte state (its "type 3" generator); a
// private state of the same size gives the same sequence for the same seed.
constexpr int STATE_BYTES = sizeof(Rand15Saved::state);
char generator_state[STATE_BYTES];
random_data generator;
bool generator_ready = false;

int32_t next_raw() {
    if (!generator_ready) seed_rand15(1);  // rand() without srand() also starts from seed 1
    int32_t value = 0;
    random_r(&generator, &value);
    return value;
}

// 31 bits a draw; the top 15 give the 0..32767 range the game expects.
int own_rand15() { return next_raw() >> 16; }

int (*rand15_source)() = own_rand15;

}  // namespace

int rand15() { return rand15_source(); }

void seed_rand15(unsigned seed) {
    generator = random_data{};
    initstate_r(seed, generator_state, STATE_BYTES, &generator);
    generator_ready = true;
}

unsigned reseed_rand15_for_game() {
    const unsigned seed = static_cast<unsigned>(next_raw());
    seed_rand15(seed);
    return seed;
}

void set_rand15_source(int (*source)()) { rand15_source = source ? source : own_rand15; }

// The generator's pointers point into generator_state, which stays where it
// is: putting its bytes back makes them right again.
Rand15Saved save_rand15() {
    Rand15Saved saved{};
    memcpy(saved.state, generator_state, sizeof saved.state);
    saved.generator = generator;
    saved.ready = generator_ready;
    saved.source = rand15_source;
    return saved;
}

void restore_rand15(const Rand15Saved& saved) {
    memcpy(generator_state, saved.state, sizeof generator_state);
    generator = saved.generator;
    generator_ready = saved.ready;
    rand15_source = saved.source;
}
