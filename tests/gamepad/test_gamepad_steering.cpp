// Steering by stick and D-pad, and pads plugged in and pulled out.
#include "input/keys.h"
#include "input/screen_keys.h"
#include "input/wiimote_events.h"
#include "platform/gamepad_device.h"
#include "virtual_pad.h"

using namespace stage_test;

// One frame from (0.4, 0.3) with the stick at (x, y): how far the fighter went, in key steps.
static double moved(VirtualPad& pad, double x, double y, double* dy = nullptr) {
    player.x = 0.4, player.y = 0.3;
    pad.stick(x, y);
    pad_frame();
    if (dy) *dy = (player.y - 0.3) / (player.speed * 0.5);
    return (player.x - 0.4) / (player.speed * 0.5);
}

TEST(GamepadSteering, StickPaceGrowsWithDeflectionAndARestingStickDoesNotDrift) {
    clear_world();
    place_player(0.4, 0.3);
    VirtualPad pad("Test Pad");
    // Stick x and y, and the moves expected in key steps.
    const double table[][4] = {{0.15, -0.19, 0, 0}, {0.6, 0, 0.5, 0},     {1, 0, 1, 0}, {-1, 0, -1, 0},
                               {-0.6, 0.6, -0.5, 0.5}, {0, -1, 0, -1}, {0, 0, 0, 0}};
    for (const auto& row : table) {
        double dy;
        EXPECT_NEAR(moved(pad, row[0], row[1], &dy), row[2], 1e-4) << row[0] << ", " << row[1];
        EXPECT_NEAR(dy, row[3], 1e-4) << row[0] << ", " << row[1];
    }
    // The D-pad is the arrow keys: the last direction pressed wins.
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    poll_gamepads();
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    poll_gamepads();
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    EXPECT_NEAR(moved(pad, 0, 0), -1, 1e-9);
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    EXPECT_EQ(moved(pad, 0, 0), 0);
    moved(pad, 0.25, 0);  // a worn stick resting just past its dead zone
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_NEAR(moved(pad, 0.25, 0), -1, 1e-9) << "yields to the D-pad pressed the other way";
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    EXPECT_NEAR(moved(pad, 0.25, 0), 0.0625, 1e-4) << "and steers at its pace again once it is let go";
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_NEAR(moved(pad, 0.25, 0), 1, 1e-9) << "a D-pad held its way steers at key speed, not at the stick's pace";
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    // A stick held through the quit prompt steers again as the stage goes on.
    moved(pad, 1, 0);
    pad.tap(SDL_CONTROLLER_BUTTON_START);
    pad.tap(SDL_CONTROLLER_BUTTON_B);
    EXPECT_NEAR(moved(pad, 1, 0), 1, 1e-9);
}

TEST(GamepadSteering, APadPulledOutMidTurnStopsTheShipAndTheKeyboardGoesOn) {
    clear_world();
    place_player(0.4, 0.3);
    VirtualPad pad("Test Pad");
    EXPECT_NEAR(moved(pad, -0.6, 0.6), -0.5, 1e-4);
    testing::internal::CaptureStdout();
    pad.unplug();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Gamepad disconnected\n");
    const double x = player.x, y = player.y;
    pad_frame();
    EXPECT_EQ(player.x, x);
    EXPECT_EQ(player.y, y);
    special_callback(SPECIAL_LEFT, 0, 0);  // at key speed, not the stick's last pace
    pad_frame();
    EXPECT_NEAR(player.x - x, -player.speed * 0.5, 1e-9);
    special_up_callback(SPECIAL_LEFT, 0, 0);
    for (int arrow : {SPECIAL_RIGHT, SPECIAL_UP}) special_callback(arrow, 0, 0);  // held under the pad's steering
    VirtualPad second("Test Pad");
    second.tap(SDL_CONTROLLER_BUTTON_DPAD_LEFT);  // the axis stops, as with keys
    second.stick(0, -0.6);
    poll_gamepads();
    second.unplug();
    EXPECT_EQ(steer_x, HELD_NONE) << "an axis the pad had let go of stays at rest";
    EXPECT_EQ(steer_y, HELD_UP) << "a key held under the pad's steering takes the axis back";
    for (int arrow : {SPECIAL_RIGHT, SPECIAL_UP}) special_up_callback(arrow, 0, 0);
}

TEST(GamepadSteering, ASecondPadWaitsUntilTheFirstIsPulledOut) {
    reset_game();
    testing::internal::CaptureStdout();
    VirtualPad first("Pad One");
    VirtualPad second("Pad Two");
    second.tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    first.tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(menu_cursor, 2);
    second.set(SDL_CONTROLLER_BUTTON_A, true);
    first.unplug();  // the second is taken; its A, already down, does not act
    second.set(SDL_CONTROLLER_BUTTON_A, false);
    poll_gamepads();
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    second.tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(screen_state, STATE_STAGE_SELECT);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Gamepad connected: Pad One\nGamepad disconnected\nGamepad connected: Pad Two\n");
}

// SDL's own database line for the remote's buttons as the kernel's driver gives them.
constexpr const char* WII_REMOTE_LINE = "Nintendo Wii Remote,crc:60be,a:b1,b:b0,back:b4,dpdown:b8,dpleft:b6,"
                                        "dpright:b7,dpup:b5,guide:b2,start:b3,x:b9,y:b10,";

TEST(GamepadSteering, AWiiRemoteIsNeverTakenAndEachOfItsPressesActsOnce) {
    setenv("SDL_JOYSTICK_HIDAPI_WII", "1", 1);  // SDL must not drive the remote whatever this says
    const struct { const char* name; Uint16 product; const char* mapping; bool taken; } rows[] = {
        {"Nintendo Wii Remote", 0x0306, WII_REMOTE_LINE, false},
        {"Nintendo Wii Remote", 0x0330, WII_REMOTE_LINE, false},
        {"Nintendo Wii Remote Pro Controller", 0x0330, "Pro Controller,a:b1,b:b0,start:b9,", true},
    };
    for (const auto& row : rows) {
        VirtualPad wii(row.name, 0x057e, row.product, row.mapping), pad("Test Pad");
        EXPECT_EQ(strcmp(gamepad_device_name(), "Test Pad") != 0, row.taken) << row.name;
    }
    EXPECT_STREQ(SDL_GetHint(SDL_HINT_JOYSTICK_HIDAPI_WII), "0");
    VirtualPad remote("Nintendo Wii Remote", 0x057e, 0x0306, WII_REMOTE_LINE), pad("Test Pad");
    clear_world();
    remote.set(3, true);  // Plus, also read by the remote layer: full guns once, not the pad's Start too
    apply_remote_notice(RemoteNotice{REMOTE_REPORT, WIIUSE_BUTTON_PLUS, 0, 0, 0, 0, 0, 0});
    poll_gamepads();
    EXPECT_EQ(screen_state, STATE_NAV1);
    EXPECT_EQ(gun_mode, GUN_MODE_LASER_ION);
}
