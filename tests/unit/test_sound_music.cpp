// Songs started by play_music, heard through the mixed output.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/screen_state.h"
#include "audio/sound.h"
#include "persist/settings.h"
#include "platform/sound_library.h"
#include "test_sound_support.h"

namespace {

constexpr int PIANO = 0;
constexpr int ORGAN = 16;

}  // namespace

TEST_F(SoundTest, LoopingSongIsStillHeardAfterItsEnd) {
    dir.write("short.mid", single_note_midi(PIANO, 500, 500));

    // Played once, the song is over and its note has died away by 2 s...
    FMUSIC_MODULE* once = FMUSIC_LoadSong("short.mid");
    ASSERT_NE(once, nullptr);
    FMUSIC_SetMasterVolume(once, 225);
    FMUSIC_PlaySong(once);
    output_peak_over(2000);
    EXPECT_LT(output_peak_over(300), AUDIBLE_PEAK);

    // ...while the game's songs loop.
    play_music("short.mid");
    output_peak_over(2000);
    EXPECT_GT(output_peak_over(300), AUDIBLE_PEAK);
}

TEST_F(SoundTest, FreeingTheSongSilencesItAndLaterVolumeChangesAreHarmless) {
    dir.write("song.mid", single_note_midi(ORGAN, 3000, 3000));
    play_music("song.mid");
    EXPECT_GT(output_peak_over(300), AUDIBLE_PEAK);

    stop_music();
    EXPECT_EQ(song, nullptr);
    EXPECT_EQ(sound_library_test_songs_held(), 0);
    musicvol = 9;
    set_music_volume();  // F8 with music off
    EXPECT_LT(output_peak_over(300), AUDIBLE_PEAK);
}

TEST_F(SoundTest, MusicOffThenOnRestartsTheSongFromItsBeginning) {
    // Sound only in the first 400 ms, then silence until the song ends at 4 s.
    dir.write("song.mid", single_note_midi(ORGAN, 400, 4000));
    snprintf(music_path, sizeof music_path, "%s", "song.mid");
    play_music(music_path);
    output_peak_over(1200);
    ASSERT_LT(output_peak_over(300), AUDIBLE_PEAK) << "past the song's sounding start";

    music = 0;
    stop_music();
    play_music(music_path);  // music off: nothing starts
    EXPECT_EQ(song, nullptr);
    music = 1;
    play_music(music_path);
    EXPECT_GT(output_peak_over(300), AUDIBLE_PEAK) << "heard again from the beginning";
}

TEST_F(SoundTest, MusicVolumeFollowsTheVolumeStep) {
    dir.write("song.mid", single_note_midi(ORGAN, 4000, 4000));
    musicvol = 9;
    play_music("song.mid");
    output_peak_over(300);
    int loud = output_peak_over(300);

    musicvol = 1;
    set_music_volume();
    output_peak_over(100);
    int quiet = output_peak_over(300);
    EXPECT_GT(quiet, AUDIBLE_PEAK / 4) << "step 1 is quiet, not silent";
    EXPECT_LT(quiet * 4, loud);
}

// Each song holds a synthesizer: the one it replaces is freed, even when the
// new file cannot be read, which leaves silence rather than a song nobody can stop.
TEST_F(SoundTest, NewSongReplacesTheOldOneAndAMissingSongIsSilentAndQuiet) {
    dir.write("a.mid", single_note_midi(ORGAN, 3000, 3000));
    dir.write("b.mid", single_note_midi(ORGAN, 3000, 3000));
    play_music("a.mid");
    FMUSIC_MODULE* first = song;
    play_music("b.mid");
    EXPECT_NE(song, first);
    EXPECT_EQ(sound_library_test_songs_held(), 1);
    EXPECT_EQ(FMUSIC_SetMasterVolume(first, 200), 0) << "the superseded handle is dead";

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    play_music("./mus/missing.mid");
    int peak = output_peak_over(300);
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(song, nullptr);
    EXPECT_EQ(sound_library_test_songs_held(), 0);
    EXPECT_LT(peak, AUDIBLE_PEAK);
    EXPECT_EQ(out + err, "");

    play_music("a.mid");  // the game goes on
    EXPECT_GT(output_peak_over(300), AUDIBLE_PEAK);
}
