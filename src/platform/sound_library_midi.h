// The check a MIDI song passes before it reaches the synthesizer. The synth
// loops a song inside one mixing call: a song that lasts no time at all, or one
// it cannot parse, makes that call spin forever with the mixer locked, and the
// game's next sound call would hang. Such songs are refused like unreadable files.
#pragma once

#include <cstddef>
#include <set>
#include <string>

// True when `data` is a Standard MIDI File (format 0, 1 or 2, ticks per beat)
// whose every track parses to its end-of-track event and which lasts at least
// one tick at a tempo above zero.
bool sound_library_midi_is_playable(const unsigned char* data, size_t size);

// What a playable song asks of the synthesizer, read from its events as the
// synthesizer's player will send them (bank select taken as its stock setting has it).
struct MidiSongNeeds {
    std::set<int> presets;       // bank * 128 + program of each preset a note starts with
    int most_notes_at_once = 0;  // notes held, or kept by the sustain pedal, at the busiest moment
};
MidiSongNeeds sound_library_midi_needs(const unsigned char* data, size_t size);

// True when the file at `path` would be played by the synthesizer: it starts
// like a MIDI file, or its name ends in .mid, .midi, .kar or .rmi.
bool sound_library_is_midi_song(const std::string& path, const unsigned char* start, size_t size);
