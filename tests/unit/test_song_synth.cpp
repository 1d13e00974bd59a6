// The sound layer's own MIDI player against the mixer's: the same song, volume
// and looping must reach the device sample for sample. The device is SDL's
// disk driver writing to /dev/null with no delay, so a second of music mixes in
// milliseconds, and every block the mixer sends is caught after the mix.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/sound_library.h"
#include "platform/sound_library_midi.h"
#include "platform/sound_library_synth.h"
#include "support/scratch_dir.h"
#include "test_sound_support.h"

namespace {

constexpr int RATE = 44100;
constexpr char SYSTEM_SOUNDFONT[] = "/usr/share/sounds/sf2/TimGM6mb.sf2";

std::vector<Sint16> captured;
size_t capture_wanted = 0;
std::atomic<bool> capture_full{false};

void capture_output(void*, Uint8* stream, int length) {
    if (capture_full) return;
    const Sint16* samples = reinterpret_cast<const Sint16*>(stream);
    captured.insert(captured.end(), samples, samples + length / 2);
    if (captured.size() >= capture_wanted) capture_full = true;
}

// The mixer's device: SDL numbers opened devices from 2, and only the mixer opens one.
SDL_AudioDeviceID mixer_device() {
    for (SDL_AudioDeviceID id = 2; id < 16; ++id)
        if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) return id;
    return 0;
}

// Arms the capture under the audio lock, starts a song with `start` (still
// under it, so the first block caught is the song's first), and waits for
// `seconds` of output.
template <typename Start>
std::vector<Sint16> mixed_output(double seconds, Start start) {
    const SDL_AudioDeviceID device = mixer_device();
    SDL_LockAudioDevice(device);
    captured.clear();
    capture_wanted = static_cast<size_t>(seconds * RATE) * 2;
    capture_full = false;
    start();
    SDL_UnlockAudioDevice(device);
    for (int waited = 0; !capture_full && waited < 5000; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    SDL_LockAudioDevice(device);
    std::vector<Sint16> out(captured.begin(), captured.begin() + std::min(captured.size(), capture_wanted));
    SDL_UnlockAudioDevice(device);
    return out;
}

// `seconds` of `song` at `volume` (0..255) played by the mixer's player.
std::vector<Sint16> mixers_output(const char* song, bool looping, int volume, double seconds) {
    Mix_Music* music = nullptr;
    std::vector<Sint16> out = mixed_output(seconds, [&] {
        music = Mix_LoadMUS(song);
        ASSERT_NE(music, nullptr);
        Mix_VolumeMusic(sound_library_mixer_volume(volume));
        Mix_PlayMusic(music, looping ? -1 : 1);
    });
    Mix_HaltMusic();
    Mix_FreeMusic(music);
    return out;
}
// The same played by the sound layer, which must hold it in its synthesizer if
// `by_synth`, and tells in `soundfonts` which soundfonts it plays from.
std::vector<Sint16> our_output(const char* path, bool looping, int volume, double seconds, bool by_synth,
                               std::string* soundfonts = nullptr) {
    FMUSIC_MODULE* song = nullptr;
    std::vector<Sint16> out = mixed_output(seconds, [&] {
        song = FMUSIC_LoadSong(path);
        ASSERT_EQ(sound_library_synth_held(), by_synth) << "the song went to the wrong player";
        if (soundfonts) *soundfonts = sound_library_synth_soundfonts();
        FMUSIC_SetLooping(song, looping);
        FMUSIC_SetMasterVolume(song, volume);
        FMUSIC_PlaySong(song);
    });
    FMUSIC_FreeSong(song);
    return out;
}

void drop_log_message(void*, int, SDL_LogPriority, const char*) {}

bool exiting_with_a_song = false;

// Runs after exit has run its handlers and destroyed the program's statics: a
// device still playing here has its audio thread mixing from freed buffers.
__attribute__((destructor)) void fail_if_the_device_outlived_the_statics() {
    if (exiting_with_a_song && mixer_device() != 0) _exit(3);
}

struct SongSynth : testing::Test {
    SDL_LogOutputFunction default_log = nullptr;
    void* default_log_data = nullptr;
    ScratchDir dir;
    void SetUp() override {
        std::filesystem::create_directory_symlink(std::string(GAME_DIR) + "/mus", "mus");  // the songs' soundfont
        setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
        SDL_LogGetOutputFunction(&default_log, &default_log_data);
        SDL_LogSetOutputFunction(drop_log_message, nullptr);  // the disk driver's start-up warning
        sound_library_test_use_drivers("disk", nullptr);
        ASSERT_EQ(FSOUND_Init(RATE, 32, 0), 1);
        ASSERT_NE(mixer_device(), 0u);
        Mix_SetPostMix(capture_output, nullptr);
    }
    void TearDown() override {
        FSOUND_Close();
        sound_library_test_use_drivers("dummy", nullptr);
        unsetenv("SDL_DISKAUDIODELAY");
        SDL_LogSetOutputFunction(default_log, default_log_data);
    }
};

}  // namespace

