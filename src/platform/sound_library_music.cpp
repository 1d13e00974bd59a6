// Songs: one at a time, as SDL2_mixer plays one music stream. MIDI songs go
// to the layer's own synthesizer player, any other kind to the mixer's decoders.
#include <SDL2/SDL_mixer.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/sound_library.h"
#include "platform/sound_library_internal.h"
#include "platform/sound_library_midi.h"
#include "platform/sound_library_synth.h"

constexpr size_t SONG_MAGIC_BYTES = 4;
constexpr std::streamoff LARGEST_MIDI_SONG = 8 << 20;  // far beyond any song of this game

static uintptr_t song_handle = 0;  // handle of the song held; 0 when none
static Mix_Music* song_music = nullptr;  // a song the mixer plays; nullptr for the synth's
static int song_looping = 0;
static int song_volume = FSOUND_VOLUME_MAX;

static bool is_held_song(FMUSIC_MODULE* song) {
    return song_handle != 0 && reinterpret_cast<uintptr_t>(song) == song_handle;
}

void sound_library_release_song() {
    if (song_handle == 0) return;
    sound_library_synth_release();
    if (song_music) {
        Mix_HaltMusic();
        Mix_FreeMusic(song_music);  // a MIDI song takes its synthesizer with it
    }
    song_music = nullptr;
    song_handle = 0;
}

enum class SongKind { REFUSED, MIDI, OTHER };

// REFUSED for a song the synthesizer would choke on (see sound_library_midi.h);
// songs for the other decoders are theirs to judge. A MIDI song's bytes are
// left in `midi` for the synthesizer.
static SongKind judge_song(const char* path, std::vector<unsigned char>& midi) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return SongKind::REFUSED;
    std::streamoff size = file.tellg();
    file.seekg(0);
    unsigned char magic[SONG_MAGIC_BYTES] = {};
    file.read(reinterpret_cast<char*>(magic), sizeof magic);
    if (!sound_library_is_midi_song(path, magic, static_cast<size_t>(file.gcount()))) return SongKind::OTHER;
    if (size > LARGEST_MIDI_SONG) return SongKind::REFUSED;
    file.seekg(0);
    midi.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return sound_library_midi_is_playable(midi.data(), midi.size()) ? SongKind::MIDI : SongKind::REFUSED;
}

FMUSIC_MODULE* FMUSIC_LoadSong(const char* path) {
    if (!sound_library_open || !path) return nullptr;
    // Free the superseded song first: two synthesizers need not exist at once.
    sound_library_release_song();
    std::vector<unsigned char> midi;
    SongKind kind = judge_song(path, midi);
    if (kind == SongKind::REFUSED) return nullptr;
    // A device or soundfont the layer's player cannot use leaves MIDI to the mixer's.
    if (kind != SongKind::MIDI || !sound_library_synth_load(midi)) {
        Mix_Music* music = Mix_LoadMUS(path);
        if (!music) return nullptr;
        song_music = music;
    }
    song_handle = sound_library_next_handle();
    song_looping = 0;
    song_volume = FSOUND_VOLUME_MAX;
    return reinterpret_cast<FMUSIC_MODULE*>(song_handle);
}

signed char FMUSIC_SetLooping(FMUSIC_MODULE* song, signed char looping) {
    if (!is_held_song(song)) return 0;
    song_looping = looping ? 1 : 0;
    return 1;
}

signed char FMUSIC_SetMasterVolume(FMUSIC_MODULE* song, int volume) {
    if (!is_held_song(song)) return 0;
    song_volume = volume;
    if (song_music)
        Mix_VolumeMusic(sound_library_mixer_volume(volume));
    else
        sound_library_synth_set_volume(sound_library_mixer_volume(volume));
    return 1;
}

signed char FMUSIC_PlaySong(FMUSIC_MODULE* song) {
    if (!is_held_song(song)) return 0;
    constexpr int LOOP_FOREVER = -1;
    constexpr int PLAY_ONCE = 1;
    if (!song_music) {
        sound_library_synth_play(song_looping, sound_library_mixer_volume(song_volume));
        return 1;
    }
    Mix_VolumeMusic(sound_library_mixer_volume(song_volume));
    return Mix_PlayMusic(song_music, song_looping ? LOOP_FOREVER : PLAY_ONCE) == 0 ? 1 : 0;
}

signed char FMUSIC_FreeSong(FMUSIC_MODULE* song) {
    if (!is_held_song(song)) return 0;
    sound_library_release_song();
    return 1;
}

int sound_library_test_songs_held() { return song_handle != 0 ? 1 : 0; }
