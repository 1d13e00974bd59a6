#include "platform/sound_library.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <glob.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "platform/os.h"
#include "platform/sound_library_internal.h"

constexpr int MIXER_OUTPUT_CHANNELS = 2;
constexpr int MIXER_MAX_CHANNELS = 1024;
// The songs' own soundfont beside them: only the presets they play, so the
// synthesizer holds a fifth of the system one's samples. Without it (an
// engine run outside its game folder) the system's full one plays them alike.
constexpr char SONG_SOUNDFONT[] = "./mus/songs.sf2";
constexpr char DUMMY_DRIVER[] = "dummy";

// A channel handle is (play serial << CHANNEL_BITS) | channel. The serial counts
// the plays on that channel, so a handle kept from an earlier play no longer
// matches once the channel has been given to another sound.
constexpr int CHANNEL_BITS = 12;
constexpr int CHANNEL_MASK = (1 << CHANNEL_BITS) - 1;
constexpr int PLAY_SERIAL_LIMIT = 1 << (31 - CHANNEL_BITS);  // keeps handles positive

int sound_library_open = 0;

static int sfx_master_volume = FSOUND_VOLUME_MAX;
static uintptr_t last_handle = 0;
static std::unordered_map<uintptr_t, Mix_Chunk*> loaded_samples;
static std::vector<int> channel_play_serial;  // per mixer channel

// Drivers FSOUND_Init tries in turn; nullptr first means SDL's own choice, which
// honours the player's SDL_AUDIODRIVER.
static const char* first_driver = nullptr;
static const char* fallback_driver = DUMMY_DRIVER;

// SDL's own choice tries ALSA after the sound servers, and SDL's ALSA start-up
// waits 100 ms for its first device scan even on a machine with no sound card
// at all (a container, a build machine), which every start would pay. Without
// an ALSA playback device only a sound server can play, so only those are tried.
// The process whose SDL audio thread renders the mix; 0 until a device opens.
static pid_t device_owner = 0;

// exit() destroys this layer's statics (the synth's render buffer, the sample
// table) while SDL's audio thread may still be mixing from them. Registered at
// the first open, after those statics were built, this runs before they go.
// A forked child holds a copy of the device but not its thread, and closing
// there would wait for that thread forever.
static void close_before_exit() {
    if (getpid() == device_owner) FSOUND_Close();
}

static const char* const SOUND_SERVER_DRIVERS[] = {"pulseaudio", "pipewire"};

static bool machine_has_alsa_playback_device() {
    glob_t found;
    const bool any = glob("/dev/snd/pcmC*D*p", 0, nullptr, &found) == 0;
    globfree(&found);
    return any;
}

uintptr_t sound_library_next_handle() { return ++last_handle; }

int sound_library_mixer_volume(int volume) {
    if (volume < 0) volume = 0;
    if (volume > FSOUND_VOLUME_MAX) volume = FSOUND_VOLUME_MAX;
    return static_cast<int>(std::lround(volume * double(MIX_MAX_VOLUME) / FSOUND_VOLUME_MAX));
}

// ALSA's and FluidSynth's own diagnostics would land on the game's console.
// Both libraries come with SDL2_mixer; their handlers are switched off through
// the copies already loaded, which stay open so the settings hold.
static void* alsa_library = nullptr;
static void* fluidsynth_library = nullptr;

static void ignore_alsa_message(const char*, int, const char*, int, const char*, ...) {}

static void quiet_backend_chatter() {
    using AlsaHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using AlsaSetHandler = int (*)(AlsaHandler);
    if (!alsa_library) alsa_library = os_load_library("libasound.so.2");
    auto set_alsa_handler = reinterpret_cast<AlsaSetHandler>(os_find_symbol(alsa_library, "snd_lib_error_set_handler"));
    if (set_alsa_handler) set_alsa_handler(ignore_alsa_message);

    using FluidLogFunction = void (*)(int, const char*, void*);
    using FluidSetLogFunction = FluidLogFunction (*)(int, FluidLogFunction, void*);
    constexpr int FLUID_LOG_LEVELS = 5;  // panic, error, warning, info, debug
    if (!fluidsynth_library) fluidsynth_library = os_load_library("libfluidsynth.so.3");
    auto set_fluid_log =
        reinterpret_cast<FluidSetLogFunction>(os_find_symbol(fluidsynth_library, "fluid_set_log_function"));
    if (set_fluid_log)
        for (int level = 0; level < FLUID_LOG_LEVELS; ++level) set_fluid_log(level, nullptr, nullptr);
}

// One attempt at an audio device through `driver` (nullptr: SDL's choice).
static bool open_mixer_device(const char* driver, int mix_rate) {
    if (driver)
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
    else
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(mix_rate, AUDIO_S16SYS, MIXER_OUTPUT_CHANNELS, MIXER_BLOCK_FRAMES) == 0) return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

static bool open_sound_server_device(int mix_rate) {
    for (const char* server : SOUND_SERVER_DRIVERS)
        if (open_mixer_device(server, mix_rate)) return true;
    return false;
}

