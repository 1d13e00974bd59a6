// State shared by the files of the sound layer; nothing outside src/platform
// includes this.
#pragma once

#include <cstdint>

// Frames per mixing call; the device may not change it, so every call is this long.
constexpr int MIXER_BLOCK_FRAMES = 1024;  // ~23 ms at 44.1 kHz: effects start promptly

// The system's full General MIDI soundfont: the songs' own holds a few of its presets.
constexpr char SYSTEM_SOUNDFONT[] = "/usr/share/sounds/sf2/TimGM6mb.sf2";

extern int sound_library_open;  // 1 while the mixer device is open

// A fresh handle number: counts up from 1 and is never reused.
uintptr_t sound_library_next_handle();
// Stops and frees the song the layer holds, if any. Called by loading a new
// song, by FMUSIC_FreeSong and by FSOUND_Close.
void sound_library_release_song();
// Applies the output meter if a test asked for it. Called once the device is open.
void sound_library_attach_meter();
