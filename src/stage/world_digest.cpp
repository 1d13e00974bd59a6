#include "stage/world_digest.h"

void hash_world(WorldHash& hash) {
#define WORLD_DIGEST_ADD(name) hash.add(::name);
    WORLD_INT_SCALARS(WORLD_DIGEST_ADD)
    WORLD_DOUBLE_SCALARS(WORLD_DIGEST_ADD)
    WORLD_RECORDS(WORLD_DIGEST_ADD)
    WORLD_PARTICLES(WORLD_DIGEST_ADD)
#undef WORLD_DIGEST_ADD
}

uint64_t world_digest() {
    WorldHash hash;
    hash_world(hash);
    return hash.value;
}
