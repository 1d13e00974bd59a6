// Steering by stick and D-pad, and pads plugged in and pulled out.
#include "input/keys.h"
#include "input/wiimote_events.h"
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
    // A worn stick resting just past its dead zone yields to the D-pad pressed the
    // other way and steers at its pace again once the D-pad is let go.
    moved(pad, 0.25, 0);
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_NEAR(moved(pad, 0.25, 0), -1, 1e-9);
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    EXPECT_NEAR(moved(pad, 0.25, 0), 0.0625, 1e-4);
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);  // pressed last, the D-pad sets the pace
    EXPECT_NEAR(moved(pad, 0.25, 0), 1, 1e-9);
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    EXPECT_NEAR(moved(pad, 0.25, 0), 0.0625, 1e-4);
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    poll_gamepads();
    special_callback(SPECIAL_LEFT, 0, 0);  // a key pressed since keeps the axis as the D-pad lets go
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    EXPECT_NEAR(moved(pad, 0.25, 0), -1, 1e-9);
    special_up_callback(SPECIAL_LEFT, 0, 0);
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
    // When the pad goes, an arrow key held under its steering takes the axis back.
    special_callback(SPECIAL_RIGHT, 0, 0);
    special_callback(SPECIAL_UP, 0, 0);
    VirtualPad second("Test Pad");
    second.tap(SDL_CONTROLLER_BUTTON_DPAD_LEFT);  // the axis stops, as with keys
    second.stick(0, -0.6);
    poll_gamepads();
    apply_remote_notice(RemoteNotice{REMOTE_DISCONNECT, 0, 0, 0, 0, 0, 0, 1});
    EXPECT_EQ(steer_y, 2) << "the remote going leaves the pad's steering alone";
    second.unplug();
    EXPECT_EQ(steer_x, 0) << "an axis the pad had let go of stays at rest";
    EXPECT_EQ(steer_y, 1);
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

// The kernel's Wii Remote driver makes an input device of the remote and of each
// of its parts, with the remote's ids; SDL's database has lines for some of them.
#define WII_REMOTE_BUTTONS "a:b1,b:b0,back:b4,dpdown:b8,dpleft:b6,dpright:b7,dpup:b5,guide:b2,start:b3,x:b9,y:b10,"
const PadIdentity WII_REMOTE = {"Nintendo Wii Remote", 0x057e, 0x0306, "Nintendo Wii Remote,crc:60be," WII_REMOTE_BUTTONS};

TEST(GamepadSteering, AWiiRemoteOrItsPartsAreNeverTakenItsGamepadsAre) {
    setenv("SDL_JOYSTICK_HIDAPI_WII", "1", 1);  // SDL must not drive the remote whatever this says
    const std::pair<PadIdentity, bool> rows[] = {
        {WII_REMOTE, false},
        {{"Nintendo Wii Remote", 0x057e, 0x0330, "Nintendo Wii Remote," WII_REMOTE_BUTTONS}, false},
        {{"Nintendo Wii Remote Nunchuk", 0x057e, 0x0306, "Nintendo Wii Remote Nunchuk," WII_REMOTE_BUTTONS}, false},
        {{"Nintendo Wii Remote Pro Controller", 0x057e, 0x0330, "Nintendo Wii Remote Pro Controller,a:b1,b:b0,x:b2,y:b3,start:b9,leftx:a0,lefty:a1,"}, true},
        {{"Nintendo Wii Remote Classic Controller", 0x057e, 0x0306, "Nintendo Wii Remote Classic Controller,crc:0d8a,a:b0,b:b1,x:b2,y:b3,start:b9,"}, true},
    };
    for (const auto& row : rows) {
        testing::internal::CaptureStdout();
        VirtualPad wii(row.first), pad("Test Pad");
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  std::string("Gamepad connected: ") + (row.second ? row.first.name : "Test Pad") + "\n");
    }
    EXPECT_STREQ(SDL_GetHint(SDL_HINT_JOYSTICK_HIDAPI_WII), "0");
    // Plus on the remote is full guns, once: not also the pad's Start (the quit prompt).
    VirtualPad remote(WII_REMOTE), pad("Test Pad");
    clear_world();
    remote.set(3, true);
    apply_remote_notice(RemoteNotice{REMOTE_REPORT, WIIUSE_BUTTON_PLUS, 0, 0, 0, 0, 0, 0});
    poll_gamepads();
    EXPECT_EQ(screen_state, STATE_NAV1);
    EXPECT_EQ(gun_mode, 3);
}
