#include "stage/world_digest.h"

#include <cstring>
#include <initializer_list>

#include "stage/world_snapshot.h"

namespace {

// FNV-1a's step over 64-bit words, with a shift folded back in so that high
// bits reach the low ones.
struct WorldHash {
    uint64_t value = 14695981039346656037ull;
    void word(uint64_t w) { value = (value ^ w) * 1099511628211ull ^ (value >> 29); }
    void add(int32_t v) { word(static_cast<uint32_t>(v)); }
    void add(double v) {
        uint64_t bits;
        memcpy(&bits, &v, sizeof bits);
        word(bits);
    }
    void add(const Ship& s) {
        for (double v : {s.x, s.y, s.speed, s.width, s.height, s.gun_energy}) add(v);
        for (int side = 0; side < 5; ++side) {
            add(s.shield_max[side]);
            add(s.shield[side]);
        }
        for (int32_t v : {s.hull_max, s.hull, s.gun_energy_max, s.alive}) add(v);
    }
    void add(const Enemy& e) {
        for (double v : {e.x, e.y, e.speed, e.width, e.height}) add(v);
        for (int32_t v : {e.hull_max, e.hull, e.score_value, e.texture, e.active}) add(v);
    }
    void add(const Projectile& p) {
        for (double v : {p.x, p.y, p.dx, p.dy, p.width, p.height, p.damage}) add(v);
        for (int32_t v : {p.texture, p.active}) add(v);
    }
    void add(const Particle& p) {
        for (double v : {p.x, p.y, p.dx, p.dy}) add(v);
    }
    template <typename T, size_t N> void add(const T (&items)[N]) {
        for (const T& item : items) add(item);
    }
};

}  // namespace

uint64_t world_digest() {
    WorldHash hash;
#define WORLD_DIGEST_ADD(name) hash.add(::name);
    WORLD_INT_SCALARS(WORLD_DIGEST_ADD)
    WORLD_DOUBLE_SCALARS(WORLD_DIGEST_ADD)
    WORLD_RECORDS(WORLD_DIGEST_ADD)
    WORLD_PARTICLES(WORLD_DIGEST_ADD)
#undef WORLD_DIGEST_ADD
    return hash.value;
}
