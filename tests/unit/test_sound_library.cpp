// The sound layer's start-up on hosts without sound, and its stale handles.
#include <gtest/gtest.h>

#include <signal.h>

#include <set>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "persist/settings.h"
#include "platform/sound_library.h"
#include "platform/sound_library_midi.h"
#include "support/scratch_dir.h"
#include "test_sound_support.h"

namespace {

struct SoundLibraryTest : testing::Test {
    ScratchDir dir;
    void SetUp() override {
        sfx = 1;
        music = 1;
        dir.write("tone.wav", square_wave_wav(1000, 12000));
        dir.write("song.mid", single_note_midi(16, 1000, 1000));
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
    }
    // Everything the layer and the libraries under it printed.
    std::string console() {
        std::string out = testing::internal::GetCapturedStdout();
        return out + testing::internal::GetCapturedStderr();
    }
    void TearDown() override { FSOUND_Close(); }
};

}  // namespace

TEST_F(SoundLibraryTest, WithoutAnyDriverEveryCallIsAHarmlessNoOp) {
    sound_library_test_use_drivers("no-such-driver", "nor-this-one");
    EXPECT_EQ(FSOUND_Init(44100, 32, 0), 0);
    FSOUND_SAMPLE* sample = FSOUND_Sample_Load(FSOUND_UNMANAGED, "tone.wav", FSOUND_NORMAL, 0, 0);
    EXPECT_EQ(sample, nullptr);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, sample), -1);
    EXPECT_EQ(FSOUND_StopSound(0), 0);
    FSOUND_Sample_Free(sample);
    FSOUND_SetSFXMasterVolume(125);
    FMUSIC_MODULE* tune = FMUSIC_LoadSong("song.mid");
    EXPECT_EQ(tune, nullptr);
    EXPECT_EQ(FMUSIC_SetLooping(tune, 1), 0);
    EXPECT_EQ(FMUSIC_SetMasterVolume(tune, 125), 0);
    EXPECT_EQ(FMUSIC_PlaySong(tune), 0);
    EXPECT_EQ(FMUSIC_FreeSong(tune), 0);

    // The game's own routines run on regardless.
    start_sound_backend();
    play_sound("tone.wav");
    play_music("song.mid");
    stop_music();
    set_music_volume();
    release_first_sound_slot();
    close_sound_backend();
    EXPECT_EQ(sound_library_test_samples_held(), 0);
    EXPECT_EQ(console(), "");
}

// Here (and on any host without sound) the user's driver fails; SDL's dummy
// driver takes over, and ALSA's complaints about the missing card stay off the console.
TEST_F(SoundLibraryTest, UnusableDeviceFallsBackToTheDummyDriverQuietly) {
    for (const char* first : {"alsa", "no-such-driver"}) {
        sound_library_test_use_drivers(first, "dummy");
        sound_library_test_meter_output();
        ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1) << first;
        FSOUND_PlaySound(FSOUND_FREE, FSOUND_Sample_Load(FSOUND_UNMANAGED, "tone.wav", FSOUND_NORMAL, 0, 0));
        EXPECT_GT(output_peak_over(150), AUDIBLE_PEAK) << first;
        FSOUND_Close();
    }
    EXPECT_EQ(console(), "");
}

// A song asking for an instrument the soundfont lacks makes the synthesizer
// complain; the substitute is heard and the complaint is not.
TEST_F(SoundLibraryTest, SynthWarningsStayOffTheConsole) {
    constexpr int MISSING_BANK = 5;
    dir.write("odd.mid", single_note_midi(16, 1000, 1000, MISSING_BANK));
    sound_library_test_use_drivers("dummy", nullptr);
    sound_library_test_meter_output();
    ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1);
    FMUSIC_MODULE* tune = FMUSIC_LoadSong("odd.mid");
    FMUSIC_PlaySong(tune);
    EXPECT_GT(output_peak_over(300), AUDIBLE_PEAK);
    EXPECT_EQ(console(), "");
}

// SDL's audio start also starts its event queue, which would catch Ctrl-C and kill.
TEST_F(SoundLibraryTest, StartingSoundLeavesInterruptAndTerminateToTheSystem) {
    sound_library_test_use_drivers("dummy", nullptr);
    ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1);
    for (int signal_number : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        sigaction(signal_number, nullptr, &action);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << signal_number;
    }
    console();
}

