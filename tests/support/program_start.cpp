#include "support/program_start.h"

#include <cstring>
#include <vector>

#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/screen_keys.h"
#include "menus/screens.h"
#include "persist/high_scores.h"
#include "render/hud.h"
#include "render/sprites.h"
#include "stage/world_snapshot.h"

namespace {

// A value's place and its bytes at start. Text buffers are kept whole: the run
// digest hashes their bytes past the end of the text too, which a later,
// shorter text leaves behind.
struct Remembered {
    void* place;
    std::vector<unsigned char> bytes;
};
std::vector<Remembered> at_start;

void remember(void* place, size_t size) {
    const auto* bytes = static_cast<unsigned char*>(place);
    at_start.push_back({place, {bytes, bytes + size}});
}

}  // namespace

void remember_program_start() {
#define REMEMBER(name) remember(&::name, sizeof ::name);
    WORLD_INT_SCALARS(REMEMBER)
    WORLD_DOUBLE_SCALARS(REMEMBER)
    WORLD_RECORDS(REMEMBER)
    WORLD_PARTICLES(REMEMBER)
    // What start-up leaves alone outside the world: the table, the song's name,
    // the intro's fade, the notice line, the quit overlay's way back, the sound ring.
    REMEMBER(high_scores) REMEMBER(music_path) REMEMBER(logo_fade) REMEMBER(logo_fade_step)
    REMEMBER(message_text) REMEMBER(message_timer) REMEMBER(paused_state) REMEMBER(restart_notice)
    REMEMBER(shield_flash_side) REMEMBER(sound_ring_index)
#undef REMEMBER
}

void restore_program_start() {
    for (const Remembered& value : at_start) memcpy(value.place, value.bytes.data(), value.bytes.size());
}
