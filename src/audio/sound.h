// Sound effects through a ring of eight samples, and looping music.
#pragma once

constexpr int SOUND_RING_SIZE = 8;

extern int sound_ring_index;  // slot the next effect goes into

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
