// A pad for the tests: SDL's virtual joystick with the standard layout (button
// i is pad button i), read by the game through its real polling path.
#pragma once

#include <SDL2/SDL.h>

#include "input/gamepad.h"
#include "unit/test_stage_support.h"

struct VirtualPad {
    SDL_Joystick* joystick = nullptr;
    Uint16 rumble = 0;  // the motors' latest strength

    explicit VirtualPad(const char* name) {
        poll_gamepads();  // the first poll starts the pad layer
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = name;
        desc.userdata = this;
        desc.Rumble = [](void* pad, Uint16 low, Uint16) { return (static_cast<VirtualPad*>(pad)->rumble = low), 0; };
        joystick = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
        EXPECT_TRUE(joystick) << SDL_GetError();
        poll_gamepads();  // taken here, unless another pad is in use
    }
    ~VirtualPad() { unplug(); }

    void set(SDL_GameControllerButton button, bool down) { SDL_JoystickSetVirtualButton(joystick, button, down); }
    void stick(double x, double y) {  // shares of full travel, y up
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x * 32767));
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(-y * 32767));
    }
    void tap(SDL_GameControllerButton button) {  // down for one poll, up for the next
        set(button, true);
        poll_gamepads();
        set(button, false);
        poll_gamepads();
    }
    void unplug() {
        if (!joystick) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
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