// SDL chooses the output, the device and the mixer itself: these choices have
// nothing to select here.
signed char FSOUND_SetOutput(int) { return 1; }
signed char FSOUND_SetDriver(int) { return 1; }
signed char FSOUND_SetMixer(int) { return 1; }

signed char FSOUND_Init(int mix_rate, int max_channels, unsigned) {
    if (sound_library_open) return 1;
    quiet_backend_chatter();
    // SDL's audio start-up also starts its event queue, which would otherwise
    // take over SIGINT and SIGTERM: Ctrl-C and kill must still end the game.
    SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_OVERRIDE);
    const bool sdl_would_probe_missing_card =
        first_driver == nullptr && getenv("SDL_AUDIODRIVER") == nullptr && !machine_has_alsa_playback_device();
    bool opened = sdl_would_probe_missing_card ? open_sound_server_device(mix_rate)
                                               : open_mixer_device(first_driver, mix_rate);
    if (!opened && fallback_driver) opened = open_mixer_device(fallback_driver, mix_rate);
    if (!opened) {
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
        return 0;
    }
    Mix_Init(MIX_INIT_MID | MIX_INIT_MP3);
    // One file, not a search list. Relative like the songs' own paths: a folder
    // name with a ';' in it would split a full path into two.
    Mix_SetSoundFonts(access(SONG_SOUNDFONT, R_OK) == 0 ? SONG_SOUNDFONT : SYSTEM_SOUNDFONT);
    if (max_channels < 1) max_channels = 1;
    if (max_channels > MIXER_MAX_CHANNELS) max_channels = MIXER_MAX_CHANNELS;
    Mix_AllocateChannels(max_channels);
    channel_play_serial.assign(max_channels, 0);
    Mix_MasterVolume(sound_library_mixer_volume(sfx_master_volume));
    sound_library_open = 1;
    if (device_owner == 0) atexit(close_before_exit);
    device_owner = getpid();
    sound_library_attach_meter();
    return 1;
}

void FSOUND_Close() {
    if (!sound_library_open) return;
    Mix_HaltChannel(-1);
    sound_library_release_song();
    for (auto& held : loaded_samples) Mix_FreeChunk(held.second);
    loaded_samples.clear();
    Mix_SetPostMix(nullptr, nullptr);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    channel_play_serial.clear();
    sound_library_open = 0;
}

static Mix_Chunk* find_sample(FSOUND_SAMPLE* sample) {
    auto held = loaded_samples.find(reinterpret_cast<uintptr_t>(sample));
    return held == loaded_samples.end() ? nullptr : held->second;
}

FSOUND_SAMPLE* FSOUND_Sample_Load(int, const char* path, unsigned, int, int) {
    if (!sound_library_open || !path) return nullptr;
    Mix_Chunk* chunk = Mix_LoadWAV(path);
    if (!chunk) return nullptr;
    uintptr_t handle = sound_library_next_handle();
    loaded_samples[handle] = chunk;
    return reinterpret_cast<FSOUND_SAMPLE*>(handle);
}

void FSOUND_Sample_Free(FSOUND_SAMPLE* sample) {
    Mix_Chunk* chunk = find_sample(sample);
    if (!chunk) return;
    Mix_FreeChunk(chunk);  // also halts every channel still playing it
    loaded_samples.erase(reinterpret_cast<uintptr_t>(sample));
}

int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample) {
    Mix_Chunk* chunk = find_sample(sample);
    if (!sound_library_open || !chunk) return -1;
    int channel_count = static_cast<int>(channel_play_serial.size());
    if (channel != FSOUND_FREE && (channel < 0 || channel >= channel_count)) return -1;
    int played = Mix_PlayChannel(channel == FSOUND_FREE ? -1 : channel, chunk, 0);
    if (played < 0 || played >= channel_count) return -1;
    int serial = (channel_play_serial[played] + 1) % PLAY_SERIAL_LIMIT;
    channel_play_serial[played] = serial;
    return (serial << CHANNEL_BITS) | played;
}

signed char FSOUND_StopSound(int channel) {
    if (!sound_library_open) return 0;
    if (channel == FSOUND_ALL) {
        Mix_HaltChannel(-1);
        return 1;
    }
    if (channel < 0) return 0;
    int index = channel & CHANNEL_MASK;
    int serial = channel >> CHANNEL_BITS;
    if (index >= static_cast<int>(channel_play_serial.size())) return 0;
    if (channel_play_serial[index] != serial) return 0;  // the channel plays another sound now
    Mix_HaltChannel(index);
    return 1;
}

void FSOUND_SetSFXMasterVolume(int volume) {
    sfx_master_volume = volume;
    if (sound_library_open) Mix_MasterVolume(sound_library_mixer_volume(volume));
}

void sound_library_test_use_drivers(const char* first, const char* fallback) {
    first_driver = first;
    fallback_driver = fallback;
}

int sound_library_test_samples_held() { return static_cast<int>(loaded_samples.size()); }
