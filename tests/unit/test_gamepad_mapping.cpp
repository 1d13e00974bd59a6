// Which keys the pad's buttons stand for, by screen state.
#include <gtest/gtest.h>

#include <vector>

#include "app/screen_state.h"
#include "input/gamepad.h"
#include "input/keys.h"
#include "platform/gamepad_device.h"

TEST(PadMapping, ButtonsDownBecomeTheKeysOfTheScreenTheyArePressedOn) {
    struct Row {
        unsigned went_down;
        int state, destroyed;
        std::vector<int> keys;
    };
    const Row ROWS[] = {
        {PAD_A | PAD_B | PAD_START, STATE_LOGO_INTRO, 0, {KEY_ESC}},  // one Esc, however many are down
        {PAD_A | PAD_X | PAD_Y, STATE_HIGH_SCORES, 0, {KEY_ESC, '1', 'L'}},
        {PAD_X, STATE_CREDITS, 0, {}},
        {PAD_A | PAD_B, STATE_SHIP_SELECT, 0, {KEY_ENTER, KEY_ESC}},
        {PAD_A, STATE_CONTROLS, 0, {}},
        {PAD_A, STATE_QUIT_OVERLAY, 0, {}},  // fire never leaves the game
        {PAD_START, STATE_QUIT_OVERLAY, 0, {'N'}},
        {PAD_BACK, STATE_QUIT_OVERLAY, 0, {'Y'}},
        {PAD_A | PAD_X | PAD_Y | PAD_START, STATE_NAV2, 0, {KEY_SPACE, 'G', 'F', KEY_ESC}},
        {PAD_A, STATE_NAV1, 1, {KEY_ENTER}},  // a lost fighter: fire starts the next game
        {PAD_A, STATE_QUIT_OVERLAY + 50, 0, {}},
        {0, STATE_NAV1, 0, {}},
    };
    for (const Row& row : ROWS) {
        SCOPED_TRACE(testing::Message() << "buttons " << row.went_down << " in state " << row.state);
        int keys[MAX_PAD_KEYS];
        const int count = pad_keys_for_buttons(row.went_down, row.state, row.destroyed, keys);
        EXPECT_EQ(std::vector<int>(keys, keys + count), row.keys);
    }
}
