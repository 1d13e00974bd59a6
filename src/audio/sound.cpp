#include "audio/sound.h"

#include <algorithm>

#include "persist/settings.h"
#include "platform/sound_library.h"

constexpr int MIX_RATE_HZ = 44100;
constexpr int MIX_CHANNELS = 32;
constexpr int VOLUME_PER_STEP = 25;  // volume steps 1..9 become 25..225
constexpr int NO_CHANNEL = -1;

int sound_ring_index = 0;
FSOUND_SAMPLE* sound_ring[SOUND_RING_SIZE] = {};
int sound_ring_channel[SOUND_RING_SIZE] = {NO_CHANNEL, NO_CHANNEL, NO_CHANNEL, NO_CHANNEL,
                                           NO_CHANNEL, NO_CHANNEL, NO_CHANNEL, NO_CHANNEL};
FMUSIC_MODULE* song = nullptr;
void (*sound_file_watcher)(const char* path) = nullptr;

// The library's volume for a volume step. A step read from a damaged
// settings.cfg may be any int: the product is formed wide enough not to
// overflow and held to the library's range, as the library would hold it.
static int library_volume(int step) {
    const long long volume = static_cast<long long>(step) * VOLUME_PER_STEP;
    return static_cast<int>(std::clamp<long long>(volume, 0, FSOUND_VOLUME_MAX));
}

// The results are ignored: a failed start leaves the game silent, not stopped.
void start_sound_backend() {
    FSOUND_SetOutput(FSOUND_OUTPUT_DSOUND);
    FSOUND_SetDriver(0);  // the default device
    FSOUND_Init(MIX_RATE_HZ, MIX_CHANNELS, 0);
    FSOUND_SetMixer(FSOUND_MIXER_QUALITY_AUTODETECT);
}

// Cuts off whatever the slot's sample still plays and frees it.
static void empty_ring_slot(int slot) {
    if (!sound_ring[slot]) return;
    FSOUND_StopSound(sound_ring_channel[slot]);
    FSOUND_Sample_Free(sound_ring[slot]);
    sound_ring[slot] = nullptr;
    sound_ring_channel[slot] = NO_CHANNEL;
}

// Each effect is read from disk afresh into the next ring slot, so at most
// eight samples are held and the ninth play cuts off the oldest.
void play_sound(const char* path) {
    if (sfx != 1) return;
    if (sound_file_watcher) sound_file_watcher(path);
    int slot = sound_ring_index;
    empty_ring_slot(slot);
    sound_ring[slot] = FSOUND_Sample_Load(FSOUND_UNMANAGED, path, FSOUND_NORMAL | FSOUND_HW2D, 0, 0);
    sound_ring_channel[slot] = FSOUND_PlaySound(FSOUND_FREE, sound_ring[slot]);
    FSOUND_SetSFXMasterVolume(library_volume(sfxvol));  // a new volume is heard from this effect on
    sound_ring_index = (sound_ring_index + 1) % SOUND_RING_SIZE;
}

// The previous song is not freed here: the sound layer frees a superseded song
// when the new one is loaded.
void play_music(const char* path) {
    if (music != 1) return;
    if (sound_file_watcher) sound_file_watcher(path);
    song = FMUSIC_LoadSong(path);
    FMUSIC_SetLooping(song, 1);
    FMUSIC_SetMasterVolume(song, library_volume(musicvol));
    FMUSIC_PlaySong(song);
}

void release_first_sound_slot() { empty_ring_slot(0); }

// The handle is forgotten once freed, so a later volume change cannot reach a
// song that no longer exists.
void stop_music() {
    FMUSIC_FreeSong(song);
    song = nullptr;
}

void set_music_volume() { FMUSIC_SetMasterVolume(song, library_volume(musicvol)); }

// Closing frees every sample and song, so the handles are let go too.
void close_sound_backend() {
    FSOUND_Close();
    for (int slot = 0; slot < SOUND_RING_SIZE; ++slot) {
        sound_ring[slot] = nullptr;
        sound_ring_channel[slot] = NO_CHANNEL;
    }
    song = nullptr;
}