TEST_F(SongSynth, PlaysEachSongSampleForSampleAsTheMixersPlayer) {
    constexpr int SAW_WAVE = 81;  // in the songs' soundfont
    dir.write("short.mid", single_note_midi(SAW_WAVE, 300, 400));
    const struct {
        const char* song;
        bool looping;
        int volume;  // 0..255
        double seconds;
    } cases[] = {
        {"mus/mus_menu.mid", true, 255, 2.0},
        {"mus/mus_stage_1.mid", true, 200, 1.0},
        {"mus/mus_cred.mid", true, 64, 1.0},
        {"short.mid", true, 255, 1.0},   // played over its end into the next round
        // Ends and falls silent where the mixer's does: its player lets a song
        // ring on for a while after its last event (here until 2.7 s).
        {"short.mid", false, 160, 3.0},
        {"mus/mus_logo.mp3", false, 255, 1.0},  // not MIDI: still the mixer's, heard after the synth's
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.song);
        const bool midi = std::string(c.song).find(".mid") != std::string::npos;
        std::vector<Sint16> mixers = mixers_output(c.song, c.looping, c.volume, c.seconds);
        std::vector<Sint16> ours = our_output(c.song, c.looping, c.volume, c.seconds, midi);
        ASSERT_EQ(ours.size(), mixers.size());
        int loudest = 0;
        for (Sint16 sample : mixers) loudest = std::max(loudest, std::abs(int(sample)));
        EXPECT_GT(loudest, AUDIBLE_PEAK) << "nothing audible was compared";
        EXPECT_TRUE(ours == mixers) << "the song sounds different";
        if (!c.looping && midi) {
            const std::vector<Sint16> last_quarter_second(ours.end() - RATE / 2, ours.end());
            EXPECT_EQ(last_quarter_second, std::vector<Sint16>(RATE / 2, 0)) << "the played-once song never ended";
        }
    }
}

