// The generated sounds: each effect and song parses as its format, decodes,
// loops cleanly where it is a song, and no effect is much louder than another.
// Also: the generator makes the same bytes on every run.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "render/textures.h"
#include "support/scratch_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char* const WAVE_EFFECTS[] = {"sfx_gun_2.wav", "sfx_gun_5.wav", "sfx_gun_6.wav", "sfx_gun_7.wav",
                                    "sfx_gun_2_6.wav", "sfx_gun_2_7.wav", "sfx_shield_1.wav", "sfx_shield_2.wav"};
const char* const MP3_EFFECTS[] = {"sfx_explosion.mp3", "sfx_voc_fighters_detected.mp3",
                                   "sfx_voc_nav_completed.mp3", "sfx_voc_stage_completed.mp3"};
const char* const SONGS[] = {"mus_menu.mid", "mus_cred.mid", "mus_stage_1.mid"};

Bytes read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t le32(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t le16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
uint32_t be32(const Bytes& b, size_t at) {
    return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}
uint16_t be16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] << 8 | b[at + 1]); }

std::string sfx(const char* name) { return std::string(GAME_DIR) + "/sfx/" + name; }
std::string mus(const char* name) { return std::string(GAME_DIR) + "/mus/" + name; }

// Walks MPEG-1 layer III frame headers from the first byte to the last;
// returns the frame count, or -1 when the chain breaks anywhere.
int mp3_frames(const Bytes& b) {
    static const int KBPS[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    static const int RATES[4] = {44100, 48000, 32000, 0};
    size_t at = 0;
    int frames = 0;
    while (at < b.size()) {
        if (at + 4 > b.size()) return -1;
        if (b[at] != 0xff || (b[at + 1] & 0xfe) != 0xfa) return -1;  // sync, MPEG-1, layer III
        const int kbps = KBPS[b[at + 2] >> 4], rate = RATES[(b[at + 2] >> 2) & 3];
        if (kbps == 0 || rate != 44100) return -1;
        const size_t length = 144 * kbps * 1000 / rate + ((b[at + 2] >> 1) & 1);
        at += length;
        ++frames;
    }
    return at == b.size() ? frames : -1;
}

// Reads a variable-length quantity.
uint32_t vlq(const Bytes& b, size_t& at) {
    uint32_t v = 0;
    for (int i = 0; i < 4 && at < b.size(); ++i) {
        const uint8_t c = b[at++];
        v = v << 7 | (c & 0x7f);
        if (!(c & 0x80)) break;
    }
    return v;
}

struct SongFacts {
    bool ok = false;
    int format = -1, tracks = 0, division = 0;
    std::vector<long> track_ends;  // tick of each track's end-of-track event
    int notes_on = 0, held_at_end = 0, programs = 0, drum_notes = 0;
    double bpm = 0;
};

SongFacts parse_midi(const Bytes& b) {
    SongFacts f;
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || be32(b, 4) != 6) return f;
    f.format = be16(b, 8);
    f.tracks = be16(b, 10);
    f.division = be16(b, 12);
    size_t at = 14;
    for (int t = 0; t < f.tracks; ++t) {
        if (at + 8 > b.size() || std::string(b.begin() + at, b.begin() + at + 4) != "MTrk") return f;
        const size_t end = at + 8 + be32(b, at + 4);
        if (end > b.size()) return f;
        at += 8;
        long tick = 0;
        uint8_t status = 0;
        bool ended = false;
        std::map<int, int> held;  // channel * 128 + pitch -> notes sounding
        while (at < end && !ended) {
            tick += vlq(b, at);
            if (b[at] & 0x80) status = b[at++];
            if (status == 0xff) {
                const uint8_t type = b[at++];
                const uint32_t len = vlq(b, at);
                if (type == 0x51 && len == 3) f.bpm = 60000000.0 / (b[at] << 16 | b[at + 1] << 8 | b[at + 2]);
                if (type == 0x2f) ended = true;
                at += len;
                continue;
            }
            const int kind = status >> 4, channel = status & 15;
            if (kind == 0xc || kind == 0xd) {
                if (kind == 0xc) ++f.programs;
                at += 1;
                continue;
            }
            const int pitch = b[at], velocity = b[at + 1];
            at += 2;
            if (kind == 0x9 && velocity > 0) {
                ++held[channel * 128 + pitch];
                ++f.notes_on;
                if (channel == 9) ++f.drum_notes;
            } else if (kind == 0x8 || kind == 0x9) {
                --held[channel * 128 + pitch];
            }
        }
        if (!ended || at != end) return f;
        for (const auto& [key, count] : held) f.held_at_end += count;
        f.track_ends.push_back(tick);
    }
    f.ok = at == b.size();
    return f;
}

