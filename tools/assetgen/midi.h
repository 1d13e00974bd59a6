// A small Standard MIDI File writer: format 1, one tempo track and one track
// per instrument, every track ending on the same bar line so a song loops
// without a gap or a hanging note.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

const int TICKS_PER_BEAT = 480;

struct MidiTrack {
    int channel = 0;  // 0..15; 9 is General MIDI percussion
    struct Event {
        long tick;
        int order;  // at equal ticks: note-offs before controls before note-ons
        std::vector<uint8_t> bytes;
    };
    std::vector<Event> events;
};

struct Song {
    double bpm = 120;
    int bars = 16;  // 4/4
    std::vector<MidiTrack> tracks;

    // Adds a track for `program` (General MIDI, 0-based; ignored on channel 9)
    // with its volume, pan and reverb send; returns its index.
    int add_track(int channel, int program, int volume, int pan, int reverb);
    // A note from `beat` lasting `beats`, cut at the song's end.
    void note(int track, double beat, double beats, int pitch, int velocity);
    long end_tick() const { return static_cast<long>(bars) * 4 * TICKS_PER_BEAT; }
};

bool write_midi(const std::string& path, const Song& song);
