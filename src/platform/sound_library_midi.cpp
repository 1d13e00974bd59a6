#include "platform/sound_library_midi.h"

#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr uint8_t META_EVENT = 0xff;
constexpr uint8_t SYSEX_START = 0xf0;
constexpr uint8_t SYSEX_CONTINUE = 0xf7;
constexpr uint8_t META_END_OF_TRACK = 0x2f;
constexpr uint8_t META_SET_TEMPO = 0x51;
constexpr int MAX_VARIABLE_LENGTH_BYTES = 4;

// A bounded reader over the file's bytes: every read checks what is left.
struct ByteReader {
    const unsigned char* data;
    size_t size;
    size_t position = 0;

    bool read_byte(uint8_t& out) {
        if (position >= size) return false;
        out = data[position++];
        return true;
    }
    bool read_fixed(uint32_t& out, int bytes) {
        out = 0;
        for (int i = 0; i < bytes; ++i) {
            uint8_t byte;
            if (!read_byte(byte)) return false;
            out = (out << 8) | byte;
        }
        return true;
    }
    bool read_variable(uint32_t& out) {
        out = 0;
        for (int i = 0; i < MAX_VARIABLE_LENGTH_BYTES; ++i) {
            uint8_t byte;
            if (!read_byte(byte)) return false;
            out = (out << 7) | (byte & 0x7f);
            if ((byte & 0x80) == 0) return true;
        }
        return false;
    }
    bool skip(uint32_t bytes) {
        if (bytes > size - position) return false;
        position += bytes;
        return true;
    }
};

int channel_message_data_bytes(uint8_t status) {
    uint8_t kind = status & 0xf0;
    return (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
}

// One meta event after its type byte: false when it is malformed.
bool read_meta_event(ByteReader& track, bool& end_of_track) {
    uint8_t type;
    uint32_t length;
    if (!track.read_byte(type) || !track.read_variable(length)) return false;
    if (type == META_END_OF_TRACK) {
        end_of_track = true;
        return length == 0;
    }
    if (type == META_SET_TEMPO) {
        uint32_t microseconds_per_beat;
        return length == 3 && track.read_fixed(microseconds_per_beat, 3) && microseconds_per_beat > 0;
    }
    return track.skip(length);
}

// A channel message at its time in the song, for the survey of what it needs.
struct ChannelEvent {
    uint64_t tick;
    uint8_t status, first, second;
};

// Reads one track to its end-of-track event; `ticks` is its length. Its channel
// messages are added to `events` when asked for.
bool read_track(ByteReader track, uint64_t& ticks, std::vector<ChannelEvent>* events) {
    uint8_t running_status = 0;
    bool end_of_track = false;
    ticks = 0;
    while (!end_of_track) {
        uint32_t delta;
        uint8_t status;
        if (!track.read_variable(delta) || !track.read_byte(status)) return false;
        ticks += delta;
        if (status == META_EVENT) {
            if (!read_meta_event(track, end_of_track)) return false;
            running_status = 0;
            continue;
        }
        if (status == SYSEX_START || status == SYSEX_CONTINUE) {
            uint32_t length;
            if (!track.read_variable(length) || !track.skip(length)) return false;
            running_status = 0;
            continue;
        }
        uint8_t data[2] = {};
        int data_read = 0;
        if (status < 0x80) {  // running status: this byte is the first data byte
            if (running_status == 0) return false;
            data[data_read++] = status;
        } else if (status < SYSEX_START) {
            running_status = status;
        } else {
            return false;  // system common and real-time bytes do not belong in a file
        }
        for (; data_read < channel_message_data_bytes(running_status); ++data_read)
            if (!track.read_byte(data[data_read]) || data[data_read] >= 0x80) return false;
        if (events) events->push_back({ticks, running_status, data[0], data[1]});
    }
    return true;
}

// Checks the whole file as sound_library_midi_is_playable tells, collecting
// what read_track collects over all its tracks, track after track.
bool read_song(const unsigned char* data, size_t size, std::vector<ChannelEvent>* events) {
    ByteReader file{data, size};
    uint32_t header_length, format, track_count, division;
    if (size < 4 || memcmp(data, "MThd", 4) != 0) return false;
    file.position = 4;
    if (!file.read_fixed(header_length, 4) || header_length < 6) return false;
    if (!file.read_fixed(format, 2) || !file.read_fixed(track_count, 2) || !file.read_fixed(division, 2)) return false;
    if (format > 2 || track_count == 0 || division == 0 || (division & 0x8000)) return false;
    if (!file.skip(header_length - 6)) return false;

    uint64_t longest = 0;
    for (uint32_t found = 0; found < track_count;) {
        char id[4];
        uint32_t chunk_length;
        for (char& c : id) {
            uint8_t byte;
            if (!file.read_byte(byte)) return false;
            c = static_cast<char>(byte);
        }
        if (!file.read_fixed(chunk_length, 4) || chunk_length > size - file.position) return false;
        if (memcmp(id, "MTrk", 4) == 0) {
            uint64_t ticks;
            if (!read_track(ByteReader{data + file.position, chunk_length}, ticks, events)) return false;
            if (ticks > longest) longest = ticks;
            ++found;
        }
        file.skip(chunk_length);  // other chunk kinds are skipped, as the synth does
    }
    return longest > 0;
}

constexpr int CHANNELS = 16, KEYS = 128, PROGRAMS = 128;
constexpr int PERCUSSION_CHANNEL = 9;  // the tenth, as General MIDI has it
constexpr int PERCUSSION_BANK = 128;   // where a soundfont keeps its drum kits
constexpr uint8_t BANK_SELECT = 0, SUSTAIN_PEDAL = 64, PEDAL_DOWN_FROM = 64;

// One channel as the synthesizer's player sees it at a point of the song.
struct ChannelState {
    int bank = 0;    // chosen by bank select, taken up by the next program change
    int preset = 0;  // bank * PROGRAMS + program of the notes it starts
    bool pedal_down = false;
    int held[KEYS] = {};       // notes sounding on each key, key still down
    int sustained[KEYS] = {};  // notes whose key came up while the pedal was down
};

}  // namespace

