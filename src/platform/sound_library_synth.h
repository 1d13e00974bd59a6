// The sound layer's own MIDI player (see sound_library_synth.cpp): one song at
// a time, heard through the mixer's music slot. Part of the sound layer;
// nothing outside src/platform includes this.
#pragma once

#include <string>
#include <vector>

// Voices of the player's synthesizer: room above the busiest song's 68 (the
// mixer's player has 256, ~2 MB more). A busier song gets more (see
// sound_library_song_polyphony), up to the mixer's player's 256.
constexpr int SOUND_LIBRARY_SONG_POLYPHONY = 80;
constexpr int SOUND_LIBRARY_MOST_SONG_POLYPHONY = 256;

// Voices for a song holding `most_notes_at_once` notes at its busiest: each
// note may sound several (layered or stereo samples) and ended notes ring on a
// while, so the count is well above the notes, within the two limits above.
int sound_library_song_polyphony(int most_notes_at_once);

// Builds a synthesizer for the MIDI file `song` (already checked playable) and
// hooks it into the mixer, silent until played. The mixer's soundfont plays it
// when it holds every preset the song's notes ask for, the system's otherwise.
// False, holding nothing, when the device or the soundfonts do not suit it:
// the mixer's player takes the song.
bool sound_library_synth_load(const std::vector<unsigned char>& song);
// Whether a song is held by this player.
bool sound_library_synth_held();
// The files of the soundfonts the held song plays from, the first looked in
// first, each followed by ';' ("" when none is held).
std::string sound_library_synth_soundfonts();
// Starts the held song from where its player stands (the start, after a load),
// at `mixer_volume` (0..MIX_MAX_VOLUME).
void sound_library_synth_play(bool looping, int mixer_volume);
void sound_library_synth_set_volume(int mixer_volume);
// Unhooks and frees the song and its synthesizer, if held.
void sound_library_synth_release();
