// The named screen-state ranges keep their exact bounds: stage play 2..98,
// tilt from 2 up, the stars switch 2..99.
#include <gtest/gtest.h>

#include "app/screen_state.h"

TEST(ScreenRanges, EachRangeHoldsExactlyItsBounds) {
    struct Row {
        int state;
        bool stage, tilt, stars_switch;
    };
    const Row rows[] = {
        {STATE_LOGO_INTRO, false, false, false}, {STATE_MAIN_MENU, false, false, false},
        {STATE_SHIP_SELECT, false, false, false}, {STATE_NAV1, true, true, true},
        {STATE_NAV2, true, true, true},           {98, true, true, true},
        {STATE_QUIT_OVERLAY, false, true, true},  {STATE_SETTINGS, false, true, false},
        {STATE_CONTROLS, false, true, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(in_stage_range(row.state), row.stage) << row.state;
        EXPECT_EQ(in_tilt_range(row.state), row.tilt) << row.state;
        EXPECT_EQ(in_stars_switch_range(row.state), row.stars_switch) << row.state;
    }
}
