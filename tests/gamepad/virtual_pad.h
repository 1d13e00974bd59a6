// A pad for the tests: SDL's virtual joystick with the standard pad layout,
// read by the game through its real polling path.
#pragma once

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "app/screen_state.h"
#include "input/gamepad.h"
#include "unit/test_stage_support.h"

struct VirtualPad {
    SDL_JoystickID id = -1;
    SDL_Joystick* joystick = nullptr;
    Uint16 rumble = 0;  // the motors' latest strength as the game set it

    explicit VirtualPad(const char* name) {
        poll_gamepads();  // the first poll starts the pad layer
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;  // SDL maps button i to pad button i
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = name;
        desc.userdata = this;
        desc.Rumble = [](void* pad, Uint16 low, Uint16) {
            static_cast<VirtualPad*>(pad)->rumble = low;
            return 0;
        };
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(index);
        id = SDL_JoystickInstanceID(joystick);
        poll_gamepads();  // taken here, unless another pad is in use
    }
    ~VirtualPad() { unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void set(SDL_GameControllerButton button, bool down) { SDL_JoystickSetVirtualButton(joystick, button, down); }
    // Stick position in shares of full travel, y up.
    void stick(double x, double y) {
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x * 32767));
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(-y * 32767));
    }
    // A press and a release, each seen by one poll.
    void tap(SDL_GameControllerButton button) {
        set(button, true);
        poll_gamepads();
        set(button, false);
        poll_gamepads();
    }
    void unplug() {
        if (!joystick) return;
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        for (int index = 0; index < SDL_NumJoysticks(); ++index)
            if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
        poll_gamepads();
    }
};

// One frame as the game runs it: the idle callback's poll, then the frame.
inline void pad_frame() {
    poll_gamepads();
    display_callback();
}
