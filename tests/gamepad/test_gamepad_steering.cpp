// Steering by stick and D-pad, and pads plugged in and pulled out.
#include <string>

#include "input/keys.h"
#include "virtual_pad.h"

using namespace stage_test;

namespace {

// One frame from (0.4, 0.3) with the stick at (x, y): how far the fighter went.
struct Move { double dx, dy; };
Move frame_with_stick(VirtualPad& pad, double x, double y) {
    player.x = 0.4, player.y = 0.3;
    pad.stick(x, y);
    pad_frame();
    return {player.x - 0.4, player.y - 0.3};
}

}  // namespace

TEST(GamepadSteering, StickPaceGrowsWithDeflectionAndARestingStickDoesNotDrift) {
    clear_world();
    place_player(0.4, 0.3);
    VirtualPad pad("Test Pad");
    const double key_step = player.speed * 0.5;
    // Stick x, stick y, expected moves in key steps.
    const double table[][4] = {{0.15, -0.19, 0, 0}, {0.6, 0, 0.5, 0}, {1, 0, 1, 0}, {-1, 0, -1, 0},
                               {-0.6, 0.6, -0.5, 0.5}, {0, -1, 0, -1}, {0, 0, 0, 0}};
    for (const auto& row : table) {
        Move move = frame_with_stick(pad, row[0], row[1]);
        EXPECT_NEAR(move.dx, row[2] * key_step, 1e-4) << row[0] << ", " << row[1];
        EXPECT_NEAR(move.dy, row[3] * key_step, 1e-4) << row[0] << ", " << row[1];
    }
    // The D-pad is the arrow keys: the last direction pressed wins.
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    poll_gamepads();
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    poll_gamepads();
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    EXPECT_NEAR(frame_with_stick(pad, 0, 0).dx, -key_step, 1e-9);
    pad.set(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    EXPECT_EQ(frame_with_stick(pad, 0, 0).dx, 0);

    // A stick held through the quit prompt steers again as the stage goes on.
    frame_with_stick(pad, 1, 0);
    pad.tap(SDL_CONTROLLER_BUTTON_START);
    pad.tap(SDL_CONTROLLER_BUTTON_B);
    ASSERT_EQ(screen_state, STATE_NAV1);
    EXPECT_NEAR(frame_with_stick(pad, 1, 0).dx, key_step, 1e-9);
}

TEST(GamepadSteering, APadPulledOutMidTurnStopsTheShipAndTheKeyboardGoesOn) {
    clear_world();
    place_player(0.4, 0.3);
    VirtualPad pad("Test Pad");
    Move turning = frame_with_stick(pad, -1, 1);
    EXPECT_LT(turning.dx, 0);
    EXPECT_GT(turning.dy, 0);
    testing::internal::CaptureStdout();
    pad.unplug();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Gamepad disconnected\n");
    const double x = player.x, y = player.y;
    pad_frame();
    EXPECT_EQ(player.x, x);
    EXPECT_EQ(player.y, y);
    special_callback(SPECIAL_RIGHT, 0, 0);
    pad_frame();
    EXPECT_NEAR(player.x - x, player.speed * 0.5, 1e-9);
    special_up_callback(SPECIAL_RIGHT, 0, 0);
}

TEST(GamepadSteering, ASecondPadWaitsUntilTheFirstIsPulledOut) {
    reset_game();
    testing::internal::CaptureStdout();
    VirtualPad first("Pad One");
    VirtualPad second("Pad Two");
    second.set(SDL_CONTROLLER_BUTTON_A, true);
    poll_gamepads();
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    first.tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(menu_cursor, 2);
    first.unplug();  // the second is taken; its A, already down, does not act
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    second.set(SDL_CONTROLLER_BUTTON_A, false);
    poll_gamepads();
    second.tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(screen_state, STATE_STAGE_SELECT);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Gamepad connected: Pad One\nGamepad disconnected\nGamepad connected: Pad Two\n");
}
