// Sound effects: the three guns and their volleys, the menu clicks, the two
// shield hits and the explosion, all synthesised here, then the voice lines.
#include <cmath>
#include <cstdio>

#include "audio.h"
#include "sounds.h"
#include "voice.h"

namespace {

const double PI = 3.14159265358979323846;
const double TWO_PI = 2 * PI;

// Every effect is matched to this short-term loudness (dBFS).
const double EFFECT_LOUDNESS_DB = -14.0;

// Laser: a bright falling zap. Also the menu's cursor click, so it is short.
Samples laser() {
    Samples s(samples_for(0.16));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        const double f = 1900 * std::exp(-t * 14) + 380;
        phase += TWO_PI * f / SAMPLE_RATE;
        const double env = std::min(1.0, t / 0.002) * std::exp(-t / 0.05);
        s[i] = static_cast<float>(env * (std::sin(phase) + 0.3 * std::sin(3 * phase)));
    }
    return s;
}

// Ion gun: a buzzing, ring-modulated sweep.
Samples ion() {
    Samples s(samples_for(0.28));
    double p1 = 0, p2 = 0;
    Biquad lp = lowpass(3200);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        const double f = 440 * std::exp(-t * 6) + 170;
        p1 += f / SAMPLE_RATE;
        p2 += f * 1.013 / SAMPLE_RATE;
        const double saw = (p1 - std::floor(p1)) * 2 - 1 + (p2 - std::floor(p2)) * 2 - 1;
        const double ring = std::sin(TWO_PI * 85 * t);
        const double env = std::min(1.0, t / 0.004) * std::exp(-t / 0.09);
        s[i] = lp.step(static_cast<float>(env * saw * (0.6 + 0.4 * ring) * 0.5));
    }
    return s;
}

// Neutron gun: a deep thump under a falling band of noise.
Samples neutron() {
    Samples s(samples_for(0.42));
    Noise noise(7);
    Biquad band = bandpass(2000, 2.0);
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        if (i % 64 == 0) band = [&] {
                Biquad b = bandpass(1800 * std::exp(-t * 5) + 350, 2.0);
                b.x1 = band.x1; b.x2 = band.x2; b.y1 = band.y1; b.y2 = band.y2;
                return b;
            }();
        const double f = 95 * std::exp(-t * 12) + 45;
        phase += TWO_PI * f / SAMPLE_RATE;
        const double env = std::min(1.0, t / 0.003) * std::exp(-t / 0.13);
        const double thump = std::sin(phase) * std::exp(-t / 0.16);
        s[i] = static_cast<float>(env * (0.9 * thump + 0.9 * band.step(noise.next())));
    }
    return s;
}

Samples volley(const Samples& a, const Samples& b) {
    Samples s;
    mix_into(s, a, 0, 0.7f);
    mix_into(s, b, samples_for(0.015), 0.7f);
    return s;
}

// Confirm click: two rising blips.
Samples confirm_click() {
    Samples s;
    const double notes[2][2] = {{1046.5, 0.045}, {1568.0, 0.07}};
    size_t at = 0;
    for (const auto& n : notes) {
        Samples blip(samples_for(n[1]));
        for (size_t i = 0; i < blip.size(); ++i) {
            const double t = static_cast<double>(i) / SAMPLE_RATE;
            const double env = std::min(1.0, t / 0.003) * std::exp(-t / (n[1] * 0.45));
            const double ph = TWO_PI * n[0] * t;
            blip[i] = static_cast<float>(env * (std::sin(ph) + 0.15 * std::sin(3 * ph)));
        }
        mix_into(s, blip, at, 1.0f);
        at += blip.size();
    }
    return s;
}

// Shield holds: a shimmering metallic ping with a short hiss.
Samples shield_hold() {
    Samples s(samples_for(0.38));
    Noise noise(11);
    Biquad hiss = bandpass(4200, 1.5);
    const double partials[] = {1210, 1737, 2614, 3391};
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        double ping = 0;
        for (int k = 0; k < 4; ++k) ping += std::sin(TWO_PI * partials[k] * t * (1 + 0.02 * std::sin(TWO_PI * 9 * t))) / (k + 1);
        const double wub = std::sin(TWO_PI * (400 - 300 * t) * t) * std::exp(-t / 0.08);
        const double env = std::min(1.0, t / 0.002) * std::exp(-t / 0.1);
        s[i] = static_cast<float>(env * 0.5 * ping + 0.35 * wub + hiss.step(noise.next()) * std::exp(-t / 0.03));
    }
    return s;
}