// Decodes a sound file with the mixer the game uses; 16-bit mono samples.
std::vector<int16_t> decode(const std::string& path) {
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (!chunk) return {};
    std::vector<int16_t> samples(chunk->alen / 2);
    std::copy_n(reinterpret_cast<const int16_t*>(chunk->abuf), samples.size(), samples.data());
    Mix_FreeChunk(chunk);
    return samples;
}

// RMS of the loudest 100 ms, in dBFS.
double loudest_100ms_db(const std::vector<int16_t>& s) {
    const size_t window = 4410;
    double sum = 0, best = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        sum += static_cast<double>(s[i]) * s[i];
        if (i >= window) sum -= static_cast<double>(s[i - window]) * s[i - window];
        best = std::max(best, sum);
    }
    return 20 * std::log10(std::sqrt(best / window) / 32768.0 + 1e-12);
}

class GeneratedSoundsDecoded : public ::testing::Test {
  protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 1, 1024), 0) << Mix_GetError();
        Mix_Init(MIX_INIT_MP3);
    }
    void TearDown() override {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
};

std::map<std::string, Bytes> files_under(const std::string& dir) {
    std::map<std::string, Bytes> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), dir).string()] = read_bytes(entry.path().string());
    return files;
}

}  // namespace

TEST(GeneratedSounds, WavesAreMono16BitPcmWithConsistentSizes) {
    for (const char* name : WAVE_EFFECTS) {
        SCOPED_TRACE(name);
        const Bytes b = read_bytes(sfx(name));
        ASSERT_GE(b.size(), 44u);
        EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
        EXPECT_EQ(le32(b, 4), b.size() - 8);
        EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(le32(b, 16), 16u);
        EXPECT_EQ(le16(b, 20), 1);  // PCM
        EXPECT_EQ(le16(b, 22), 1);  // mono
        EXPECT_EQ(le32(b, 24), 44100u);
        EXPECT_EQ(le32(b, 28), 88200u);
        EXPECT_EQ(le16(b, 32), 2);
        EXPECT_EQ(le16(b, 34), 16);
        EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
        EXPECT_EQ(le32(b, 40), b.size() - 44);
        // Faded in and out: no click where the sample starts or is cut.
        const int16_t first = static_cast<int16_t>(le16(b, 44)), last = static_cast<int16_t>(le16(b, b.size() - 2));
        EXPECT_LT(std::abs(first), 330);
        EXPECT_LT(std::abs(last), 330);
        const double seconds = (b.size() - 44) / 88200.0;
        EXPECT_GT(seconds, 0.08);
        EXPECT_LT(seconds, 1.0) << "an effect, and the cursor click among them, must be short";
    }
}

TEST(GeneratedSounds, Mp3sAreUnbrokenFrameChainsOfTheExpectedLength) {
    const std::map<std::string, std::pair<double, double>> seconds = {
        {sfx("sfx_explosion.mp3"), {1.2, 2.2}},
        {sfx("sfx_voc_fighters_detected.mp3"), {0.7, 3.0}},
        {sfx("sfx_voc_nav_completed.mp3"), {0.6, 3.0}},
        {sfx("sfx_voc_stage_completed.mp3"), {0.6, 3.0}},
        {mus("mus_logo.mp3"), {10.5, 11.8}},  // the intro lasts 283 frames of 40 ms
    };
    for (const auto& [path, range] : seconds) {
        SCOPED_TRACE(path);
        const int frames = mp3_frames(read_bytes(path));
        ASSERT_GT(frames, 0);
        const double length = frames * 1152 / 44100.0;
        EXPECT_GE(length, range.first);
        EXPECT_LE(length, range.second);
    }
}

