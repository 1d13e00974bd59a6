// The music: three looping General MIDI songs (menu, credits, stage) and the
// logo intro's piece, synthesised here and written as MP3.
#include <cmath>
#include <cstdio>

#include "audio.h"
#include "midi.h"
#include "soundfont.h"
#include "sounds.h"

namespace {

const double PI = 3.14159265358979323846;
const double TWO_PI = 2 * PI;

// General MIDI programs (0-based) and percussion keys used below.
enum {
    ELECTRIC_PIANO = 4, VIBRAPHONE = 11, FRETLESS_BASS = 35, SYNTH_BASS = 38, STRINGS = 48,
    DISTORTION_GUITAR = 30, SAW_LEAD = 81, WARM_PAD = 89, POLYSYNTH = 90, NEW_AGE_PAD = 88,
};
enum {
    KICK = 36, SIDE_STICK = 37, SNARE = 38, CLOSED_HAT = 42, OPEN_HAT = 46, CRASH = 49, RIDE = 51,
    LOW_TOM = 45, MID_TOM = 47, HIGH_TOM = 50,
};
const int DRUMS = 9;

struct Chord {
    int root;            // bass note
    int voicing[3];      // pad or comping notes
};

// A melody as (bar, beat, beats, pitch) steps.
struct Step {
    int bar;
    double beat, beats;
    int pitch;
};

// Menu: dark and floating, A minor at 96 beats a minute.
Song menu_song() {
    Song s;
    s.bpm = 96;
    s.bars = 16;
    const Chord am{45, {57, 60, 64}}, f{41, {57, 60, 65}}, c{48, {55, 60, 64}}, g{43, {55, 59, 62}},
        dm{38, {57, 62, 65}}, e{40, {56, 59, 64}};
    const Chord bars[8] = {am, f, c, g, am, f, dm, e};
    const int pad = s.add_track(0, WARM_PAD, 115, 64, 80);
    const int arp = s.add_track(1, VIBRAPHONE, 95, 80, 70);
    const int bass = s.add_track(2, SYNTH_BASS, 120, 64, 30);
    const int lead = s.add_track(3, SAW_LEAD, 88, 50, 90);
    const int drums = s.add_track(DRUMS, 0, 105, 64, 40);
    for (int bar = 0; bar < 16; ++bar) {
        const Chord& ch = bars[bar % 8];
        const double b0 = bar * 4.0;
        for (int n : ch.voicing) s.note(pad, b0, 4, n, 62);
        const int pattern[8] = {0, 1, 2, 3, 2, 1, 3, 1};
        for (int i = 0; i < 8; ++i) {
            const int k = pattern[i];
            const int pitch = k == 3 ? ch.voicing[0] + 12 : ch.voicing[k] + 12;
            s.note(arp, b0 + i * 0.5, 0.5, pitch, i % 2 ? 48 : 62);
        }
        s.note(bass, b0, 1.5, ch.root, 92);
        s.note(bass, b0 + 1.5, 0.5, ch.root + 12, 70);
        s.note(bass, b0 + 2, 2, ch.root, 84);
        s.note(drums, b0, 0.5, KICK, 90);
        s.note(drums, b0 + 2.5, 0.5, KICK, 70);
        if (bar >= 4) {
            s.note(drums, b0 + 1, 0.5, SIDE_STICK, 60);
            s.note(drums, b0 + 3, 0.5, SIDE_STICK, 66);
        }
        for (int i = 0; i < 8; ++i) s.note(drums, b0 + i * 0.5, 0.5, CLOSED_HAT, i % 2 ? 34 : 50);
        if (bar % 2 == 1) s.note(drums, b0 + 3.5, 0.5, OPEN_HAT, 44);
    }
    const Step melody[] = {{8, 0, 2, 76},  {8, 2, 1, 74},  {8, 3, 1, 72},  {9, 0, 4, 69},  {10, 0, 2, 67},
                           {10, 2, 2, 72}, {11, 0, 4, 71}, {12, 0, 2, 76}, {12, 2, 1, 77}, {12, 3, 1, 76},
                           {13, 0, 4, 74}, {14, 0, 2, 77}, {14, 2, 1, 76}, {14, 3, 1, 74}, {15, 0, 4, 76}};
    for (const Step& m : melody) s.note(lead, m.bar * 4 + m.beat, m.beats, m.pitch, 70);
    return s;
}

// Credits: warm and unhurried, F major at 84 beats a minute.
Song credits_song() {
    Song s;
    s.bpm = 84;
    s.bars = 16;
    const Chord f{41, {60, 65, 69}}, am{45, {60, 64, 69}}, bb{46, {62, 65, 70}}, c{48, {60, 64, 67}},
        dm{38, {62, 65, 69}};
    const Chord bars[16] = {f, am, bb, c, f, am, bb, c, dm, am, bb, c, dm, c, bb, c};
    const int piano = s.add_track(0, ELECTRIC_PIANO, 105, 54, 60);
    const int strings = s.add_track(1, STRINGS, 88, 74, 90);
    const int bass = s.add_track(2, FRETLESS_BASS, 112, 64, 30);
    const int vibes = s.add_track(3, VIBRAPHONE, 95, 84, 80);
    const int drums = s.add_track(DRUMS, 0, 90, 64, 50);
    for (int bar = 0; bar < 16; ++bar) {
        const Chord& ch = bars[bar];
        const double b0 = bar * 4.0;
        for (int n : ch.voicing) {
            s.note(piano, b0, 1.5, n, 66);
            s.note(piano, b0 + 2.5, 1.5, n, 58);
            s.note(strings, b0, 4, n - 12, 50);
        }
        s.note(bass, b0, 1.5, ch.root, 86);
        s.note(bass, b0 + 1.5, 0.5, ch.root + 7, 64);
        s.note(bass, b0 + 2, 2, ch.root, 78);
        for (int i = 0; i < 4; ++i) s.note(drums, b0 + i, 1, RIDE, i % 2 ? 38 : 48);
        s.note(drums, b0, 0.5, KICK, 70);
        s.note(drums, b0 + 2.5, 0.5, KICK, 56);
        s.note(drums, b0 + 1, 0.5, SIDE_STICK, 46);
        s.note(drums, b0 + 3, 0.5, SIDE_STICK, 52);
    }
    const Step melody[] = {
        {4, 0, 1.5, 72},  {4, 1.5, 0.5, 74}, {4, 2, 2, 77},   {5, 0, 3, 76},   {5, 3, 1, 72},  {6, 0, 2, 74},
        {6, 2, 2, 77},    {7, 0, 4, 79},     {8, 0, 1.5, 81}, {8, 1.5, 2.5, 77}, {9, 0, 2, 76}, {9, 2, 2, 72},
        {10, 0, 2, 74},   {10, 2, 2, 70},    {11, 0, 4, 72},  {12, 0, 1.5, 77}, {12, 1.5, 2.5, 74}, {13, 0, 2, 72},
        {13, 2, 2, 67},   {14, 0, 2, 70},    {14, 2, 2, 69},  {15, 0, 4, 67}};
    for (const Step& m : melody) s.note(vibes, m.bar * 4 + m.beat, m.beats, m.pitch, 72);
    return s;
}

// Stage: driving, E minor at 140 beats a minute.
Song stage_song() {
    Song s;
    s.bpm = 140;
    s.bars = 16;
    const int em = 40, c = 48, d = 50, am = 45, b = 47;
    const int roots[8] = {em, c, d, em, em, c, am, b};
    const int guitar = s.add_track(0, DISTORTION_GUITAR, 84, 44, 30);
    const int bass = s.add_track(1, SYNTH_BASS, 100, 64, 20);
    const int pad = s.add_track(2, POLYSYNTH, 60, 84, 70);
    const int lead = s.add_track(3, SAW_LEAD, 80, 70, 60);
    const int drums = s.add_track(DRUMS, 0, 96, 64, 30);
    for (int bar = 0; bar < 16; ++bar) {
        const int r = roots[bar % 8];
        const double b0 = bar * 4.0;
        for (int i = 0; i < 8; ++i) {
            const int vel = i % 2 ? 72 : 96;
            for (int n : {r, r + 7, r + 12}) s.note(guitar, b0 + i * 0.5, 0.5, n, vel);
            s.note(bass, b0 + i * 0.5, 0.5, r - 12 + (i % 4 == 3 ? 12 : 0), i % 2 ? 84 : 104);
            s.note(drums, b0 + i * 0.5, 0.5, CLOSED_HAT, i % 2 ? 52 : 76);
        }
        const bool minor = r == em || r == am;
        for (int n : {r + 12, r + 12 + (minor ? 3 : 4), r + 19}) s.note(pad, b0, 4, n + 12, 50);
        s.note(drums, b0, 0.5, KICK, 110);
        s.note(drums, b0 + 1.5, 0.5, KICK, 90);
        s.note(drums, b0 + 2, 0.5, KICK, 104);
        s.note(drums, b0 + 1, 0.5, SNARE, 100);
        if (bar % 8 == 7) {
            // Fill into the next phrase: toms down the last beat.
            s.note(drums, b0 + 3, 0.25, HIGH_TOM, 96);
            s.note(drums, b0 + 3.25, 0.25, MID_TOM, 96);
            s.note(drums, b0 + 3.5, 0.25, LOW_TOM, 100);
            s.note(drums, b0 + 3.75, 0.25, SNARE, 110);
        } else {
            s.note(drums, b0 + 3, 0.5, SNARE, 104);
        }
        if (bar % 4 == 0) s.note(drums, b0, 1, CRASH, 92);
    }
    const Step melody[] = {
        {8, 0, 1, 71},   {8, 1, 1, 74},   {8, 2, 2, 76},    {9, 0, 1.5, 79}, {9, 1.5, 2.5, 76}, {10, 0, 1, 74},
        {10, 1, 1, 76},  {10, 2, 2, 78},  {11, 0, 4, 76},   {12, 0, 1, 71},  {12, 1, 1, 74},    {12, 2, 2, 76},
        {13, 0, 1.5, 79}, {13, 1.5, 2.5, 83}, {14, 0, 2, 81}, {14, 2, 2, 79}, {15, 0, 2, 78},  {15, 2, 2, 75}};
    for (const Step& m : melody) s.note(lead, m.bar * 4 + m.beat, m.beats, m.pitch, 92);
    return s;
}

// Plain reverb: four feedback combs into two all-passes.
Samples reverb(const Samples& dry, double wet) {
    const int comb_len[4] = {1557, 1617, 1491, 1422};
    const int ap_len[2] = {225, 556};
    std::vector<Samples> combs;
    for (int l : comb_len) combs.emplace_back(static_cast<size_t>(l), 0.0f);
    std::vector<Samples> aps;
    for (int l : ap_len) aps.emplace_back(static_cast<size_t>(l), 0.0f);
    size_t ci[4] = {}, ai[2] = {};
    Samples out(dry.size());
    for (size_t i = 0; i < dry.size(); ++i) {
        float sum = 0;
        for (int k = 0; k < 4; ++k) {
            float& cell = combs[k][ci[k]];
            const float y = cell;
            cell = dry[i] + y * 0.82f;
            ci[k] = (ci[k] + 1) % combs[k].size();
            sum += y;
        }
        float x = sum * 0.25f;
        for (int k = 0; k < 2; ++k) {
            float& cell = aps[k][ai[k]];
            const float y = cell - 0.5f * x;
            cell = x + 0.5f * y;
            ai[k] = (ai[k] + 1) % aps[k].size();
            x = y;
        }
        out[i] = static_cast<float>(dry[i] * (1 - wet) + x * wet);
    }
    return out;
}

double note_hz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// Logo intro, about 11 seconds: a low boom, a pad chord swelling while the
// logos fade in, a bell figure while they hold, and a long release to silence.
Samples intro_piece() {
    const double length = 11.0;
    Samples s(samples_for(length));
    // Boom and whoosh at the start.
    Noise noise(41);
    Biquad whoosh = lowpass(300);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        if (i % 64 == 0) retune_lowpass(whoosh, 200 + 2200 * std::min(1.0, t / 3.5), 1.2);
        const double boom = std::sin(TWO_PI * (38 + 20 * std::exp(-t * 2)) * t) * std::exp(-t / 1.6);
        const double air = whoosh.step(noise.next()) * std::min(1.0, t / 2.5) * std::exp(-std::max(0.0, t - 3.5) / 0.8);
        s[i] += static_cast<float>(0.6 * boom + 0.25 * air);
    }
    // Pad: detuned saws through a lowpass opening with the fade-in (A minor
    // add nine, resolving to F major seven at 6.5 s).
    const int chord_a[] = {45, 57, 64, 71, 72};
    const int chord_b[] = {41, 57, 64, 69, 72};
    Biquad pad_filter = lowpass(300);
    std::vector<double> phases(20, 0.0);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        const bool second = t >= 6.5;
        double sum = 0;
        for (int n = 0; n < 5; ++n) {
            const double f = note_hz(second ? chord_b[n] : chord_a[n]);
            for (int d = 0; d < 4; ++d) {
                double& ph = phases[n * 4 + d];
                ph += f * (1 + (d - 1.5) * 0.0035) / SAMPLE_RATE;
                ph -= std::floor(ph);
                sum += ph * 2 - 1;
            }
        }
        if (i % 64 == 0) retune_lowpass(pad_filter, 250 + 2200 * std::sin(PI * std::min(1.0, t / 9.0)), 0.9);
        const double env = std::min(1.0, t / 3.8) * (t > 7.0 ? std::exp(-(t - 7.0) / 1.3) : 1.0);
        s[i] += static_cast<float>(pad_filter.step(static_cast<float>(sum / 20)) * env * 0.55);
    }
    // Bells while the logos stand at full brightness.
    const double bell_times[] = {3.6, 4.1, 4.6, 5.1, 5.8, 6.6};
    const int bell_notes[] = {76, 81, 83, 84, 88, 81};
    for (int b = 0; b < 6; ++b) {
        const double f = note_hz(bell_notes[b]);
        Samples bell(samples_for(3.0));
        for (size_t i = 0; i < bell.size(); ++i) {
            const double t = static_cast<double>(i) / SAMPLE_RATE;
            const double index = 2.5 * std::exp(-t / 0.4);
            bell[i] = static_cast<float>(std::sin(TWO_PI * f * t + index * std::sin(TWO_PI * f * 3.5 * t)) *
                                         std::exp(-t / 0.9) * std::min(1.0, t / 0.003));
        }
        mix_into(s, bell, samples_for(bell_times[b]), 0.22f);
    }
    s.resize(samples_for(length));
    s = reverb(s, 0.3);
    // The last second fades to silence, as the screen has long gone black.
    const size_t tail = samples_for(1.5);
    for (size_t i = 0; i < tail; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / tail;
    return s;
}

}  // namespace

bool write_music(const std::string& dir) {
    const std::vector<Song> songs = {menu_song(), credits_song(), stage_song()};
    bool ok = write_midi(dir + "/mus_menu.mid", songs[0]);
    ok = write_midi(dir + "/mus_cred.mid", songs[1]) && ok;
    ok = write_midi(dir + "/mus_stage_1.mid", songs[2]) && ok;
    ok = write_song_soundfont(dir + "/songs.sf2", ASSETGEN_SOUNDFONT, songs) && ok;
    Samples intro = intro_piece();
    fade_edges(intro, 0.005, 0.0);
    normalise(intro, -12.0);
    ok = write_mp3(dir + "/mus_logo.mp3", intro, 128) && ok;
    if (!ok) std::fprintf(stderr, "assetgen: cannot write the music into %s\n", dir.c_str());
    return ok;
}
