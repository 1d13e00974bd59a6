// Which keys a remote report stands for, by screen state.
#include <gtest/gtest.h>

#include <vector>

#include "app/screen_state.h"
#include "input/keys.h"
#include "input/wiimote_events.h"

namespace {

std::vector<int> keys_for(uint16_t btns, uint16_t btns_held, int state) {
    int keys[MAX_REMOTE_KEYS];
    int count = remote_keys_for_report(btns, btns_held, state, keys);
    return std::vector<int>(keys, keys + count);
}

using Keys = std::vector<int>;
constexpr uint16_t ALL_BUTTONS = 0x1F9F;

}  // namespace

TEST(RemoteMapping, SkippableScreensTakeAnyActionButtonAsOneEsc) {
    for (int state : {STATE_LOGO_INTRO, STATE_CREDITS, STATE_HIGH_SCORES}) {
        for (uint16_t button : {WIIUSE_BUTTON_TWO, WIIUSE_BUTTON_ONE, WIIUSE_BUTTON_B, WIIUSE_BUTTON_A})
            EXPECT_EQ(keys_for(button, button, state), Keys{KEY_ESC}) << state;
        // The high scores' Plus plays place 1's replay, as the key 1 does, and Minus the last game's, as L.
        const bool scores = state == STATE_HIGH_SCORES;
        EXPECT_EQ(keys_for(ALL_BUTTONS, 0, state), scores ? (Keys{KEY_ESC, '1', 'L'}) : Keys{KEY_ESC})
            << "one Esc, however many are down";
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_HOME | WIIUSE_BUTTON_PLUS | WIIUSE_BUTTON_UP, 0, state),
                  scores ? Keys{'1'} : Keys{});
    }
}

TEST(RemoteMapping, MenusReadTheSidewaysDPadAndActOnEveryButtonDown) {
    for (int state : {STATE_MAIN_MENU, STATE_SETTINGS, STATE_STAGE_SELECT}) {
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_RIGHT, 0, state), Keys{GAME_KEY_UP});
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_LEFT, 0, state), Keys{GAME_KEY_DOWN});
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_UP | WIIUSE_BUTTON_DOWN | WIIUSE_BUTTON_A, 0, state), Keys{});
        // Two pressed while One is held: Enter then Esc, in the table's order.
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_TWO | WIIUSE_BUTTON_ONE, WIIUSE_BUTTON_ONE, state),
                  (Keys{KEY_ENTER, KEY_ESC}));
        // A held button acts again in every report.
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_LEFT, WIIUSE_BUTTON_LEFT, state), Keys{GAME_KEY_DOWN});
        EXPECT_EQ(keys_for(ALL_BUTTONS, ALL_BUTTONS, state),
                  (Keys{GAME_KEY_UP, GAME_KEY_DOWN, KEY_ENTER, KEY_ESC}));
    }
    EXPECT_EQ(keys_for(ALL_BUTTONS, 0, STATE_CONTROLS), Keys{KEY_ESC}) << "only One leaves the controls";
    EXPECT_EQ(keys_for(WIIUSE_BUTTON_TWO, 0, STATE_CONTROLS), Keys{});
}

TEST(RemoteMapping, ShipSelectPicksWithTheDPadsUpAndDown) {
    EXPECT_EQ(keys_for(WIIUSE_BUTTON_UP, 0, STATE_SHIP_SELECT), Keys{GAME_KEY_LEFT});
    EXPECT_EQ(keys_for(WIIUSE_BUTTON_DOWN, 0, STATE_SHIP_SELECT), Keys{GAME_KEY_RIGHT});
    EXPECT_EQ(keys_for(ALL_BUTTONS, ALL_BUTTONS, STATE_SHIP_SELECT),
              (Keys{GAME_KEY_LEFT, GAME_KEY_RIGHT, KEY_ENTER, KEY_ESC}));
    EXPECT_EQ(keys_for(WIIUSE_BUTTON_LEFT | WIIUSE_BUTTON_RIGHT, 0, STATE_SHIP_SELECT), Keys{});
}

TEST(RemoteMapping, QuitOverlayAnswersWithPlusAndMinus) {
    EXPECT_EQ(keys_for(WIIUSE_BUTTON_PLUS, 0, STATE_QUIT_OVERLAY), Keys{'Y'});
    EXPECT_EQ(keys_for(WIIUSE_BUTTON_MINUS, WIIUSE_BUTTON_MINUS, STATE_QUIT_OVERLAY), Keys{'N'});
    EXPECT_EQ(keys_for(ALL_BUTTONS, 0, STATE_QUIT_OVERLAY), (Keys{'Y', 'N'}));
}

TEST(RemoteMapping, StagesActOnlyOnButtonsNewlyDown) {
    for (int state : {int{STATE_NAV1}, int{STATE_NAV2}, 50, 98}) {
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_TWO, 0, state), Keys{KEY_SPACE}) << state;
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_TWO, WIIUSE_BUTTON_TWO, state), Keys{}) << "holding Two fires once";
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_HOME, 0, state), Keys{KEY_ESC});
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_ONE, 0, state), Keys{'G'});
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_PLUS, 0, state), Keys{'F'});
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_B, 0, state), Keys{KEY_ENTER});
        // Two held, B newly pressed: only B acts.
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_TWO | WIIUSE_BUTTON_B, WIIUSE_BUTTON_TWO, state), Keys{KEY_ENTER});
        // Everything pressed at once, in the table's order; the D-pad, A and Minus do nothing.
        EXPECT_EQ(keys_for(ALL_BUTTONS, 0, state),
                  (Keys{KEY_SPACE, KEY_ESC, 'G', 'F', KEY_ENTER}));
        // A release (fewer buttons than before) sends nothing.
        EXPECT_EQ(keys_for(WIIUSE_BUTTON_TWO, WIIUSE_BUTTON_TWO | WIIUSE_BUTTON_ONE, state), Keys{});
    }
}