TEST_F(SoundLibraryTest, HandlesFromBeforeACloseAreDeadAfterIt) {
    sound_library_test_use_drivers("dummy", nullptr);
    ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1);
    FSOUND_SAMPLE* sample = FSOUND_Sample_Load(FSOUND_UNMANAGED, "tone.wav", FSOUND_NORMAL, 0, 0);
    int channel = FSOUND_PlaySound(FSOUND_FREE, sample);
    FMUSIC_MODULE* tune = FMUSIC_LoadSong("song.mid");
    ASSERT_NE(sample, nullptr);
    ASSERT_NE(tune, nullptr);
    FSOUND_Close();

    ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, sample), -1);
    EXPECT_EQ(FSOUND_StopSound(channel), 0);
    FSOUND_Sample_Free(sample);
    EXPECT_EQ(FMUSIC_PlaySong(tune), 0);
    EXPECT_EQ(FMUSIC_FreeSong(tune), 0);
    EXPECT_EQ(sound_library_test_samples_held(), 0);
    console();
}

template <size_t N>
static std::string bytes(const char (&text)[N]) { return std::string(text, N - 1); }

TEST(SoundLibraryMidiNeeds, CountsTheNotesSoundingAtOnceAndThePresetsTheyStartWith) {
    const struct {
        std::vector<std::string> tracks;
        int notes;
        std::set<int> presets;
    } cases[] = {
        // Three notes ended; under the pedal two let go and two more struck; one more after it lifts.
        {{bytes("\0\x90\x30\x50\0\x31\x50\0\x32\x50\x10\x30\0\0\x31\0\0\x32\0\0\xb0\x40\x7f"
                "\0\x90\x33\x50\0\x34\x50\x10\x33\0\0\x34\0\0\x35\x50\0\x36\x50\0\xb0\x40\0\0\x90\x37\x50")},
         4, {0}},
        // Channel 1's bank 8 waits for its program change, which a later track's note at that tick follows;
        // the drum channel starts on kit 0 and ignores bank select.
        {{bytes("\0\xb0\0\x08\x10\xc0\x05\0\x99\x24\x50\0\xb9\0\x03\0\xc9\x19\0\x99\x24\x50"),
          bytes("\0\x90\x3c\x50\x10\x90\x3e\x50")},
         4, {0, 8 * 128 + 5, 128 * 128, 128 * 128 + 25}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        const std::string file = midi_file(1, c.tracks);
        auto needs = sound_library_midi_needs(reinterpret_cast<const unsigned char*>(file.data()), file.size());
        EXPECT_EQ(needs.most_notes_at_once, c.notes);
        EXPECT_EQ(needs.presets, c.presets);
    }
}

TEST(SoundLibraryMidiCheck, AcceptsSongsThatParseAndLastAndRefusesTheRest) {
    auto playable = [](const std::string& file) {
        return sound_library_midi_is_playable(reinterpret_cast<const unsigned char*>(file.data()), file.size());
    };
    std::string good = single_note_midi(0, 500, 800);
    EXPECT_TRUE(playable(good));
    EXPECT_TRUE(playable(good + "XTRA\0\0\0\0")) << "bytes after the last track";
    std::string with_other_chunk = good.substr(0, 14) + std::string("XFIH\0\0\0\2ab", 10) + good.substr(14);
    EXPECT_TRUE(playable(with_other_chunk)) << "unknown chunks are skipped";

    EXPECT_FALSE(playable(single_note_midi(0, 0, 0))) << "lasts no time";
    EXPECT_FALSE(playable(good.substr(0, good.size() - 3))) << "track cut short";
    EXPECT_FALSE(playable("this is not a midi file"));
    EXPECT_FALSE(playable(""));

    std::string zero_tempo = good;
    size_t tempo = zero_tempo.find("\xff\x51\x03");
    ASSERT_NE(tempo, std::string::npos);
    zero_tempo.replace(tempo + 3, 3, std::string(3, '\0'));
    EXPECT_FALSE(playable(zero_tempo));

    std::string stray_data = good;  // a data byte where the first status should be
    stray_data[22 + 1] = 0x40;      // first event after its zero delta: the tempo meta's 0xff
    EXPECT_FALSE(playable(stray_data));
}

// The synth would loop such songs forever inside one mixing call, and the
// game's next sound call would wait for the mixer for good.
TEST_F(SoundLibraryTest, SongsTheSynthCannotLoopAreRefusedAndTheGameGoesOn) {
    sound_library_test_use_drivers("dummy", nullptr);
    sound_library_test_meter_output();
    ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1);
    dir.write("instant.mid", single_note_midi(16, 0, 0));
    dir.write("garbage.mid", "this is not a midi file at all");
    dir.write("scrambled.mid", std::string("MThd\0\0\0\6\0\0\0\1\1\xe0MTrk\0\0\0\x10", 22) + "garbage garbage!");
    for (const char* path : {"instant.mid", "garbage.mid", "scrambled.mid"}) {
        play_music(path);
        EXPECT_EQ(song, nullptr) << path;
        set_music_volume();
        EXPECT_LT(output_peak_over(200), AUDIBLE_PEAK) << path;
    }
    play_music("song.mid");
    EXPECT_GT(output_peak_over(300), AUDIBLE_PEAK);
    EXPECT_EQ(console(), "");
}
