// A game by pad, its stick steering at partial deflections, recorded and played
// back exactly; the pad pulled out midway and another plugged in.
#include <cmath>
#include <memory>

#include "support/replay_check.h"
#include "virtual_pad.h"

TEST(GamepadReplay, APadGameSteeredByTheStickPlaysBackFrameByFrame) {
    reset_game();
    screen_state = STATE_SHIP_SELECT;
    selected_ship = 0;
    auto pad = std::make_unique<VirtualPad>("Test Pad");
    pad->tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(screen_state, STATE_NAV1);
    DigestTrail trail;
    for (int frame = 0; frame < 8000 && (frame == 0 || game_recording()); ++frame) {
        if (frame == 400) pad = std::make_unique<VirtualPad>("Second Pad");  // the first one is pulled out
        pad->stick(std::fmax(-0.9, std::fmin(0.9, (lowest_rock_x() - player.x) * 8)), 0.5 * std::sin(frame * 0.1));
        pad->set(SDL_CONTROLLER_BUTTON_A, frame % 10 < 5 && player_destroyed == 0);
        poll_gamepads();
        recorded_frame(trail);
    }
    expect_replays_match(trail);
}

// While a replay plays: Y pauses, the D-pad's right steps, A held plays fast, Start leaves.
TEST(GamepadReplay, ThePadPausesStepsPlaysFastAndLeavesAReplay) {
    auto pad = std::make_unique<VirtualPad>("Test Pad");
    Replay replay;
    replay.format = 1;  // no checkpoints to part from
    replay.last_frame = 100;
    start_replay(replay, STATE_HIGH_SCORES);
    for (int frame = 0; frame < 5; ++frame) display_callback();
    pad->tap(SDL_CONTROLLER_BUTTON_Y);
    const long frames = frames_run;
    pad->tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    for (int frame = 0; frame < 3; ++frame) display_callback();
    EXPECT_EQ(frames_run, frames + 1);
    pad->set(SDL_CONTROLLER_BUTTON_A, true);
    poll_gamepads();
    EXPECT_EQ(replay_speed, REPLAY_FAST_SPEED);
    pad->set(SDL_CONTROLLER_BUTTON_A, false);
    poll_gamepads();
    EXPECT_EQ(replay_speed, 1);
    pad->tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(replay_playing, 0);
}
