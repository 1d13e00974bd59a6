#include "midi.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

void put_var(std::vector<uint8_t>& out, unsigned long v) {
    uint8_t buf[5];
    int n = 0;
    buf[n++] = v & 0x7f;
    while (v >>= 7) buf[n++] = static_cast<uint8_t>((v & 0x7f) | 0x80);
    while (n) out.push_back(buf[--n]);
}

void put_be(std::vector<uint8_t>& out, unsigned long v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

std::vector<uint8_t> track_chunk(std::vector<MidiTrack::Event> events, long end) {
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    long now = 0;
    for (const auto& e : events) {
        put_var(body, static_cast<unsigned long>(e.tick - now));
        now = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    put_var(body, static_cast<unsigned long>(end - now));
    body.insert(body.end(), {0xff, 0x2f, 0x00});  // end of track, on the last bar line
    std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
    put_be(chunk, body.size(), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

}  // namespace

int Song::add_track(int channel, int program, int volume, int pan, int reverb) {
    MidiTrack t;
    t.channel = channel;
    const uint8_t ch = static_cast<uint8_t>(channel);
    if (channel != 9) t.events.push_back({0, 1, {static_cast<uint8_t>(0xc0 | ch), static_cast<uint8_t>(program)}});
    t.events.push_back({0, 1, {static_cast<uint8_t>(0xb0 | ch), 7, static_cast<uint8_t>(volume)}});
    t.events.push_back({0, 1, {static_cast<uint8_t>(0xb0 | ch), 10, static_cast<uint8_t>(pan)}});
    t.events.push_back({0, 1, {static_cast<uint8_t>(0xb0 | ch), 91, static_cast<uint8_t>(reverb)}});
    tracks.push_back(t);
    return static_cast<int>(tracks.size()) - 1;
}

void Song::note(int track, double beat, double beats, int pitch, int velocity) {
    MidiTrack& t = tracks.at(static_cast<size_t>(track));
    const long on = std::lround(beat * TICKS_PER_BEAT);
    long off = std::lround((beat + beats) * TICKS_PER_BEAT) - 10;  // a hair of space between notes
    off = std::min(off, end_tick());
    if (on >= end_tick() || off <= on || pitch < 0 || pitch > 127) return;
    const uint8_t ch = static_cast<uint8_t>(t.channel);
    t.events.push_back({on, 2, {static_cast<uint8_t>(0x90 | ch), static_cast<uint8_t>(pitch),
                                static_cast<uint8_t>(std::clamp(velocity, 1, 127))}});
    t.events.push_back({off, 0, {static_cast<uint8_t>(0x80 | ch), static_cast<uint8_t>(pitch), 64}});
}

bool write_midi(const std::string& path, const Song& song) {
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    put_be(out, 6, 4);
    put_be(out, 1, 2);  // format 1
    put_be(out, song.tracks.size() + 1, 2);
    put_be(out, TICKS_PER_BEAT, 2);
    // Tempo track: tempo and 4/4.
    std::vector<MidiTrack::Event> tempo;
    const unsigned long us = static_cast<unsigned long>(std::lround(60000000.0 / song.bpm));
    tempo.push_back({0, 0, {0xff, 0x51, 0x03, static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8),
                            static_cast<uint8_t>(us)}});
    tempo.push_back({0, 1, {0xff, 0x58, 0x04, 4, 2, 24, 8}});
    const auto head = track_chunk(tempo, song.end_tick());
    out.insert(out.end(), head.begin(), head.end());
    for (const MidiTrack& t : song.tracks) {
        const auto chunk = track_chunk(t.events, song.end_tick());
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}
