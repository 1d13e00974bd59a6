// An arrow let go while another window has the keyboard: the release goes to
// that window, and the game must still stop the fighter. The real engine on a
// display wider than its window, with another program's window beside it.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

// The fighter's middle column: the green of its picture in the lower
// playfield (the HUD panel right of it is green too); -1 when not seen.
double fighter_x(const Screenshot& shot) {
    long sum = 0, count = 0;
    for (int y = 300; y < 600; ++y)
        for (int x = 0; x < 660; ++x) {
            const Pixel p = shot.at_px(x, y);
            if (p.g > p.r + 20 && p.g > p.b + 20) sum += x, ++count;
        }
    return count > 20 ? static_cast<double>(sum) / count : -1;
}

void focus(const GameRun& game, const std::string& window) {
    run_command({"xdotool", "windowfocus", "--sync", window}, game.display());
}

}  // namespace

TEST(KeyboardFocus, AnArrowLetGoInAnotherWindowStopsTheFighter) {
    GameRun game("1024x768x24");
    game.start({"pilot"});
    const std::string window = game.wait_for_window();
    ASSERT_NE(window, "") << game.out() << game.err();
    // Another program's window beside the game's; it ends with the display.
    run_command({"sh", "-c", "xlogo -geometry 120x80+850+650 > /dev/null 2>&1 &"}, game.display());
    const std::string other = game.wait_for_window("^xlogo$");
    ASSERT_NE(other, "");
    focus(game, window);
    GameRun::wait_frames(5);
    game.fly_into_nav1();

    game.key_down("Left");
    GameRun::wait_frames(5);
    focus(game, other);  // Alt+Tab with the arrow held
    const double held = fighter_x(game.screenshot());
    GameRun::wait_frames(3);
    const double still_held = fighter_x(game.screenshot());
    ASSERT_GT(held, 0) << "no fighter seen";
    EXPECT_LT(still_held, held - 5) << "an arrow still held elsewhere keeps steering";

    game.key_up("Left");  // heard by the other window only
    GameRun::wait_frames(2);
    const double let_go = fighter_x(game.screenshot());
    GameRun::wait_frames(5);
    EXPECT_EQ(fighter_x(game.screenshot()), let_go) << "the fighter flew on after the arrow was let go";

    focus(game, window);
    GameRun::wait_frames(2);
    EXPECT_EQ(fighter_x(game.screenshot()), let_go) << "the fighter moved when the keyboard came back";
}
