// The cost of the heaviest stage frame: NAV 2 with the enemy fighter, both shot
// pools full, every particle pool in flight, the HUD with all its content and
// the stars, drawn by the software renderer. Processor time per frame (all of
// the process's threads, so the renderer's own threads count) up to glFinish;
// the median is reported as median_ms.
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/screen_state.h"
#include "support/bench_window.h"
#include "support/gl_timing.h"
#include "render/hud.h"
#include "render/sprites.h"
#include "render/starfield.h"
#include "render/textures.h"
#include "stage/world.h"
#include "stage/world_snapshot.h"

namespace {

// Stand-in pictures of a plausible size, for a tree whose game folder has none yet.
void write_stand_in(const char* path, int size) {
    unsigned char header[18] = {};
    header[2] = 2;
    header[12] = static_cast<unsigned char>(size & 0xFF);
    header[13] = static_cast<unsigned char>(size >> 8);
    header[14] = header[12];
    header[15] = header[13];
    header[16] = 32;
    std::vector<unsigned char> pixels(static_cast<size_t>(size) * size * 4, 200);
    FILE* f = fopen(path, "wb");
    if (f == nullptr) return;
    fwrite(header, 1, sizeof header, f);
    fwrite(pixels.data(), 1, pixels.size(), f);
    fclose(f);
}

// NAV 2's pictures: the game's own when the game folder has them.
const char* load_nav2_pictures() {
    const std::string game_tex = std::string(GAME_DIR) + "/tex/tex_hud.tga";
    if (access(game_tex.c_str(), R_OK) == 0) {
        if (chdir(GAME_DIR) == 0) {
            load_state_textures(STATE_NAV2);
            return "game pictures";
        }
    }
    const char* stand_in = "/tmp/korvane_bench_stand_in.tga";
    write_stand_in(stand_in, 128);
    for (int i = 0; i < state_texture_count(STATE_NAV2); ++i) load_tga_texture(stand_in, state_texture_id(STATE_NAV2, i));
    unlink(stand_in);
    return "stand-in pictures";
}

double spread(int i, int n, double span) { return span * (i % n) / n; }

// Everything a busy NAV 2 frame has on screen.
void fill_heaviest_world() {
    selected_ship = 2;
    player = Ship{};
    player.x = 0.4;
    player.y = 0.1;
    player.speed = ship_table[2].speed;
    player.width = player.height = 48;
    player.hull_max = ship_table[2].hull_max;
    player.hull = player.hull_max * 3 / 4;
    player.gun_energy_max = ship_table[2].gun_energy_max;
    player.gun_energy = 150;
    for (int side = 1; side <= 4; ++side) {
        player.shield_max[side] = ship_table[2].shield_max;
        player.shield[side] = 250;
    }
    player.alive = 1;

    nav_fighter = Ship{};
    nav_fighter.x = 0.3;
    nav_fighter.y = 0.85;
    nav_fighter.speed = 0.02;
    nav_fighter.width = nav_fighter.height = 48;
    nav_fighter.hull_max = nav_fighter.hull = 150;
    nav_fighter.gun_energy_max = 80;
    nav_fighter.alive = 1;

    memset(enemies, 0, sizeof enemies);
    for (int i = 0; i < NAV2_FLEET_SIZE; ++i) {
        Enemy& rock = enemies[i];
        rock.x = 0.05 + 0.2 * i;
        rock.y = 0.5 + 0.05 * i;
        rock.speed = 0.005;
        rock.width = rock.height = 64;
        rock.hull_max = rock.hull = 100;
        rock.score_value = 100;
        rock.texture = 4;
        rock.active = 1;
    }
    // Both shot pools full, in columns clear of the rocks and the fighters. The
    // player's volleys of lasers and neutron shots take their slots in pairs
    // (gun mode 4); the enemy fighter fires one kind at a time.
    for (int slot = 0; slot < SHOT_POOL_SIZE; ++slot) {
        Projectile& mine = player_shots[slot];
        mine = Projectile{};
        mine.x = 0.02 + spread(slot, 16, 0.8);
        mine.y = 0.25 + 0.02 * (slot / 16);
        mine.dy = 0.04;
        mine.width = 4;
        mine.height = 8;
        mine.damage = 20;
        mine.texture = (slot / 2) % 2 == 0 ? TEX_SHOT_LASER : TEX_SHOT_NEUTRON;
        mine.active = 1;
        Projectile& theirs = enemy_shots[slot];
        theirs = mine;
        theirs.y = 0.35 + 0.02 * (slot / 16);
        theirs.dy = -0.02;
        theirs.texture = TEX_SHOT_ION;
    }
    // Every particle of every pool in flight over the playfield.
    struct Pool {
        Particle* particles;
        int drawn;
    } pools[] = {{debris_particles, DEBRIS_DRAWN}, {hit_sparks, HIT_SPARKS_DRAWN},
                 {impact_sparks, IMPACT_SPARKS_DRAWN}, {explosion_particles, EXPLOSION_DRAWN}};
    for (const Pool& pool : pools)
        for (int i = 0; i < pool.drawn; ++i)
            pool.particles[i] = {spread(i * 7, 97, 0.84), spread(i * 13, 89, 1.0), 0.001 * (i % 5 - 2), 0.001 * (i % 7 - 3)};

    score = 12340;
    hud_offset = 0.0;
    gun_mode = GUN_MODE_LASER_NEUTRON;
    snprintf(message_text, sizeof message_text, "%s", "Guns switched");
    message_timer = 1000000;
    nav_timer = -1;
    nav_kills_left = 5;
    nav_completed = 0;
    player_destroyed = 0;
    stage_started = 1;
    player_hit_side = SIDE_LEFT;
    stars_on = 1;
}

// The world a frame changes, so every measured frame starts from the same one:
// the whole world with its particles, and the stars, which the frame moves too.
struct Snapshot {
    WorldSnapshot world;
    Star stars[STAR_COUNT];
    int screen_state;
};
Snapshot saved;

void save_frame_world() {
    save_world(saved.world);
    memcpy(saved.stars, starfield, sizeof starfield);
    saved.screen_state = screen_state;
}

void restore_frame_world() {
    restore_world(saved.world);
    memcpy(starfield, saved.stars, sizeof starfield);
    screen_state = saved.screen_state;
    shield_flash_side = 0;
}

void prepare(benchmark::State& state) {
    open_bench_window();
    state.SetLabel(load_nav2_pictures());
    init_starfield();
    fill_heaviest_world();
    screen_state = STATE_NAV2;
    textures_loaded = 1;  // pictures in place: no set-up, no reload
    music_started = 1;
    save_frame_world();
}

// Times `frame` once per iteration from the same world, processor time up to glFinish.
template <typename Frame>
void run_frames(benchmark::State& state, Frame frame) {
    time_gl_steps(state, restore_frame_world, frame);
}

// The whole frame as the game runs it: clear, NAV 2's frame, swap.
void HeaviestStageFrame(benchmark::State& state) {
    prepare(state);
    run_frames(state, [] { display_callback(); });
}

// Only this frame's drawing, in the frame's order: HUD, ships, rocks, shots,
// the four particle pools, the stars.
void HeaviestStageDrawing(benchmark::State& state) {
    prepare(state);
    run_frames(state, [] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        draw_hud();
        glEnable(GL_TEXTURE_2D);
        draw_player_ship(player_hit_side);
        draw_nav_fighter();
        draw_enemies(NAV2_FLEET_SIZE);
        draw_shots();
        glDisable(GL_TEXTURE_2D);
        draw_particles(POOL_IMPACT_SPARKS);
        draw_particles(POOL_HIT_SPARKS);
        draw_particles(POOL_DEBRIS);
        draw_particles(POOL_EXPLOSION);
        draw_starfield(1);
    });
}

}  // namespace

BENCHMARK(HeaviestStageFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(HeaviestStageDrawing)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK_MAIN();