bool sound_library_midi_is_playable(const unsigned char* data, size_t size) {
    return read_song(data, size, nullptr);
}

MidiSongNeeds sound_library_midi_needs(const unsigned char* data, size_t size) {
    MidiSongNeeds needs;
    std::vector<ChannelEvent> events;
    if (!read_song(data, size, &events)) return needs;
    // The player sends the tracks' events in time order, earlier tracks first
    // at the same tick.
    std::stable_sort(events.begin(), events.end(),
                     [](const ChannelEvent& a, const ChannelEvent& b) { return a.tick < b.tick; });
    // The synthesizer starts every channel on program 0, the drum channel on its first kit.
    std::vector<ChannelState> channels(CHANNELS);
    channels[PERCUSSION_CHANNEL].preset = PERCUSSION_BANK * PROGRAMS;
    int sounding = 0;
    for (const ChannelEvent& event : events) {
        const int number = event.status & 0x0f;
        ChannelState& channel = channels[number];
        const uint8_t kind = event.status & 0xf0;
        const bool note_on = kind == 0x90 && event.second > 0;
        if (note_on) {
            needs.presets.insert(channel.preset);
            ++channel.held[event.first];
            needs.most_notes_at_once = std::max(needs.most_notes_at_once, ++sounding);
        } else if (kind == 0x80 || kind == 0x90) {  // the key comes up: every note on it ends
            if (channel.pedal_down)
                channel.sustained[event.first] += channel.held[event.first];
            else
                sounding -= channel.held[event.first];
            channel.held[event.first] = 0;
        } else if (kind == 0xb0 && event.first == BANK_SELECT) {
            channel.bank = event.second;
        } else if (kind == 0xb0 && event.first == SUSTAIN_PEDAL) {
            channel.pedal_down = event.second >= PEDAL_DOWN_FROM;
            if (channel.pedal_down) continue;
            for (int& notes : channel.sustained) {
                sounding -= notes;
                notes = 0;
            }
        } else if (kind == 0xc0) {  // the drum channel keeps its kits' bank whatever a file selects
            const int bank = number == PERCUSSION_CHANNEL ? PERCUSSION_BANK : channel.bank;
            channel.preset = bank * PROGRAMS + event.first;
        }
    }
    return needs;
}

bool sound_library_is_midi_song(const std::string& path, const unsigned char* start, size_t size) {
    if (size >= 4 && memcmp(start, "MThd", 4) == 0) return true;
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) return false;
    const char* extension = path.c_str() + dot + 1;
    for (const char* midi : {"mid", "midi", "kar", "rmi"})
        if (strcasecmp(extension, midi) == 0) return true;
    return false;
}