// Hull hit: a crunching thud with a clank of metal.
Samples hull_hit() {
    Samples s(samples_for(0.45));
    Noise noise(13);
    Biquad lp = lowpass(1400);
    double phase = 0;
    const double clank[] = {311, 467, 793};
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        phase += TWO_PI * (60 * std::exp(-t * 10) + 40) / SAMPLE_RATE;
        double metal = 0;
        for (int k = 0; k < 3; ++k) metal += std::sin(TWO_PI * clank[k] * t) / (k + 1.5);
        const double x = std::sin(phase) * std::exp(-t / 0.12) + lp.step(noise.next()) * 1.4 * std::exp(-t / 0.08) +
                         0.4 * metal * std::exp(-t / 0.15);
        s[i] = static_cast<float>(std::tanh(2.5 * x) * std::min(1.0, t / 0.002));
    }
    return s;
}

// Explosion: a falling roar of noise, a sub rumble and crackles.
Samples explosion() {
    Samples s(samples_for(1.6));
    Noise noise(17), crackle(19);
    Biquad roar = lowpass(4000);
    double phase = 0, spark = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        if (i % 32 == 0) retune_lowpass(roar, 3800 * std::exp(-t / 0.35) + 180);
        phase += TWO_PI * (30 + 30 * std::exp(-t * 3)) / SAMPLE_RATE;
        if (crackle.next() > 0.9993f && t < 1.0) spark = 1.0;
        spark *= 0.9985;
        const double env = std::min(1.0, t / 0.005) * (0.75 * std::exp(-t / 0.35) + 0.25 * std::exp(-t / 0.9));
        const double x = 1.6 * roar.step(noise.next()) + 0.9 * std::sin(phase) * std::exp(-t / 0.6) +
                         0.5 * spark * noise.next();
        s[i] = static_cast<float>(std::tanh(env * x * 1.5));
    }
    return s;
}

bool save(const std::string& dir, const std::string& name, Samples s, bool mp3) {
    fade_edges(s, 0.001, 0.01);
    normalise(s, EFFECT_LOUDNESS_DB);
    const std::string path = dir + "/" + name;
    const bool ok = mp3 ? write_mp3(path, s, 96) : write_wav(path, s);
    if (!ok) std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace

bool write_effects(const std::string& dir) {
    const Samples l = laser(), i = ion(), n = neutron();
    bool ok = save(dir, "sfx_gun_2.wav", l, false);
    ok = save(dir, "sfx_gun_6.wav", i, false) && ok;
    ok = save(dir, "sfx_gun_7.wav", n, false) && ok;
    ok = save(dir, "sfx_gun_2_6.wav", volley(l, i), false) && ok;
    ok = save(dir, "sfx_gun_2_7.wav", volley(l, n), false) && ok;
    ok = save(dir, "sfx_gun_5.wav", confirm_click(), false) && ok;
    ok = save(dir, "sfx_shield_1.wav", shield_hold(), false) && ok;
    ok = save(dir, "sfx_shield_2.wav", hull_hit(), false) && ok;
    ok = save(dir, "sfx_explosion.mp3", explosion(), true) && ok;
    const std::pair<const char*, const char*> lines[] = {
        {"sfx_voc_fighters_detected.mp3", "Fighters detected."},
        {"sfx_voc_nav_completed.mp3", "Nav completed."},
        {"sfx_voc_stage_completed.mp3", "Stage completed."},
    };
    if (!voice_open()) {
        std::fprintf(stderr, "assetgen: the speech synthesiser did not start\n");
        voice_close();
        return false;
    }
    for (const auto& [file, words] : lines) {
        Samples v;
        if (!speak_radio(words, v)) {
            std::fprintf(stderr, "assetgen: speech synthesis failed for \"%s\"\n", words);
            ok = false;
            continue;
        }
        ok = save(dir, file, v, true) && ok;
    }
    voice_close();
    return ok;
}
