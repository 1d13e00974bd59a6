// The songs' own soundfont, cut from the system's: every song must come out of
// the synthesizer sample for sample as it does with the full one.
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/sound_library.h"
#include "support/scratch_dir.h"

namespace {

constexpr char SYSTEM_SOUNDFONT[] = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int RATE = 44100, BLOCK = 1024, SECONDS = 6;

// The few synthesizer calls the comparison needs, from the library the mixer loads.
struct Synth {
    void* library = os_load_library("libfluidsynth.so.3");
    template <typename F>
    F call(const char* name) {
        return reinterpret_cast<F>(os_find_symbol(library, name));
    }

    // SECONDS of `song` played with `soundfont`, as the mixer sets the synthesizer up.
    std::vector<float> render(const std::string& soundfont, const std::string& song) {
        void* settings = call<void* (*)()>("new_fluid_settings")();
        call<int (*)(void*, const char*, double)>("fluid_settings_setnum")(settings, "synth.sample-rate", RATE);
        void* synth = call<void* (*)(void*)>("new_fluid_synth")(settings);
        std::vector<float> out;
        if (call<int (*)(void*, const char*, int)>("fluid_synth_sfload")(synth, soundfont.c_str(), 1) >= 0) {
            void* player = call<void* (*)(void*)>("new_fluid_player")(synth);
            call<int (*)(void*, const char*)>("fluid_player_add")(player, song.c_str());
            call<int (*)(void*)>("fluid_player_play")(player);
            auto write = call<int (*)(void*, int, void*, int, int, void*, int, int)>("fluid_synth_write_float");
            out.resize(size_t(RATE) * SECONDS * 2);
            for (size_t at = 0; at + BLOCK * 2 <= out.size(); at += BLOCK * 2)
                write(synth, BLOCK, out.data() + at, 0, 2, out.data() + at, 1, 2);
            call<void (*)(void*)>("fluid_player_stop")(player);
            call<void (*)(void*)>("delete_fluid_player")(player);
        }
        call<void (*)(void*)>("delete_fluid_synth")(synth);
        call<void (*)(void*)>("delete_fluid_settings")(settings);
        return out;
    }
};

}  // namespace

TEST(SongSoundfont, EverySongPlaysSampleForSampleAsWithTheSystemSoundfont) {
    Synth synth;
    ASSERT_NE(synth.library, nullptr);
    using Quiet = void* (*)(int, void*, void*);
    for (int level = 0; level < 5; ++level) synth.call<Quiet>("fluid_set_log_function")(level, nullptr, nullptr);
    const std::string ours = std::string(GAME_DIR) + "/mus/songs.sf2";
    for (const char* song : {"mus_menu.mid", "mus_cred.mid", "mus_stage_1.mid"}) {
        SCOPED_TRACE(song);
        const std::string path = std::string(GAME_DIR) + "/mus/" + song;
        const std::vector<float> full = synth.render(SYSTEM_SOUNDFONT, path);
        const std::vector<float> cut = synth.render(ours, path);
        ASSERT_FALSE(cut.empty()) << "the songs' soundfont does not load";
        float loudest = 0;
        for (float sample : full) loudest = std::max(loudest, sample < 0 ? -sample : sample);
        EXPECT_GT(loudest, 0.01f) << "the song is silent: nothing was compared";
        EXPECT_TRUE(full == cut) << "the songs' soundfont plays this song differently";
    }
}

TEST(SongSoundfont, TheMixerTakesTheSongsOwnInTheGameFolderAndTheSystemOneElsewhere) {
    ScratchDir elsewhere;
    const struct {
        std::string folder;
        const char* soundfont;
    } cases[] = {{elsewhere.path(), SYSTEM_SOUNDFONT}, {GAME_DIR, "./mus/songs.sf2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "started in " << c.folder);
        std::filesystem::current_path(c.folder);
        sound_library_test_use_drivers("dummy", nullptr);
        ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1);
        EXPECT_STREQ(Mix_GetSoundFonts(), c.soundfont) << "started in " << c.folder;
        FSOUND_Close();
    }
}
