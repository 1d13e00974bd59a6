// Cost of one gamepad poll, as the idle callback makes it between frames (about
// twenty times a frame while it naps): with no pad, and with SDL's virtual pad
// held still in a menu and with its stick pushed in a stage, where every poll
// steers again. A frame has 40 000 us.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include "app/screen_state.h"
#include "input/gamepad.h"
#include "persist/settings.h"
#include "stage/world.h"

namespace {

void BM_GamepadPollNoPad(benchmark::State& state) {
    screen_state = STATE_MAIN_MENU;
    poll_gamepads();  // the first poll starts the pad layer, once per run
    for (auto _ : state) poll_gamepads();
}
BENCHMARK(BM_GamepadPollNoPad);

// SDL's virtual pad, plugged in on first use (after the no-pad benchmark) and
// taken by the game; it stays for the rest of the run.
SDL_Joystick* virtual_pad() {
    static SDL_Joystick* joystick = nullptr;
    if (joystick) return joystick;
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Bench Pad";
    joystick = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
    poll_gamepads();
    return joystick;
}

void poll_with_virtual_pad(benchmark::State& state, int screen, double stick_x) {
    sfx = 0;
    SDL_JoystickSetVirtualAxis(virtual_pad(), SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(stick_x * 32767));
    screen_state = screen;
    poll_gamepads();
    for (auto _ : state) poll_gamepads();
}

void BM_GamepadPollPadAtRestInMenu(benchmark::State& state) { poll_with_virtual_pad(state, STATE_MAIN_MENU, 0.0); }
BENCHMARK(BM_GamepadPollPadAtRestInMenu);

void BM_GamepadPollPadSteeringInStage(benchmark::State& state) { poll_with_virtual_pad(state, STATE_NAV1, 0.8); }
BENCHMARK(BM_GamepadPollPadSteeringInStage);

}  // namespace

BENCHMARK_MAIN();
