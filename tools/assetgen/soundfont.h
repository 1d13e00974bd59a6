// The songs' own soundfont: the presets the songs play, cut out of the system's
// General MIDI soundfont with their instruments and samples unchanged, so the
// synthesizer plays the songs exactly as before while holding a fraction of
// the samples in memory.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "midi.h"

// (bank, program) pairs: bank 128 is the percussion bank.
using PresetSet = std::set<std::pair<int, int>>;

// The presets `songs` select: each track's program on bank 0, and bank 128's
// kit 0 (or the program chosen) for the percussion channel. A track without a
// program change plays program 0, as a synthesizer starts with it.
PresetSet presets_played(const std::vector<Song>& songs);

// A soundfont file holding only `keep` of the soundfont `source` (SF2 bytes),
// with every instrument, sample and modulator those presets use. Empty when
// `source` is not a soundfont this reader understands or lacks a preset asked for.
std::vector<uint8_t> soundfont_subset(const std::vector<uint8_t>& source, const PresetSet& keep);

// Reads `source_path`, cuts it down to the presets `songs` play and writes the
// result to `path`. False (with a message) on any failure.
bool write_song_soundfont(const std::string& path, const std::string& source_path, const std::vector<Song>& songs);
