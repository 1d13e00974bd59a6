// The four ways a game ends: whether the score enters the table, where the game
// goes next, and what the remote is told, in its order.
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "app/game_end.h"
#include "app/startup.h"
#include "persist/high_scores.h"
#include "test_wiimote_support.h"

using namespace remote_test;

namespace {
using GameEnd = ConnectedRemote;
}  // namespace

TEST_F(GameEnd, EachEndingEntersTheScoreAndTellsTheRemoteInItsOwnOrder) {
    connect("");
    const std::vector<std::string> RESET_THEN_OFF = {"leds 144", "rumble 0", "motion 0"};
    struct Case {
        GameEnding ending;
        int score, destroyed;
        bool enters;
        int next_state;
        std::vector<std::string> remote;
    } cases[] = {
        {ENDING_DESTROYED, 0, 1, false, STATE_MAIN_MENU, RESET_THEN_OFF},
        {ENDING_DESTROYED, 40, 1, true, STATE_MAIN_MENU, RESET_THEN_OFF},
        {ENDING_STAGE_FLOWN, 0, 0, true, STATE_MAIN_MENU, {"motion 0", "leds 144", "rumble 0"}},
        {ENDING_QUIT, 900, 0, false, STATE_MAIN_MENU, RESET_THEN_OFF},
        {ENDING_QUIT, 0, 1, true, STATE_MAIN_MENU, RESET_THEN_OFF},
        {ENDING_RESTART, 0, 1, true, STATE_NAV1, {"leds 144", "rumble 0"}},
    };
    profile_name = "ender";
    for (const Case& c : cases) {
        reset_high_scores();
        const size_t logged = log_lines(dir).size();
        score = c.score;
        player_destroyed = c.destroyed;
        screen_state = STATE_NAV2;
        textures_loaded = music_started = 1;

        end_game(c.ending);

        SCOPED_TRACE(testing::Message() << "ending " << c.ending << " with score " << c.score);
        const std::vector<std::string> log = log_lines(dir);
        const std::vector<std::string> told(log.begin() + static_cast<long>(logged), log.end());
        EXPECT_EQ(told, c.remote);
        EXPECT_EQ(strcmp(high_scores[0].name, "ender") == 0, c.enters);
        EXPECT_EQ(screen_state, c.next_state);
        EXPECT_EQ(std::make_tuple(textures_loaded, music_started, score, player_destroyed),
                  std::make_tuple(0, 0, 0, 0));
    }
}
