#include "platform/sound_library_midi.h"

#include <strings.h>

#include <cstdint>
#include <cstring>

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

// Reads one track to its end-of-track event; `ticks` is its length.
bool read_track(ByteReader track, uint64_t& ticks) {
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
        int data_bytes;
        if (status < 0x80) {  // running status: this byte is the first data byte
            if (running_status == 0) return false;
            data_bytes = channel_message_data_bytes(running_status) - 1;
        } else if (status < SYSEX_START) {
            running_status = status;
            data_bytes = channel_message_data_bytes(status);
        } else {
            return false;  // system common and real-time bytes do not belong in a file
        }
        for (int i = 0; i < data_bytes; ++i) {
            uint8_t data;
            if (!track.read_byte(data) || data >= 0x80) return false;
        }
    }
    return true;
}

}  // namespace

bool sound_library_midi_is_playable(const unsigned char* data, size_t size) {
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
            if (!read_track(ByteReader{data + file.position, chunk_length}, ticks)) return false;
            if (ticks > longest) longest = ticks;
            ++found;
        }
        file.skip(chunk_length);  // other chunk kinds are skipped, as the synth does
    }
    return longest > 0;
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
