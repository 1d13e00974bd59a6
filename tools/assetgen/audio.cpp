#include "audio.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const double PI = 3.14159265358979323846;

Biquad make(double b0, double b1, double b2, double a0, double a1, double a2) {
    Biquad f;
    f.b0 = b0 / a0;
    f.b1 = b1 / a0;
    f.b2 = b2 / a0;
    f.a1 = a1 / a0;
    f.a2 = a2 / a0;
    return f;
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void put_u16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xff));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

int16_t to_pcm(float v) {
    const float c = std::clamp(v, -1.0f, 1.0f);
    return static_cast<int16_t>(std::lround(c * 32767.0f));
}

}  // namespace

float Biquad::step(float x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return static_cast<float>(y);
}

Biquad lowpass(double hz, double q) {
    const double w = 2 * PI * hz / SAMPLE_RATE, c = std::cos(w), a = std::sin(w) / (2 * q);
    return make((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + a, -2 * c, 1 - a);
}

Biquad highpass(double hz, double q) {
    const double w = 2 * PI * hz / SAMPLE_RATE, c = std::cos(w), a = std::sin(w) / (2 * q);
    return make((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + a, -2 * c, 1 - a);
}

Biquad bandpass(double hz, double q) {
    const double w = 2 * PI * hz / SAMPLE_RATE, c = std::cos(w), a = std::sin(w) / (2 * q);
    return make(a, 0, -a, 1 + a, -2 * c, 1 - a);
}

void retune_lowpass(Biquad& f, double hz, double q) {
    Biquad n = lowpass(hz, q);
    n.x1 = f.x1;
    n.x2 = f.x2;
    n.y1 = f.y1;
    n.y2 = f.y2;
    f = n;
}

float Noise::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state / 4294967295.0 * 2.0 - 1.0);
}

void mix_into(Samples& dst, const Samples& src, size_t at, float gain) {
    if (dst.size() < at + src.size()) dst.resize(at + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i) dst[at + i] += src[i] * gain;
}

double short_term_rms(const Samples& s) {
    const size_t window = samples_for(0.1);
    if (s.empty()) return 0;
    if (s.size() <= window) {
        double sum = 0;
        for (float v : s) sum += static_cast<double>(v) * v;
        return std::sqrt(sum / window);  // a shorter sound counts its silence
    }
    double sum = 0, best = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        sum += static_cast<double>(s[i]) * s[i];
        if (i >= window) sum -= static_cast<double>(s[i - window]) * s[i - window];
        if (i + 1 >= window) best = std::max(best, sum);
    }
    return std::sqrt(std::max(0.0, best) / window);
}

double peak_of(const Samples& s) {
    double p = 0;
    for (float v : s) p = std::max(p, static_cast<double>(std::abs(v)));
    return p;
}

double to_db(double level) { return level > 0 ? 20 * std::log10(level) : -200; }

void normalise(Samples& s, double target_db, double ceiling_db) {
    const double rms = short_term_rms(s);
    if (rms <= 0) return;
    const double gain = std::pow(10.0, target_db / 20) / rms;
    const double ceiling = std::pow(10.0, ceiling_db / 20);
    // Soft knee from 70 % of the ceiling: below it the sound is untouched.
    const double knee = ceiling * 0.7;
    for (float& v : s) {
        double x = v * gain;
        const double ax = std::abs(x);
        if (ax > knee) x = std::copysign(knee + (ceiling - knee) * std::tanh((ax - knee) / (ceiling - knee)), x);
        v = static_cast<float>(x);
    }
}

void fade_edges(Samples& s, double in_seconds, double out_seconds) {
    const size_t in = std::min(s.size(), samples_for(in_seconds));
    const size_t out = std::min(s.size(), samples_for(out_seconds));
    for (size_t i = 0; i < in; ++i) s[i] *= static_cast<float>(i) / in;
    for (size_t i = 0; i < out; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / out;
}

bool write_wav(const std::string& path, const Samples& s) {
    std::vector<uint8_t> out;
    const uint32_t data_bytes = static_cast<uint32_t>(s.size() * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put_u32(out, 36 + data_bytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put_u32(out, 16);
    put_u16(out, 1);  // PCM
    put_u16(out, 1);  // mono
    put_u32(out, SAMPLE_RATE);
    put_u32(out, SAMPLE_RATE * 2);
    put_u16(out, 2);
    put_u16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put_u32(out, data_bytes);
    for (float v : s) put_u16(out, static_cast<uint16_t>(to_pcm(v)));
    return write_file(path, out);
}

bool write_mp3(const std::string& path, const Samples& s, int kbps) {
    lame_t lame = lame_init();
    if (!lame) return false;
    lame_set_in_samplerate(lame, SAMPLE_RATE);
    lame_set_out_samplerate(lame, SAMPLE_RATE);
    lame_set_num_channels(lame, 1);
    lame_set_mode(lame, MONO);
    lame_set_brate(lame, kbps);
    lame_set_quality(lame, 5);
    lame_set_bWriteVbrTag(lame, 0);           // plain frames only
    lame_set_write_id3tag_automatic(lame, 0);  // no tags: the file is frames from byte 0
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        return false;
    }
    std::vector<short> pcm(s.size());
    for (size_t i = 0; i < s.size(); ++i) pcm[i] = to_pcm(s[i]);
    std::vector<uint8_t> out(s.size() * 5 / 4 + 7200 + 7200);
    const int n = lame_encode_buffer(lame, pcm.data(), pcm.data(), static_cast<int>(pcm.size()), out.data(),
                                     static_cast<int>(out.size()));
    if (n < 0) {
        lame_close(lame);
        return false;
    }
    const int tail = lame_encode_flush(lame, out.data() + n, static_cast<int>(out.size()) - n);
    lame_close(lame);
    if (tail < 0) return false;
    out.resize(static_cast<size_t>(n + tail));
    return write_file(path, out);
}
