// Fuzz target: the TGA reader must refuse or accept any byte string without
// reading or writing outside what it owns, and an accepted picture must hold
// exactly the pixels its header promises.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "render/textures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) return 0;
    TgaPicture picture;
    const bool accepted = read_tga(file, &picture);
    fclose(file);
    if (accepted) {
        const size_t promised = static_cast<size_t>(picture.width) * picture.height * (picture.depth / 8);
        if (picture.pixels.size() != promised || size < 18 + promised) abort();
    } else if (!picture.pixels.empty()) {
        abort();  // a refused file leaves nothing behind
    }
    return 0;
}
