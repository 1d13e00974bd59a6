#include "platform/gamepad_device.h"

#include <SDL2/SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

int subsystem_started = 0;
SDL_GameController* pad = nullptr;  // the pad in use
SDL_JoystickID refused_pad = -1;    // a pad SDL could not open: not tried again on every poll

struct ButtonPlace {
    SDL_GameControllerButton sdl_button;
    unsigned game_button;
};

constexpr ButtonPlace BUTTON_PLACES[] = {
    {SDL_CONTROLLER_BUTTON_A, PAD_A},
    {SDL_CONTROLLER_BUTTON_B, PAD_B},
    {SDL_CONTROLLER_BUTTON_X, PAD_X},
    {SDL_CONTROLLER_BUTTON_Y, PAD_Y},
    {SDL_CONTROLLER_BUTTON_BACK, PAD_BACK},
    {SDL_CONTROLLER_BUTTON_START, PAD_START},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PAD_DPAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PAD_DPAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PAD_DPAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PAD_DPAD_RIGHT},
};

constexpr double AXIS_FULL = 32767.0;  // SDL's axes run -32768..32767
constexpr double RUMBLE_FULL = 65535.0;

double stick_axis(SDL_GameControllerAxis axis) {
    return std::clamp(SDL_GameControllerGetAxis(pad, axis) / AXIS_FULL, -1.0, 1.0);
}

// The kernel's Wii Remote driver gives the remote and each of its parts an input
// device of its own, all with the remote's ids; SDL's database describes the
// remote's buttons as a pad's. The remote belongs to the remote layer (taken as a
// pad too, each of its presses would act twice), and its accelerometer, IR
// camera, Motion Plus and Nunchuk are no pads. Only the gamepads among them are.
constexpr Uint16 NINTENDO_VENDOR = 0x057e;
constexpr Uint16 WII_REMOTE_PRODUCTS[] = {0x0306, 0x0330};  // the first remote and the Remote Plus
constexpr const char* WII_GAMEPAD_NAMES[] = {"Nintendo Wii Remote Pro Controller",
                                             "Nintendo Wii Remote Classic Controller"};

bool is_wii_remote(int index) {
    if (SDL_JoystickGetDeviceVendor(index) != NINTENDO_VENDOR) return false;
    const Uint16 product = SDL_JoystickGetDeviceProduct(index);
    if (std::find(std::begin(WII_REMOTE_PRODUCTS), std::end(WII_REMOTE_PRODUCTS), product) ==
        std::end(WII_REMOTE_PRODUCTS))
        return false;
    const char* name = SDL_JoystickNameForIndex(index);
    for (const char* gamepad : WII_GAMEPAD_NAMES)
        if (name && strcmp(name, gamepad) == 0) return false;
    return true;
}

// Opens the first device SDL knows as a gamepad (one with a mapping); 1 if one was taken.
int take_first_pad() {
    const int devices = SDL_NumJoysticks();
    for (int index = 0; index < devices; ++index) {
        if (!SDL_IsGameController(index)) continue;  // a flight stick, a wheel: no standard layout
        if (is_wii_remote(index)) continue;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        if (id == refused_pad) continue;
        pad = SDL_GameControllerOpen(index);
        if (pad) return 1;
        refused_pad = id;
    }
    return 0;
}

}  // namespace

int gamepad_device_start(const char* mapping_file) {
    if (subsystem_started) return 1;
    // As for the sound layer: SDL must not take over SIGINT and SIGTERM.
    SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_OVERRIDE);
    // SDL's own driver for Wii controllers would set the remote's lights and
    // report mode behind the remote layer's back: off, whatever the environment says.
    SDL_SetHintWithPriority(SDL_HINT_JOYSTICK_HIDAPI_WII, "0", SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return 0;
    // The pads are read directly and nothing drains SDL's event queue: their
    // events must not pile up there.
    SDL_JoystickEventState(SDL_IGNORE);
    SDL_GameControllerEventState(SDL_IGNORE);
    if (mapping_file && access(mapping_file, F_OK) == 0 && SDL_GameControllerAddMappingsFromFile(mapping_file) < 0)
        printf("Gamepad descriptions in %s could not be read: %s\n", mapping_file, SDL_GetError());
    subsystem_started = 1;
    return 1;
}

int gamepad_device_poll(GamepadReading* reading) {
    *reading = GamepadReading{};
    if (!subsystem_started) return 0;
    SDL_GameControllerUpdate();  // also notices pads plugged in or pulled out
    int change = 0;
    if (pad && !SDL_GameControllerGetAttached(pad)) {
        SDL_GameControllerClose(pad);
        pad = nullptr;
        change |= GAMEPAD_LOST;
    }
    if (!pad && take_first_pad()) change |= GAMEPAD_TAKEN;
    if (!pad) return change;
    for (const ButtonPlace& place : BUTTON_PLACES)
        if (SDL_GameControllerGetButton(pad, place.sdl_button)) reading->buttons |= place.game_button;
    reading->stick_x = stick_axis(SDL_CONTROLLER_AXIS_LEFTX);
    reading->stick_y = -stick_axis(SDL_CONTROLLER_AXIS_LEFTY);  // SDL counts down as positive
    return change;
}

int gamepad_device_in_use() { return pad != nullptr; }

const char* gamepad_device_name() { return pad ? SDL_GameControllerName(pad) : nullptr; }

void gamepad_device_rumble(double strength, int duration_ms) {
    if (!pad) return;
    const auto level = static_cast<Uint16>(std::lround(std::clamp(strength, 0.0, 1.0) * RUMBLE_FULL));
    // A pad without motors refuses, which is all the answer needed.
    SDL_GameControllerRumble(pad, level, level, static_cast<Uint32>(std::max(duration_ms, 0)));
}

void gamepad_device_stop_rumble() {
    if (pad) SDL_GameControllerRumble(pad, 0, 0, 0);
}

void gamepad_device_close() {
    if (!pad) return;
    // Closing alone may leave a pulse running: the device can be open elsewhere too.
    gamepad_device_stop_rumble();
    SDL_GameControllerClose(pad);
    pad = nullptr;
}
