// Memory over many song changes: the player goes from the main menu to the
// credits and back again and again, and each visit starts its song through the
// display callback. Every MIDI song builds its own synthesizer (several MB), so
// a song that is replaced but not freed shows at once as resident growth.
//
// Run under Xvfb: the display callback draws into a real GL window. The sound
// goes to SDL's dummy driver, which still runs the mixer (and so the synth).
// Uses the game folder's songs when they exist, else generated stand-ins.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/screen_state.h"
#include "audio/sound.h"
#include "support/bench_window.h"
#include "menus/screens.h"
#include "persist/settings.h"
#include "platform/sound_library.h"

namespace {

constexpr int SOAK_CYCLES = 200;
constexpr int FRAMES_PER_VISIT = 2;
constexpr int FRAME_MS = 40;

double resident_megabytes() {
    long pages_total = 0, pages_resident = 0;
    FILE* statm = fopen("/proc/self/statm", "r");
    if (!statm) return 0.0;
    if (fscanf(statm, "%ld %ld", &pages_total, &pages_resident) != 2) pages_resident = 0;
    fclose(statm);
    return pages_resident * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Bytes the program holds through malloc in the main arena and in its own
// mappings: with anonymous_megabytes, tells a leak (both grow) from memory the
// allocator keeps after it was freed (only the resident part grows).
double heap_in_use_megabytes() {
    struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// The private anonymous part of the resident set (heap, mappings, stacks): what
// a leak makes grow. The rest is library code paged in from the file cache.
double anonymous_megabytes() {
    FILE* status = fopen("/proc/self/status", "r");
    if (!status) return 0.0;
    char line[256];
    long kilobytes = 0;
    while (fgets(line, sizeof line, status))
        if (sscanf(line, "RssAnon: %ld", &kilobytes) == 1) break;
    fclose(status);
    return kilobytes / 1024.0;
}

void put_be(std::string& out, unsigned value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

// A minute of a few chords on three instruments: enough for the synth to
// allocate voices the way a real song does.
std::string stand_in_song(int first_program) {
    std::string track;
    for (int channel = 0; channel < 3; ++channel)
        track += {'\0', static_cast<char>(0xc0 | channel), static_cast<char>(first_program + 8 * channel)};
    for (int beat = 0; beat < 120; ++beat) {
        for (int channel = 0; channel < 3; ++channel)
            track += {'\0', static_cast<char>(0x90 | channel), static_cast<char>(48 + 7 * channel + beat % 12), 90};
        for (int channel = 0; channel < 3; ++channel) {
            if (channel == 0)
                track += {'\x83', '\x60'};  // a beat (480 ticks) later
            else
                track += '\0';
            track += {static_cast<char>(0x80 | channel), static_cast<char>(48 + 7 * channel + beat % 12), 0};
        }
    }
    track += {'\0', '\xff', '\x2f', '\0'};
    std::string midi = "MThd";
    put_be(midi, 6, 4);
    put_be(midi, 0, 2);
    put_be(midi, 1, 2);
    put_be(midi, 480, 2);
    midi += "MTrk";
    put_be(midi, track.size(), 4);
    return midi + track;
}

// Works in the game folder when its songs exist, else in a scratch folder
// holding stand-ins under the same names. Returns the folder used.
std::string enter_song_folder() {
    namespace fs = std::filesystem;
    std::string game = GAME_DIR;
    if (fs::exists(game + "/mus/mus_menu.mid") && fs::exists(game + "/mus/mus_cred.mid")) {
        fs::current_path(game);
        return game;
    }
    std::string scratch = (fs::temp_directory_path() / "korvane-music-soak").string();
    fs::create_directories(scratch + "/mus");
    std::ofstream(scratch + "/mus/mus_menu.mid", std::ios::binary) << stand_in_song(0);
    std::ofstream(scratch + "/mus/mus_cred.mid", std::ios::binary) << stand_in_song(48);
    fs::current_path(scratch);
    return scratch;
}

// A few frames of the current state, at the game's pace, so the song plays.
void run_frames() {
    for (int frame = 0; frame < FRAMES_PER_VISIT; ++frame) {
        display_callback();
        std::this_thread::sleep_for(std::chrono::milliseconds(FRAME_MS));
    }
}

// The transitions the keys make: Enter on the credits item, Esc back.
void go_to_credits() {
    screen_state = STATE_CREDITS;
    textures_loaded = 0;
    music_started = 0;
}

void back_to_menu() {
    screen_state = STATE_MAIN_MENU;
    credits_scroll = 0.0;
    textures_loaded = 0;
    music_started = 0;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_MenuCreditsSongSoak(benchmark::State& state) {
    open_bench_window();
    std::string folder = enter_song_folder();
    sound_library_test_use_drivers("dummy", nullptr);
    sfx = 1;
    music = 1;
    musicvol = 5;
    start_sound_backend();

    double rss_start = resident_megabytes();
    double rss_warm = 0.0, anon_warm = 0.0, anon_half = 0.0, heap_warm = 0.0;
    std::vector<double> song_start_ms;
    auto timed_frames = [&] {
        auto before = std::chrono::steady_clock::now();
        display_callback();  // the first frame of a visit starts the song
        song_start_ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count());
        run_frames();
    };

    for (auto _ : state) {
        back_to_menu();
        for (int cycle = 0; cycle < SOAK_CYCLES; ++cycle) {
            timed_frames();
            go_to_credits();
            timed_frames();
            back_to_menu();
            if (cycle == 0) {
                rss_warm = resident_megabytes();
                anon_warm = anonymous_megabytes();
                heap_warm = heap_in_use_megabytes();
            }
            if (cycle == SOAK_CYCLES / 2 - 1) anon_half = anonymous_megabytes();
        }
    }
    double rss_end = resident_megabytes();
    double anon_end = anonymous_megabytes();
    double heap_end = heap_in_use_megabytes();
    state.counters["cycles"] = SOAK_CYCLES;
    state.counters["rss_start_MB"] = rss_start;
    state.counters["rss_after_1_MB"] = rss_warm;
    state.counters["rss_after_200_MB"] = rss_end;
    state.counters["growth_MB"] = rss_end - rss_warm;
    state.counters["anon_after_1_MB"] = anon_warm;
    state.counters["anon_after_100_MB"] = anon_half;  // linear growth is a leak, a levelling one is not
    state.counters["anon_after_200_MB"] = anon_end;
    state.counters["anon_growth_MB"] = anon_end - anon_warm;
    state.counters["heap_in_use_after_1_MB"] = heap_warm;
    state.counters["heap_in_use_after_200_MB"] = heap_end;
    state.counters["songs_held"] = sound_library_test_songs_held();
    state.counters["first_frame_median_ms"] = median(song_start_ms);
    std::printf("songs from %s\n", folder.c_str());
    close_sound_backend();
}
BENCHMARK(BM_MenuCreditsSongSoak)->Iterations(1)->Unit(benchmark::kSecond);

// What one effect costs the frame that plays it: read from disk, decode, start.
void BM_PlaySoundLatency(benchmark::State& state) {
    enter_song_folder();
    std::string wav = "RIFF";
    const unsigned frames = 44100 / 4;  // a quarter second click
    auto put_le = [&](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) wav += static_cast<char>((value >> (8 * i)) & 0xff);
    };
    put_le(36 + frames * 2, 4);
    wav += "WAVEfmt ";
    put_le(16, 4), put_le(1, 2), put_le(1, 2), put_le(44100, 4), put_le(88200, 4), put_le(2, 2), put_le(16, 2);
    wav += "data";
    put_le(frames * 2, 4);
    for (unsigned i = 0; i < frames; ++i) put_le((i / 50) % 2 ? 0xe000 : 0x2000, 2);
    std::ofstream("click.wav", std::ios::binary) << wav;

    sound_library_test_use_drivers("dummy", nullptr);
    sfx = 1;
    sfxvol = 5;
    start_sound_backend();
    for (auto _ : state) play_sound("click.wav");
    close_sound_backend();
}
BENCHMARK(BM_PlaySoundLatency)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same for the game's own effects, decoded MP3s included (the intro music
// is an eleven-second MP3 played as an effect on the first frame).
void BM_PlayGameEffectLatency(benchmark::State& state, const char* path) {
    std::string folder = enter_song_folder();
    if (!std::filesystem::exists(path)) {
        state.SkipWithError("the game folder has no such file");
        return;
    }
    sound_library_test_use_drivers("dummy", nullptr);
    sfx = 1;
    sfxvol = 5;
    start_sound_backend();
    for (auto _ : state) play_sound(path);
    close_sound_backend();
}
BENCHMARK_CAPTURE(BM_PlayGameEffectLatency, gun_click_wav, "./sfx/sfx_gun_5.wav")
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_PlayGameEffectLatency, explosion_mp3, "./sfx/sfx_explosion.mp3")
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_PlayGameEffectLatency, intro_music_mp3, "./mus/mus_logo.mp3")
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What starting a song costs the frame that starts it: a MIDI song builds a synth.
void BM_PlayMusicLatency(benchmark::State& state) {
    enter_song_folder();
    sound_library_test_use_drivers("dummy", nullptr);
    music = 1;
    musicvol = 5;
    start_sound_backend();
    for (auto _ : state) play_music("./mus/mus_menu.mid");
    close_sound_backend();
}
BENCHMARK(BM_PlayMusicLatency)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
