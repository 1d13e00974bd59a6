// Fuzz target: the check that keeps unplayable songs away from the synthesiser,
// and the survey of what a song needs, must read any byte string without
// reading outside it.
#include <cstddef>
#include <cstdint>

#include "platform/sound_library_midi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (sound_library_midi_is_playable(data, size)) sound_library_midi_needs(data, size);
    sound_library_is_midi_song("song.mid", data, size);
    return 0;
}
