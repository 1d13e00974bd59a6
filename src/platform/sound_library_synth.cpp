// MIDI songs rendered by FluidSynth straight into the mixer's music slot.
//
// The mixer's own MIDI player builds its synthesizer with FluidSynth's stock
// settings and offers no way to change them. Its 256 voices cost ~2 MB of
// memory the game's songs never use: the busiest sounds 68 notes at once. This
// player builds the same synthesizer with the voices the song needs (fewer for
// our songs), on the soundfont that holds its presets, and otherwise copies the
// mixer's player call for call (fresh synthesizer per song, its gain, its
// 16-bit output and blocks, its end-of-song check), so every song comes out
// sample for sample as before. Reverb and chorus stay: the songs use both.
#include "platform/sound_library_synth.h"

#include <SDL2/SDL_mixer.h>
#include <fluidsynth.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/sound_library_internal.h"
#include "platform/sound_library_midi.h"

// The mixer's synthesizer gain at full music volume: songs keep their loudness.
constexpr double FULL_VOLUME_GAIN = 1.2;
constexpr int SYNTH_CHANNELS = 2;
constexpr int MIDI_PROGRAMS = 128;  // presets per bank
// The synthesizer's own limits on its sample rate: outside them the mixer's
// player would resample, so such a device keeps the mixer's player.
constexpr int LOWEST_SYNTH_RATE = 8000;
constexpr int HIGHEST_SYNTH_RATE = 96000;

static fluid_settings_t* settings = nullptr;
static fluid_synth_t* synth = nullptr;
static fluid_player_t* player = nullptr;
// The synthesizer renders a whole device block at a time, as the mixer's
// player does; the audio thread hands it out as asked.
static std::vector<Sint16> rendered;
static size_t rendered_used = 0;  // samples of `rendered` already handed out
// Set by the game thread, cleared by the audio thread once the song has played
// out: the song is then silent until played again.
static bool sounding = false;
// Kept by the audio thread while it renders, and by the game thread while it
// starts the song or changes its gain. The mixer's own audio lock is not
// offered by its interface; unhooking takes it, which is all freeing needs.
// Never held while asking for the mixer's lock: the mixer holds that one
// while it calls render_song.
static std::mutex synth_lock;

// Runs on SDL's audio thread; the mixer hands it a block of silence before the
// effects are mixed in, so the song's samples are written, not added.
static void render_song(void*, Uint8* stream, int length) {
    std::lock_guard<std::mutex> hold(synth_lock);
    if (!sounding) return;
    Sint16* out = reinterpret_cast<Sint16*>(stream);
    size_t wanted = static_cast<size_t>(length) / sizeof(Sint16);
    while (wanted > 0) {
        if (rendered_used == rendered.size()) {
            fluid_synth_write_s16(synth, MIXER_BLOCK_FRAMES, rendered.data(), 0, SYNTH_CHANNELS, rendered.data(), 1,
                                  SYNTH_CHANNELS);
            rendered_used = 0;
        }
        size_t taken = std::min(wanted, rendered.size() - rendered_used);
        std::copy_n(rendered.data() + rendered_used, taken, out);
        rendered_used += taken;
        out += taken;
        wanted -= taken;
    }
    // A song played once ends after the block in which its player finished,
    // its last notes' tails cut there as the mixer's player cuts them.
    if (fluid_player_get_status(player) != FLUID_PLAYER_PLAYING) {
        fluid_player_stop(player);
        sounding = false;
    }
}

static bool device_suits_synth(int* rate) {
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    if (!Mix_QuerySpec(&frequency, &format, &channels)) return false;
    *rate = frequency;
    return format == AUDIO_S16SYS && channels == SYNTH_CHANNELS && frequency >= LOWEST_SYNTH_RATE &&
           frequency <= HIGHEST_SYNTH_RATE;
}

int sound_library_song_polyphony(int most_notes_at_once) {
    // Our songs sound up to 68 voices with at most 11 notes held: a held note's
    // own voices (layered, stereo) and the ringing tails of notes before it.
    constexpr int VOICES_PER_HELD_NOTE = 6;
    return std::clamp(most_notes_at_once * VOICES_PER_HELD_NOTE, SOUND_LIBRARY_SONG_POLYPHONY,
                      SOUND_LIBRARY_MOST_SONG_POLYPHONY);
}