TEST_F(GeneratedSoundsDecoded, EveryEffectDecodesAndNoneIsMuchLouderThanAnother) {
    std::map<std::string, double> loudness;
    std::vector<std::string> names(std::begin(WAVE_EFFECTS), std::end(WAVE_EFFECTS));
    names.insert(names.end(), std::begin(MP3_EFFECTS), std::end(MP3_EFFECTS));
    for (const std::string& name : names) {
        const std::vector<int16_t> samples = decode(sfx(name.c_str()));
        ASSERT_FALSE(samples.empty()) << name << ": " << Mix_GetError();
        loudness[name] = loudest_100ms_db(samples);
    }
    const std::vector<int16_t> intro = decode(mus("mus_logo.mp3"));
    ASSERT_GT(intro.size(), 44100u * 10) << Mix_GetError();

    for (const auto& [name, db] : loudness) {
        SCOPED_TRACE(name);
        EXPECT_GT(db, -20.0) << "too quiet";
        EXPECT_LT(db, -8.0) << "too loud";
        for (const auto& [other, other_db] : loudness) EXPECT_LT(std::abs(db - other_db), 4.0) << "against " << other;
    }
}

TEST(GeneratedMusic, SongsAreWellFormedGeneralMidiThatLoopOnABarLine) {
    std::set<long> tempos;
    for (const char* name : SONGS) {
        SCOPED_TRACE(name);
        const SongFacts f = parse_midi(read_bytes(mus(name)));
        ASSERT_TRUE(f.ok);
        EXPECT_EQ(f.format, 1);
        EXPECT_EQ(static_cast<int>(f.track_ends.size()), f.tracks);
        ASSERT_GT(f.division, 0);
        // Every track ends together, on a bar line of 4/4, with no note left sounding.
        const long end = f.track_ends.front();
        for (long t : f.track_ends) EXPECT_EQ(t, end);
        EXPECT_GT(end, 0);
        EXPECT_EQ(end % (4L * f.division), 0);
        EXPECT_EQ(f.held_at_end, 0);
        EXPECT_GT(f.notes_on, 100);
        EXPECT_GE(f.programs, 3) << "General MIDI instruments chosen";
        EXPECT_GT(f.drum_notes, 0) << "drums on the percussion channel";
        EXPECT_GT(f.bpm, 60);
        EXPECT_LT(f.bpm, 180);
        tempos.insert(std::lround(f.bpm));
    }
    EXPECT_EQ(tempos.size(), 3u) << "each song its own tempo";
}

TEST(AssetGenerator, WritesExactlyTheFilesTheEngineNamesAndTheSameBytesEveryRun) {
    const std::string generator = std::string(BUILD_DIR) + "/tools/assetgen/assetgen";
    ScratchDir scratch;
    const std::string first = scratch.path() + "/first", second = scratch.path() + "/second";
    ASSERT_EQ(std::system((generator + " " + first + " > /dev/null").c_str()), 0);
    ASSERT_EQ(std::system((generator + " " + second + " > /dev/null").c_str()), 0);

    const auto a = files_under(first), b = files_under(second);
    std::set<std::string> expected;
    for (int state : {-1, 0, 1, 2, 3, 100, 101, 102, 103, 104})
        for (int i = 0; i < state_texture_count(state); ++i) expected.insert(std::string(state_texture_path(state, i)).substr(2));
    for (const char* n : WAVE_EFFECTS) expected.insert(std::string("sfx/") + n);
    for (const char* n : MP3_EFFECTS) expected.insert(std::string("sfx/") + n);
    for (const char* n : SONGS) expected.insert(std::string("mus/") + n);
    expected.insert("mus/mus_logo.mp3");
    expected.insert("mus/songs.sf2");  // the soundfont the sound layer gives the MIDI synthesizer
    expected.insert(std::string(PAD_LAYOUT_PICTURE).substr(2));

    std::set<std::string> made;
    for (const auto& [name, bytes] : a) made.insert(name);
    EXPECT_EQ(made, expected);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        const auto other = b.find(name);
        ASSERT_NE(other, b.end()) << name;
        EXPECT_TRUE(bytes == other->second) << name << " differs between two runs";
    }
}

TEST(AssetGenerator, WithoutAnOutputFolderItRefusesAndWritesNothing) {
    const std::string generator = std::string(BUILD_DIR) + "/tools/assetgen/assetgen";
    ScratchDir scratch;
    EXPECT_NE(std::system((generator + " 2> /dev/null").c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));
}
