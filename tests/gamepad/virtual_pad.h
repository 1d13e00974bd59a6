// A pad for the tests: SDL's virtual joystick with the standard layout (button
// i is pad button i), read by the game through its real polling path.
#pragma once

#include <GL/freeglut.h>
#include <SDL2/SDL.h>

#include <string>

#include "input/gamepad.h"
#include "unit/test_stage_support.h"

struct VirtualPad {
    SDL_Joystick* joystick = nullptr;
    Uint16 rumble = 0;  // the motors' latest strength

    // A device's name and ids, and the line of SDL's database for it less the
    // GUID, which SDL makes up for a virtual joystick.
    explicit VirtualPad(const char* name, Uint16 vendor = 0, Uint16 product = 0, const char* mapping = nullptr) {
        poll_gamepads();  // the first poll starts the pad layer
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = name;
        desc.vendor_id = vendor;
        desc.product_id = product;
        desc.userdata = this;
        desc.Rumble = [](void* pad, Uint16 low, Uint16) { return (static_cast<VirtualPad*>(pad)->rumble = low), 0; };
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        char guid[33];
        SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof guid);
        if (mapping) SDL_GameControllerAddMapping((std::string(guid) + "," + mapping).c_str());
        EXPECT_TRUE(SDL_IsGameController(index)) << name;
        joystick = SDL_JoystickOpen(index);
        EXPECT_TRUE(joystick) << SDL_GetError();
        poll_gamepads();  // taken here, unless another pad is in use
    }
    ~VirtualPad() { unplug(); }

    void set(int button, bool down) { SDL_JoystickSetVirtualButton(joystick, button, down); }
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

// Lets the toolkit run its timers for `ms` while nothing reads the pad.
inline void run_toolkit_ms(int ms) {
    glutDisplayFunc([] {});  // the toolkit wants one before it runs anything
    for (const int end = glutGet(GLUT_ELAPSED_TIME) + ms; glutGet(GLUT_ELAPSED_TIME) < end; SDL_Delay(5))
        glutMainLoopEvent();
}