static bool holds_every_preset(int soundfont_id, const std::set<int>& presets) {
    fluid_sfont_t* soundfont = fluid_synth_get_sfont_by_id(synth, soundfont_id);
    for (int preset : presets)
        if (!fluid_sfont_get_preset(soundfont, preset / MIDI_PROGRAMS, preset % MIDI_PROGRAMS)) return false;
    return true;
}

// The songs' own soundfont holds only the presets our songs play. A song that
// asks for any other (a player's own General MIDI file) gets the system's full
// soundfont instead, as every song did before the cut one existed: its parts
// sound as they did then, and our songs, which never ask for more, keep the
// small one and come out sample for sample as before. A missing or damaged
// songs' soundfont leaves every song to the system's.
static bool load_soundfont(const MidiSongNeeds& needs) {
    const char* own = Mix_GetSoundFonts();
    if (own) {
        const int id = fluid_synth_sfload(synth, own, 1);
        if (id != FLUID_FAILED && holds_every_preset(id, needs.presets)) return true;
        if (id != FLUID_FAILED) fluid_synth_sfunload(synth, id, 1);
    }
    return fluid_synth_sfload(synth, SYSTEM_SOUNDFONT, 1) != FLUID_FAILED;
}

bool sound_library_synth_load(const std::vector<unsigned char>& song) {
    sound_library_synth_release();
    int rate = 0;
    if (!device_suits_synth(&rate)) return false;
    const MidiSongNeeds needs = sound_library_midi_needs(song.data(), song.size());
    settings = new_fluid_settings();
    if (!settings) return false;
    fluid_settings_setnum(settings, "synth.sample-rate", rate);
    fluid_settings_setint(settings, "synth.polyphony", sound_library_song_polyphony(needs.most_notes_at_once));
    synth = new_fluid_synth(settings);
    if (!synth || !load_soundfont(needs)) {
        sound_library_synth_release();
        return false;
    }
    player = new_fluid_player(synth);
    if (!player || fluid_player_add_mem(player, song.data(), song.size()) != FLUID_OK) {
        sound_library_synth_release();
        return false;
    }
    rendered.assign(static_cast<size_t>(MIXER_BLOCK_FRAMES) * SYNTH_CHANNELS, 0);
    rendered_used = rendered.size();
    Mix_HookMusic(render_song, nullptr);
    return true;
}

bool sound_library_synth_held() { return synth != nullptr; }

std::string sound_library_synth_soundfonts() {
    std::string files;
    for (int i = 0; synth && i < fluid_synth_sfcount(synth); ++i)
        files += std::string(fluid_sfont_get_name(fluid_synth_get_sfont(synth, i))) + ";";
    return files;
}

static void set_gain(int mixer_volume) {
    fluid_synth_set_gain(synth, static_cast<float>(mixer_volume * FULL_VOLUME_GAIN / MIX_MAX_VOLUME));
}

void sound_library_synth_play(bool looping, int mixer_volume) {
    if (!synth) return;
    constexpr int LOOP_FOREVER = -1;
    constexpr int PLAY_ONCE = 1;
    std::lock_guard<std::mutex> hold(synth_lock);
    // Played again while sounding: stopped first, as the mixer's player is,
    // so the song goes on from where it stood.
    if (sounding) fluid_player_stop(player);
    set_gain(mixer_volume);
    fluid_player_set_loop(player, looping ? LOOP_FOREVER : PLAY_ONCE);
    fluid_player_play(player);
    sounding = true;
}

void sound_library_synth_set_volume(int mixer_volume) {
    if (!synth) return;
    std::lock_guard<std::mutex> hold(synth_lock);
    set_gain(mixer_volume);
}

void sound_library_synth_release() {
    if (!settings) return;
    Mix_HookMusic(nullptr, nullptr);  // under the audio lock: the audio thread is out of render_song after it
    sounding = false;
    if (player) {
        fluid_player_stop(player);
        delete_fluid_player(player);
    }
    if (synth) delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    player = nullptr;
    synth = nullptr;
    settings = nullptr;
    rendered.clear();
    rendered.shrink_to_fit();
}
