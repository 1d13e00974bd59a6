// The sound library calls the game uses, under their FMOD 3 names, played
// through SDL2_mixer. Effects are samples mixed on a set of channels; songs are
// MIDI (FluidSynth with the songs' own soundfont, cut from TimGM6mb) or MP3 streams.
//
// Nothing here ever makes the game fail: without an audio device the layer
// mixes into SDL's dummy driver, and if even that cannot start, every call is a
// harmless no-op that returns an empty handle or false. Handles are opaque
// numbers that are never reused, so a freed or stale handle matches nothing.
//
// Rules of this layer the callers should know:
// - It holds one song at a time. Loading a song stops and frees the one loaded
//   before it: the game keeps only its newest song handle, and each MIDI song
//   holds its own synthesizer of about 8 MB, so a superseded song must not
//   linger.
// - A MIDI song that does not parse or lasts no time at all is refused like a
//   missing file: the synthesizer would loop it forever inside one mixing call
//   and hang the game's next sound call.
// - A channel handle names one play of a sample on one channel; stopping a
//   handle whose channel has since moved on to another sound does nothing.
#pragma once

#include <cstdint>

struct FSOUND_SAMPLE;  // opaque sample handle
struct FMUSIC_MODULE;  // opaque song handle

// Values the game passes, under the library's names.
constexpr int FSOUND_OUTPUT_DSOUND = 2;             // output type (the layer lets SDL choose)
constexpr int FSOUND_MIXER_QUALITY_AUTODETECT = 4;  // mixer kind (the layer has one)
constexpr int FSOUND_FREE = -1;                     // "any free channel" / "a new sample"
constexpr int FSOUND_UNMANAGED = -2;                // sample owned by the caller
constexpr int FSOUND_ALL = -3;                      // every channel, for FSOUND_StopSound
constexpr unsigned FSOUND_NORMAL = 0x130;           // 16-bit signed mono
constexpr unsigned FSOUND_HW2D = 0x80000;           // two-dimensional hardware mixing

// Largest volume the library's calls take (FMUSIC_SetMasterVolume also takes 256).
constexpr int FSOUND_VOLUME_MAX = 255;

// Start-up choices. Accepted and ignored: SDL picks the device. Always true.
signed char FSOUND_SetOutput(int output_type);
signed char FSOUND_SetDriver(int driver);
signed char FSOUND_SetMixer(int mixer);
// Opens the audio device: the user's device, else SDL's dummy driver. False when
// neither starts; the layer is then silent. Called by the game's sound start-up.
signed char FSOUND_Init(int mix_rate, int max_channels, unsigned flags);
// Stops everything, frees every sample and song, closes the device. Called at quit.
void FSOUND_Close();

// Loads a whole WAV or MP3 file as a sample (index, mode, offset and length are
// accepted; the file is always read whole). Empty handle when it cannot be read.
FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* path, unsigned mode, int offset, int length);
// Frees the sample; any channel still playing it falls silent.
void FSOUND_Sample_Free(FSOUND_SAMPLE* sample);
// Plays the sample once on `channel` (FSOUND_FREE: the first idle one).
// Returns the channel handle, or -1 when nothing plays.
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample);
// Cuts off the play named by a channel handle (or FSOUND_ALL). False for a stale handle.
signed char FSOUND_StopSound(int channel);
// Volume 0..255 of every effect channel, now and later. Songs are not affected.
void FSOUND_SetSFXMasterVolume(int volume);

// Loads a MIDI or MP3 song, freeing the song loaded before it. Empty when unreadable.
FMUSIC_MODULE* FMUSIC_LoadSong(const char* path);
// Whether the next FMUSIC_PlaySong of the song loops forever.
signed char FMUSIC_SetLooping(FMUSIC_MODULE* song, signed char looping);
// Song volume 0..256, heard at once if the song plays.
signed char FMUSIC_SetMasterVolume(FMUSIC_MODULE* song, int volume);
// Plays the song from its beginning.
signed char FMUSIC_PlaySong(FMUSIC_MODULE* song);
// Stops and frees the song.
signed char FMUSIC_FreeSong(FMUSIC_MODULE* song);

// The mixer's volume 0..128 for a library volume 0..255 (rounded, clamped).
int sound_library_mixer_volume(int volume);

// Test hooks: small windows into the layer, used only by the tests.
// Drivers the next FSOUND_Init tries: `first` (nullptr: SDL's own choice), then
// `fallback` (nullptr: none).
void sound_library_test_use_drivers(const char* first, const char* fallback);
// Starts measuring the mixed output (takes effect at FSOUND_Init if not yet open).
void sound_library_test_meter_output();
// Loudest sample value of the mixed output since the previous call (0..32768).
int sound_library_test_output_peak();
// Samples and songs loaded and not yet freed.
int sound_library_test_samples_held();
int sound_library_test_songs_held();