// Every song sounds as the system's soundfont plays it, every note however many
// at once: from the songs' own soundfont when it holds every preset the song asks
// for, else (a player's song wanting a piano, a damaged songs' soundfont) the system's.
TEST_F(SongSynth, PlaysFromTheSongsSoundfontWhatItHoldsAndTheRestFromTheSystems) {
    const std::string tempo("\0\xff\x51\x03\x07\xa1\x20", 7);
    std::string piano("\0\xb0\0\0\0\xc0\0", 7), drums, chord[4];  // piano: bank 0, program 0
    for (char key : {60, 62, 64, 65, 67, 69, 71, 72}) {  // a quarter second each, ended in running status
        piano += {0, '\x90', key, 100, '\x81', '\x70', key, 0};
        drums += {0, '\x99', char(key % 2 ? 42 : 36), 100, '\x81', '\x70', char(key % 2 ? 42 : 36), 0};
    }
    for (int channel = 0; channel < 4; ++channel) {  // 4 x 30 piano notes struck at once, held a second
        chord[channel] = {0, char(0xb0 + channel), 0, 0, 0, char(0xc0 + channel), 0, 0, char(0x90 + channel), 40, 90};
        for (char key = 41; key < 70; ++key) chord[channel] += {0, key, 90};  // in running status
        chord[channel] += {'\x87', '\x40', 40, 0};
        for (char key = 41; key < 70; ++key) chord[channel] += {0, key, 0};
    }
    // Strings sound about five voices a note: 40 of them at once need some 200.
    std::string strings = {0, '\xc0', 48, 0, '\x90', 41, 90};
    for (char key = 42; key <= 80; ++key) strings += {0, key, 90};
    strings += {'\x87', '\x40', 41, 0};
    for (char key = 42; key <= 80; ++key) strings += {0, key, 0};
    dir.write("general_midi.mid", midi_file(1, {tempo, piano, drums}));
    dir.write("chord.mid", midi_file(1, {tempo, chord[0], chord[1], chord[2], chord[3]}));
    dir.write("strings.mid", midi_file(1, {tempo, strings}));
    std::filesystem::copy_file("mus/songs.sf2", "damaged.sf2");
    std::filesystem::resize_file("damaged.sf2", 100000);
    const std::string own = "./mus/songs.sf2", system = std::string(SYSTEM_SOUNDFONT) + ";";
    const struct { const char* song; std::string songs_soundfont, played_from; } cases[] = {
        {"general_midi.mid", own, system}, {"chord.mid", own, system}, {"strings.mid", own, own + ";"},
        {"mus/mus_menu.mid", "damaged.sf2", system},
        {"mus/mus_stage_1.mid", own, own + ";"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.song);
        Mix_SetSoundFonts(SYSTEM_SOUNDFONT);
        const std::vector<Sint16> systems = mixers_output(c.song, false, 255, 2.0);
        Mix_SetSoundFonts(c.songs_soundfont.c_str());
        std::string played_from;
        const std::vector<Sint16> ours = our_output(c.song, false, 255, 2.0, true, &played_from);
        EXPECT_EQ(played_from, c.played_from);
        double energy = 0;
        for (Sint16 sample : ours) energy += double(sample) * sample;
        EXPECT_GT(std::sqrt(energy / ours.size()), AUDIBLE_PEAK) << "hardly a sound came out";
        EXPECT_TRUE(ours == systems) << "the song sounds different";
    }
}

TEST_F(SongSynth, AProgramExitingWithASongPlayingStopsTheDeviceBeforeItsBuffersGo) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a forked child would have no audio thread
    EXPECT_EXIT(
        {
            FMUSIC_PlaySong(FMUSIC_LoadSong("mus/mus_menu.mid"));
            exiting_with_a_song = true;
            exit(0);
        },
        testing::ExitedWithCode(0), "");
}

// The player's synthesizer has fewer voices than the mixer's: a song needing
// more would lose notes. Counted quickly, at half the rate without effects or
// interpolation: none of them changes when notes start and end.
TEST(SongSynthVoices, TheGameSongsNeverNeedAllTheSynthesizersVoices) {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", RATE / 2);
    fluid_settings_setint(settings, "synth.reverb.active", 0);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    for (const char* song : {"mus_menu.mid", "mus_cred.mid", "mus_stage_1.mid"}) {
        SCOPED_TRACE(song);
        fluid_synth_t* synth = new_fluid_synth(settings);
        ASSERT_NE(fluid_synth_sfload(synth, GAME_DIR "/mus/songs.sf2", 1), FLUID_FAILED);
        fluid_synth_set_interp_method(synth, -1, FLUID_INTERP_NONE);
        fluid_player_t* player = new_fluid_player(synth);
        fluid_player_add(player, (std::string(GAME_DIR) + "/mus/" + song).c_str());
        fluid_player_play(player);
        constexpr int BLOCK = 256;
        std::vector<float> scratch(BLOCK * 2);
        int busiest = 0;
        while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING) {
            fluid_synth_write_float(synth, BLOCK, scratch.data(), 0, 2, scratch.data(), 1, 2);
            busiest = std::max(busiest, fluid_synth_get_active_voice_count(synth));
        }
        EXPECT_GT(busiest, 0);
        EXPECT_LT(busiest, SOUND_LIBRARY_SONG_POLYPHONY);
        std::ifstream file(std::string(GAME_DIR) + "/mus/" + song, std::ios::binary);
        const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), {});
        const int notes = sound_library_midi_needs(bytes.data(), bytes.size()).most_notes_at_once;
        EXPECT_EQ(sound_library_song_polyphony(notes), SOUND_LIBRARY_SONG_POLYPHONY) << "voices it never uses";
        delete_fluid_player(player);
        delete_fluid_synth(synth);
    }
    delete_fluid_settings(settings);
}
