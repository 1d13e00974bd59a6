// Sound effects through a ring of eight samples, and looping music.
#pragma once

#include "platform/sound_library.h"

constexpr int SOUND_RING_SIZE = 8;

extern int sound_ring_index;  // slot the next effect goes into
// The samples most recently played as effects; empty slots are nullptr.
extern FSOUND_SAMPLE* sound_ring[SOUND_RING_SIZE];
// The channel handle each slot's sample was started on (-1: none).
extern int sound_ring_channel[SOUND_RING_SIZE];
// The song most recently started by play_music; nullptr when none (or freed).
extern FMUSIC_MODULE* song;
// Told of every effect and song file handed to the sound library, in order;
// nullptr in the game. Tests and the run digest set it to hear what played.
extern void (*sound_file_watcher)(const char* path);

// Starts the sound back end. Called once by gl_setup.
void start_sound_backend();
// Plays one effect file (when sfx is 1).
void play_sound(const char* path);
// Loads, loops and starts a song file (when music is 1).
void play_music(const char* path);
// Stops the first ring slot's sound and frees its sample: ends the intro music.
void release_first_sound_slot();
// Music switched off: frees the current song, which silences it.
void stop_music();
// Applies musicvol to the current song.
void set_music_volume();
// Closes the back end. Called by quit.
void close_sound_backend();
