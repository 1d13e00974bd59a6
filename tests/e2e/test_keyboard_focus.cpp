// An arrow let go while another window has the keyboard: the release goes to
// that window, and the game must still stop the fighter. The real engine on a
// display wider than its window, with another program's window beside it.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

// The fighter's middle column: the green of its picture in the lower
// playfield (the HUD panel right of it is green too); -1 when not seen.
double fighter_x(const GameRun& game) {
    const Screenshot shot = game.screenshot();
    long sum = 0, count = 0;
    for (int y = 300; y < 600; ++y)
        for (int x = 0; x < 660; ++x) {
            const Pixel p = shot.at_px(x, y);
            if (p.g > p.r + 20 && p.g > p.b + 20) sum += x, ++count;
        }
    return count > 20 ? static_cast<double>(sum) / count : -1;
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
    const auto focus = [&](const std::string& on) {
        run_command({"xdotool", "windowfocus", "--sync", on}, game.display());
    };
    focus(window);
    GameRun::wait_frames(5);
    game.fly_into_nav1();

    game.key_down("Left");
    GameRun::wait_frames(5);
    focus(other);  // Alt+Tab with the arrow held
    const double held = fighter_x(game);
    ASSERT_GT(held, 0) << "no fighter seen";
    GameRun::wait_frames(3);
    EXPECT_LT(fighter_x(game), held - 5) << "an arrow still held elsewhere keeps steering";

    game.key_up("Left");  // heard by the other window only
    GameRun::wait_frames(2);
    const double let_go = fighter_x(game);
    GameRun::wait_frames(5);
    EXPECT_EQ(fighter_x(game), let_go) << "the fighter flew on after the arrow was let go";
}
