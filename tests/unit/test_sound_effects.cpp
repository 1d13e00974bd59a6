// Effects through the ring of eight samples, heard through the mixed output.
#include <gtest/gtest.h>

#include "audio/sound.h"
#include "persist/settings.h"
#include "platform/sound_library.h"
#include "test_sound_support.h"

namespace {

constexpr int LOUD = 16000;

struct SoundEffectTest : SoundTest {
    void SetUp() override {
        SoundTest::SetUp();
        dir.write("loud.wav", square_wave_wav(3000, LOUD));
        dir.write("hush.wav", square_wave_wav(3000, 0));
        dir.write("blip.wav", square_wave_wav(20, 0));
    }
};

}  // namespace

TEST_F(SoundEffectTest, EffectIsHeardAndFillsTheNextSlot) {
    play_sound("loud.wav");
    EXPECT_GT(output_peak_over(200), AUDIBLE_PEAK);
    EXPECT_EQ(sound_ring_index, 1);
    EXPECT_NE(sound_ring[0], nullptr);
}

TEST_F(SoundEffectTest, EffectsOffPlayNothingAndLeaveTheRingAlone) {
    sfx = 0;
    sound_ring_index = 3;
    play_sound("loud.wav");
    EXPECT_LT(output_peak_over(200), AUDIBLE_PEAK);
    EXPECT_EQ(sound_ring_index, 3);
    EXPECT_EQ(sound_ring[3], nullptr);
    EXPECT_EQ(sound_library_test_samples_held(), 0);
}

TEST_F(SoundEffectTest, NinthEffectCutsOffTheFirstAndTakesItsSlot) {
    play_sound("loud.wav");
    for (int i = 0; i < 7; ++i) play_sound("hush.wav");
    EXPECT_GT(output_peak_over(150), AUDIBLE_PEAK) << "the first effect still sounds";
    EXPECT_EQ(sound_ring_index, 0);

    play_sound("hush.wav");
    EXPECT_LT(output_peak_over(150), AUDIBLE_PEAK) << "the ninth play cut the first off";
    EXPECT_EQ(sound_ring_index, 1);
    EXPECT_EQ(sound_library_test_samples_held(), SOUND_RING_SIZE);

    for (int i = 0; i < 20; ++i) play_sound("blip.wav");
    EXPECT_EQ(sound_library_test_samples_held(), SOUND_RING_SIZE) << "the ring bounds the samples held";
}

// Channel numbers are reused: a slot whose effect has ended must not cut off
// a later effect that was given the same channel.
TEST_F(SoundEffectTest, ReusedChannelKeepsItsNewSoundWhenTheOldSlotIsEmptied) {
    play_sound("blip.wav");
    output_peak_over(150);  // the blip has ended; its channel is free again
    play_sound("loud.wav");
    for (int i = 0; i < 6; ++i) play_sound("blip.wav");
    play_sound("blip.wav");  // back in the blip's slot
    EXPECT_EQ(sound_ring_index, 1);
    EXPECT_GT(output_peak_over(150), AUDIBLE_PEAK);
}

TEST_F(SoundEffectTest, VolumeStepsScaleEffectsAndNeverReachSilence) {
    EXPECT_EQ(sound_library_mixer_volume(9 * 25), 113);
    EXPECT_EQ(sound_library_mixer_volume(1 * 25), 13);
    EXPECT_EQ(sound_library_mixer_volume(1), 1) << "rounded, not cut down to silence";
    EXPECT_EQ(sound_library_mixer_volume(255), 128);
    EXPECT_EQ(sound_library_mixer_volume(256), 128);

    sfxvol = 9;
    play_sound("loud.wav");
    int loudest = output_peak_over(150);
    EXPECT_NEAR(loudest, LOUD * 113 / 128, LOUD / 50);

    sfxvol = 1;
    play_sound("hush.wav");  // the new step applies from this effect on, to all that sound
    int quietest = output_peak_over(150);
    EXPECT_NEAR(quietest, LOUD * 13 / 128, LOUD / 50);
    EXPECT_GT(quietest, AUDIBLE_PEAK);
}

TEST_F(SoundEffectTest, ReleasingTheFirstSlotEndsTheIntroMusic) {
    play_sound("loud.wav");
    play_sound("hush.wav");
    release_first_sound_slot();
    EXPECT_LT(output_peak_over(150), AUDIBLE_PEAK);
    EXPECT_EQ(sound_ring[0], nullptr);
    EXPECT_EQ(sound_library_test_samples_held(), 1);
    EXPECT_EQ(sound_ring_index, 2);
}

TEST_F(SoundEffectTest, MissingOrDamagedFileIsSilentAndQuiet) {
    dir.write("damaged.mp3", "this is not an mp3 file at all");
    dir.write("damaged.wav", "RIFF....WAVEfmt ");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    play_sound("./sfx/missing.wav");
    play_sound("damaged.mp3");
    play_sound("damaged.wav");
    int peak = output_peak_over(150);
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_LT(peak, AUDIBLE_PEAK);
    EXPECT_EQ(out + err, "");
    EXPECT_EQ(sound_library_test_samples_held(), 0);

    play_sound("loud.wav");  // the game goes on
    EXPECT_GT(output_peak_over(150), AUDIBLE_PEAK);
}
