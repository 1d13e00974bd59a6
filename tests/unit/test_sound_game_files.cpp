// Every effect and song the game names is heard through the sound layer.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "audio/sound.h"
#include "persist/settings.h"
#include "platform/sound_library.h"
#include "test_sound_support.h"

namespace {

struct GameSoundFileTest : SoundTest {
    void SetUp() override {
        SoundTest::SetUp();
        std::filesystem::current_path(GAME_DIR);  // the paths are relative to the game folder
    }
};

const char* const EFFECTS[] = {
    "./mus/mus_logo.mp3",         "./sfx/sfx_gun_2.wav",      "./sfx/sfx_gun_6.wav",
    "./sfx/sfx_gun_7.wav",        "./sfx/sfx_gun_2_6.wav",    "./sfx/sfx_gun_2_7.wav",
    "./sfx/sfx_gun_5.wav",        "./sfx/sfx_shield_1.wav",   "./sfx/sfx_shield_2.wav",
    "./sfx/sfx_explosion.mp3",    "./sfx/sfx_voc_fighters_detected.mp3",
    "./sfx/sfx_voc_nav_completed.mp3", "./sfx/sfx_voc_stage_completed.mp3",
};
const char* const SONGS[] = {"./mus/mus_menu.mid", "./mus/mus_cred.mid", "./mus/mus_stage_1.mid"};

}  // namespace

TEST_F(GameSoundFileTest, EveryEffectIsHeard) {
    for (const char* path : EFFECTS) {
        play_sound(path);
        int slot = (sound_ring_index + SOUND_RING_SIZE - 1) % SOUND_RING_SIZE;
        EXPECT_NE(sound_ring[slot], nullptr) << path << " did not load";
        EXPECT_GT(output_peak_reaching(AUDIBLE_PEAK, 1000), AUDIBLE_PEAK) << path;
        FSOUND_StopSound(FSOUND_ALL);
    }
}

TEST_F(GameSoundFileTest, EverySongIsHeard) {
    for (const char* path : SONGS) {
        play_music(path);
        EXPECT_NE(song, nullptr) << path << " did not load";
        EXPECT_GT(output_peak_over(1500), AUDIBLE_PEAK) << path;
    }
}
