#include "test_sound_support.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

#include "app/game_values.h"
#include "audio/sound.h"
#include "persist/settings.h"
#include "platform/sound_library.h"

static void put_le(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

static void put_be(std::string& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

std::string square_wave_wav(int milliseconds, int amplitude) {
    constexpr int RATE = 44100;
    constexpr int HALF_PERIOD = 50;  // 441 Hz
    uint32_t frames = static_cast<uint32_t>(RATE) * milliseconds / 1000;
    std::string wav = "RIFF";
    put_le(wav, 36 + frames * 2, 4);
    wav += "WAVEfmt ";
    put_le(wav, 16, 4);
    put_le(wav, 1, 2);  // PCM
    put_le(wav, 1, 2);  // mono
    put_le(wav, RATE, 4);
    put_le(wav, RATE * 2, 4);
    put_le(wav, 2, 2);
    put_le(wav, 16, 2);
    wav += "data";
    put_le(wav, frames * 2, 4);
    for (uint32_t i = 0; i < frames; ++i)
        put_le(wav, static_cast<uint16_t>((i / HALF_PERIOD) % 2 ? -amplitude : amplitude), 2);
    return wav;
}

static void put_delta(std::string& out, uint32_t ticks) {
    std::string bytes(1, static_cast<char>(ticks & 0x7f));
    while (ticks >>= 7) bytes.insert(bytes.begin(), static_cast<char>(0x80 | (ticks & 0x7f)));
    out += bytes;
}

std::string single_note_midi(int program, int note_ms, int end_ms, int bank) {
    constexpr int TICKS_PER_BEAT = 480;
    constexpr int MICROSECONDS_PER_BEAT = 480000;  // one tick per millisecond
    constexpr int NOTE = 60, VELOCITY = 110;
    std::string track;
    put_delta(track, 0);
    track += "\xff\x51\x03";
    put_be(track, MICROSECONDS_PER_BEAT, 3);
    if (bank != 0) {
        put_delta(track, 0);
        track += {'\xb0', '\0', static_cast<char>(bank)};  // bank select
    }
    put_delta(track, 0);
    track += {'\xc0', static_cast<char>(program)};
    put_delta(track, 0);
    track += {'\x90', static_cast<char>(NOTE), static_cast<char>(VELOCITY)};
    put_delta(track, note_ms);
    track += {'\x80', static_cast<char>(NOTE), '\0'};
    put_delta(track, end_ms - note_ms);
    track += "\xff\x2f";
    track += '\0';

    std::string midi = "MThd";
    put_be(midi, 6, 4);
    put_be(midi, 0, 2);  // one track
    put_be(midi, 1, 2);
    put_be(midi, TICKS_PER_BEAT, 2);
    midi += "MTrk";
    put_be(midi, track.size(), 4);
    return midi + track;
}

std::string midi_file(int format, const std::vector<std::string>& tracks) {
    std::string midi = "MThd";
    put_be(midi, 6, 4);
    put_be(midi, format, 2);
    put_be(midi, tracks.size(), 2);
    put_be(midi, 480, 2);
    for (const std::string& events : tracks) {
        midi += "MTrk";
        put_be(midi, events.size() + 4, 4);
        midi += events + std::string("\0\xff\x2f\0", 4);
    }
    return midi;
}

int output_peak_over(int milliseconds) {
    sound_library_test_output_peak();
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return sound_library_test_output_peak();
}

int output_peak_reaching(int wanted, int milliseconds) {
    sound_library_test_output_peak();
    int loudest = 0;
    for (int waited = 0; waited < milliseconds && loudest <= wanted; waited += 10) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        loudest = std::max(loudest, sound_library_test_output_peak());
    }
    return loudest;
}

void SoundTest::SetUp() {
    set_game_start_values();
    sound_library_test_use_drivers("dummy", nullptr);
    sound_library_test_meter_output();
    start_sound_backend();
    ASSERT_EQ(sound_library_test_samples_held(), 0);
}

void SoundTest::TearDown() { close_sound_backend(); }
