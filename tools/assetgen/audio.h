// Mono sample buffers at 44.1 kHz and what the sound files need: filters,
// deterministic noise, loudness matching, WAV and MP3 writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

const int SAMPLE_RATE = 44100;
using Samples = std::vector<float>;  // mono, -1..1

inline size_t samples_for(double seconds) { return static_cast<size_t>(seconds * SAMPLE_RATE + 0.5); }

// A second-order filter section (the audio cookbook's forms).
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    float step(float x);
};
Biquad lowpass(double hz, double q = 0.7071);
Biquad highpass(double hz, double q = 0.7071);
Biquad bandpass(double hz, double q);
void retune_lowpass(Biquad& f, double hz, double q = 0.7071);  // keeps the state: for sweeps

// White noise from a fixed-seed generator: the same on every run.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed * 2654435761u + 1u) {}
    float next();  // -1..1
};

// Adds `src` into `dst` from sample `at` on, scaled by `gain`; grows `dst`.
void mix_into(Samples& dst, const Samples& src, size_t at, float gain);

// Loudness of the loudest 100 ms, as RMS (0..1). The games's effects are short
// bursts: matching their loudest moments keeps any one from standing out.
double short_term_rms(const Samples& s);
double peak_of(const Samples& s);
double to_db(double level);

// Scales `s` so its short-term RMS is `target_db` (dBFS), then limits peaks
// softly to `ceiling_db`.
void normalise(Samples& s, double target_db, double ceiling_db = -1.0);

// Short fades at both ends so no file starts or stops with a click.
void fade_edges(Samples& s, double in_seconds, double out_seconds);

// 16-bit mono PCM WAV; MP3 (MPEG-1 layer III, mono, constant bit rate, no tags).
bool write_wav(const std::string& path, const Samples& s);
bool write_mp3(const std::string& path, const Samples& s, int kbps);
