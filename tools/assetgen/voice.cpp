#include "voice.h"

#include <espeak-ng/speak_lib.h>

#include <cmath>
#include <cstring>

namespace {

std::vector<short> spoken;  // filled by the synthesis callback
int voice_rate = 0;         // the synthesiser's sample rate once opened, 0 before

int collect(short* wav, int count, espeak_EVENT*) {
    if (wav && count > 0) spoken.insert(spoken.end(), wav, wav + count);
    return 0;  // go on
}

// Linear resampling up to the game's rate; the radio band filters what it adds.
Samples resample(const std::vector<short>& in, int rate) {
    const double step = static_cast<double>(rate) / SAMPLE_RATE;
    const size_t n = static_cast<size_t>(in.size() / step);
    Samples out(n);
    for (size_t i = 0; i < n; ++i) {
        const double pos = i * step;
        const size_t k = static_cast<size_t>(pos);
        const double f = pos - k;
        const double a = in[k] / 32768.0, b = (k + 1 < in.size() ? in[k + 1] : in[k]) / 32768.0;
        out[i] = static_cast<float>(a + (b - a) * f);
    }
    return out;
}

// A burst of band-limited noise: the squelch of a radio key.
Samples squelch(double seconds, uint32_t seed) {
    Samples s(samples_for(seconds));
    Noise noise(seed);
    Biquad band = bandpass(2500, 0.9);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / s.size();
        s[i] = band.step(noise.next()) * static_cast<float>(0.5 * std::sin(3.14159265 * t));
    }
    return s;
}

}  // namespace

bool voice_open() {
    // Synchronous output: espeak_Synth returns once every sample went through
    // the callback. The library is started once per run: it does not start
    // cleanly a second time in one process.
    voice_rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (voice_rate <= 0) return false;
    espeak_SetSynthCallback(collect);
    if (espeak_SetVoiceByName("en-us+m3") != EE_OK && espeak_SetVoiceByName("en") != EE_OK) return false;
    espeak_SetParameter(espeakRATE, 155, 0);
    espeak_SetParameter(espeakPITCH, 38, 0);
    espeak_SetParameter(espeakRANGE, 30, 0);
    return true;
}

void voice_close() { espeak_Terminate(); }

bool speak_radio(const char* words, Samples& out) {
    if (voice_rate <= 0) return false;
    spoken.clear();
    const espeak_ERROR err = espeak_Synth(words, std::strlen(words) + 1, 0, POS_CHARACTER, 0, espeakCHARS_AUTO,
                                          nullptr, nullptr);
    if (err != EE_OK || spoken.empty()) return false;
    const int rate = voice_rate;

    Samples voice = resample(spoken, rate);
    // Radio band: 400 Hz to 2.8 kHz, two sections each side, then drive.
    Biquad hp1 = highpass(400), hp2 = highpass(400), lp1 = lowpass(2800), lp2 = lowpass(2800);
    Biquad presence = bandpass(1700, 1.2);
    Noise hiss(23);
    for (float& v : voice) {
        float x = lp2.step(lp1.step(hp2.step(hp1.step(v))));
        x += 0.6f * presence.step(x);
        x = static_cast<float>(std::tanh(4.0 * x) / std::tanh(4.0));
        // Coarse steps: a little digital crunch.
        x = std::round(x * 48.0f) / 48.0f;
        v = x + 0.012f * hiss.next();
    }
    out.clear();
    mix_into(out, squelch(0.07, 31), 0, 1.0f);
    mix_into(out, voice, samples_for(0.06), 1.0f);
    mix_into(out, squelch(0.09, 37), out.size(), 0.8f);
    return true;
}
