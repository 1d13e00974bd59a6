// What a replay shows over its game: the bar of the part played, and when
// paused its game's last picture (not a blank screen) under its texts.
#include "app/replay_player.h"
#include "app/replay_view.h"
#include "app/screen_state.h"
#include "game_folder_test.h"
#include "input/input_stream.h"
#include "support/gl_pixels.h"

using ReplayView = GameFolderTest;

TEST_F(ReplayView, ItsBarLightsThePartPlayedAndAPauseShowsTheGamesLastPicture) {
    Replay replay;
    replay.format = 1;  // no checkpoints to part from
    replay.last_frame = 100;
    start_replay(replay, STATE_MAIN_MENU);
    for (int frame = 0; frame < 25; ++frame) display_callback();
    input_key('p');
    begin_frame();
    draw_replay_view();  // a quarter played: the bar lit to 0.02 + 0.25 x 0.8 of the width
    EXPECT_TRUE(near(pixel_at_px(174, 573), rgb(1.0, 0.85, 0.3))) << pixel_at_px(174, 573);
    EXPECT_TRUE(near(pixel_at_px(178, 573), rgb(0.3, 0.3, 0.3))) << pixel_at_px(178, 573);
    EXPECT_GT(lit_pixels(672, 0, 800, 500), 40000) << "the HUD panel of the game's last frame";
    leave_replay();
}
