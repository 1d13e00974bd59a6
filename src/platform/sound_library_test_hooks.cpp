// The output meter the audio tests read. The mixer's post-mix step hands over
// each block just before it goes to the device (the dummy driver included).
#include <SDL2/SDL_mixer.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>

#include "platform/sound_library.h"
#include "platform/sound_library_internal.h"

static std::atomic<int> output_peak{0};
static bool meter_wanted = false;

// Runs on SDL's audio thread. The device is opened with signed 16-bit samples
// and format changes are not allowed, so the block is that format.
static void measure_output(void*, Uint8* stream, int length) {
    const int16_t* samples = reinterpret_cast<const int16_t*>(stream);
    int loudest = 0;
    for (int i = 0; i < length / 2; ++i) {
        int level = std::abs(static_cast<int>(samples[i]));
        if (level > loudest) loudest = level;
    }
    int seen = output_peak.load();
    while (loudest > seen && !output_peak.compare_exchange_weak(seen, loudest)) {
    }
}

void sound_library_attach_meter() {
    if (meter_wanted && sound_library_open) Mix_SetPostMix(measure_output, nullptr);
}

void sound_library_test_meter_output() {
    meter_wanted = true;
    sound_library_attach_meter();
}

int sound_library_test_output_peak() { return output_peak.exchange(0); }
