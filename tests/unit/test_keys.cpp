// The menu screens' keys: cursors, choices, settings items and the way back.
#include <gtest/gtest.h>

#include <string>

#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/keys.h"
#include "input/screen_keys.h"
#include "menus/screens.h"
#include "persist/settings.h"
#include "stage/world.h"
#include "support/screen_start.h"

namespace {

struct MenuKeysTest : testing::Test {
    void SetUp() override {
        start_on_screen(STATE_MAIN_MENU);
        selected_ship = 0;
    }

    static void press(unsigned char key) { keyboard_callback(key, 0, 0); }
    static void press_special(int key) { special_callback(key, 0, 0); }

    // Effects played by `action`, counted by the sound ring's advance (fewer than eight).
    template <typename Action>
    static int clicks(Action action) {
        int before = sound_ring_index;
        action();
        return (sound_ring_index - before + SOUND_RING_SIZE) % SOUND_RING_SIZE;
    }
};

}  // namespace

TEST_F(MenuKeysTest, MainMenuCursorWrapsAtBothEndsAndClicksEachMove) {
    EXPECT_EQ(clicks([] { press_special(SPECIAL_UP); }), 1);
    EXPECT_EQ(menu_cursor, 6);
    EXPECT_EQ(clicks([] { press_special(SPECIAL_DOWN); }), 1);
    EXPECT_EQ(menu_cursor, 1);
    for (int i = 0; i < 4; ++i) press_special(SPECIAL_DOWN);
    EXPECT_EQ(menu_cursor, 5);

    EXPECT_EQ(clicks([] {
                  press_special(SPECIAL_LEFT);
                  press_special(SPECIAL_F5);
                  press('g');
                  press(KEY_ESC);
                  press(KEY_SPACE);
              }),
              0);
    EXPECT_EQ(menu_cursor, 5);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(sfx, 1);
}

TEST_F(MenuKeysTest, MainMenuItemsLeadToTheirScreensWithAConfirmingClick) {
    const int screens[] = {0, STATE_SHIP_SELECT, STATE_STAGE_SELECT, STATE_SETTINGS, STATE_HIGH_SCORES,
                           STATE_CREDITS};
    for (int item = 1; item <= 5; ++item) {
        SCOPED_TRACE(testing::Message() << "item " << item);
        SetUp();
        menu_cursor = item;
        EXPECT_EQ(clicks([] { press(KEY_ENTER); }), 1) << "item " << item;
        EXPECT_EQ(screen_state, screens[item]);
        EXPECT_EQ(textures_loaded, 0);
        EXPECT_EQ(music_started, item == 5 ? 0 : 1) << "only the credits bring their own song";
    }
}

TEST_F(MenuKeysTest, SettingsCursorWrapsAtBothEnds) {
    screen_state = STATE_SETTINGS;
    EXPECT_EQ(clicks([] { press_special(SPECIAL_UP); }), 1);
    EXPECT_EQ(settings_cursor, 6);
    press_special(SPECIAL_DOWN);
    EXPECT_EQ(settings_cursor, 1);
    press_special(SPECIAL_DOWN);
    EXPECT_EQ(settings_cursor, 2);
    EXPECT_EQ(menu_cursor, 1) << "the main menu's cursor is its own";
}

TEST_F(MenuKeysTest, SoundItemClicksOnlyWhenItSwitchesSoundOn) {
    screen_state = STATE_SETTINGS;
    EXPECT_EQ(clicks([] { press(KEY_ENTER); }), 0);
    EXPECT_EQ(sfx, 0);
    EXPECT_EQ(clicks([] { press(KEY_ENTER); }), 1);
    EXPECT_EQ(sfx, 1);

    sfx = 4;  // a value from a hand-edited file counts as on
    press(KEY_ENTER);
    EXPECT_EQ(sfx, 0);
}

TEST_F(MenuKeysTest, MusicItemTogglesMusicWithAClickEitherWay) {
    screen_state = STATE_SETTINGS;
    settings_cursor = 2;
    EXPECT_EQ(clicks([] { press(KEY_ENTER); }), 1);
    EXPECT_EQ(music, 0);
    EXPECT_EQ(clicks([] { press(KEY_ENTER); }), 1);
    EXPECT_EQ(music, 1);
}

TEST_F(MenuKeysTest, VolumeItemsStepUpFrom1To9AndWrapTo1) {
    screen_state = STATE_SETTINGS;
    settings_cursor = 3;
    sfxvol = 1;
    for (int expected = 2; expected <= 9; ++expected) {
        SCOPED_TRACE(testing::Message() << "volume step " << expected);
        EXPECT_EQ(clicks([] { press(KEY_ENTER); }), 1);
        EXPECT_EQ(sfxvol, expected);
    }
    press(KEY_ENTER);
    EXPECT_EQ(sfxvol, 1);

    settings_cursor = 4;
    musicvol = 8;
    EXPECT_EQ(clicks([] { press(KEY_ENTER); }), 0) << "the music volume item does not click";
    EXPECT_EQ(musicvol, 9);
    press(KEY_ENTER);
    EXPECT_EQ(musicvol, 1);
    EXPECT_EQ(sfxvol, 1);
}

TEST_F(MenuKeysTest, DisplayModeItemTogglesFullscreenAndAsksForARestart) {
    screen_state = STATE_SETTINGS;
    settings_cursor = 5;
    EXPECT_EQ(clicks([] { press(KEY_ENTER); }), 1);
    EXPECT_EQ(fullscreen, 1);
    EXPECT_EQ(restart_notice, 1);
    press(KEY_ENTER);
    EXPECT_EQ(fullscreen, 0);
    fullscreen = 3;  // anything but 1 counts as off
    press(KEY_ENTER);
    EXPECT_EQ(fullscreen, 1);
}

TEST_F(MenuKeysTest, ControlsScreenOpensFromItem6AndEscWalksBackToTheMainMenu) {
    screen_state = STATE_SETTINGS;
    settings_cursor = 6;
    credits_scroll = 0.5;
    EXPECT_EQ(clicks([] { press(KEY_ENTER); }), 1);
    EXPECT_EQ(screen_state, STATE_CONTROLS);
    EXPECT_EQ(textures_loaded, 0);

    textures_loaded = 1;
    press(KEY_ENTER);  // only Esc does anything here
    EXPECT_EQ(screen_state, STATE_CONTROLS);
    EXPECT_EQ(clicks([] { press(KEY_ESC); }), 1);
    EXPECT_EQ(screen_state, STATE_SETTINGS);
    EXPECT_EQ(textures_loaded, 0);

    EXPECT_EQ(clicks([] { press(KEY_ESC); }), 1);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(credits_scroll, 0.0);
    EXPECT_EQ(music_started, 1) << "the menu song plays on";
}

TEST_F(MenuKeysTest, EscReturnsToTheMainMenuAndOnlyTheCreditsRestartItsSong) {
    for (int state : {STATE_SHIP_SELECT, STATE_STAGE_SELECT, STATE_HIGH_SCORES, STATE_CREDITS}) {
        SCOPED_TRACE(testing::Message() << "state " << state);
        SetUp();
        screen_state = state;
        credits_scroll = 0.7;
        EXPECT_EQ(clicks([] { press(KEY_ESC); }), 1) << "state " << state;
        EXPECT_EQ(screen_state, STATE_MAIN_MENU);
        EXPECT_EQ(textures_loaded, 0);
        EXPECT_EQ(credits_scroll, 0.0);
        EXPECT_EQ(music_started, state == STATE_CREDITS ? 0 : 1) << "state " << state;
    }
}

TEST_F(MenuKeysTest, StageSelectCursorKeysOnlyClickAndEnterGoesToShipSelect) {
    screen_state = STATE_STAGE_SELECT;
    EXPECT_EQ(clicks([] {
                  press_special(SPECIAL_UP);
                  press_special(SPECIAL_DOWN);
              }),
              2);
    EXPECT_EQ(screen_state, STATE_STAGE_SELECT);
    EXPECT_EQ(menu_cursor, 1);
    EXPECT_EQ(clicks([] { press(KEY_ENTER); }), 1);
    EXPECT_EQ(screen_state, STATE_SHIP_SELECT) << "one key, one screen: not on to the stage";
    EXPECT_EQ(textures_loaded, 0);
}

TEST_F(MenuKeysTest, ShipSelectWrapsAndEnterStartsNav1WithFreshPicturesAndSong) {
    screen_state = STATE_SHIP_SELECT;
    EXPECT_EQ(clicks([] { press_special(SPECIAL_LEFT); }), 1);
    EXPECT_EQ(selected_ship, 2);
    press_special(SPECIAL_RIGHT);
    EXPECT_EQ(selected_ship, 0);
    press_special(SPECIAL_RIGHT);
    press_special(SPECIAL_RIGHT);
    EXPECT_EQ(selected_ship, 2);
    press_special(SPECIAL_RIGHT);
    EXPECT_EQ(selected_ship, 0);
    press_special(SPECIAL_UP);
    EXPECT_EQ(selected_ship, 0);

    EXPECT_EQ(clicks([] { press(KEY_ENTER); }), 1);
    EXPECT_EQ(screen_state, STATE_NAV1);
    EXPECT_EQ(textures_loaded, 0);
    EXPECT_EQ(music_started, 0);
}

TEST_F(MenuKeysTest, EscSkipsTheLogoIntroWithoutAClick) {
    screen_state = STATE_LOGO_INTRO;
    EXPECT_EQ(clicks([] {
                  press(KEY_ENTER);
                  press_special(SPECIAL_DOWN);
              }),
              0);
    EXPECT_EQ(screen_state, STATE_LOGO_INTRO);
    EXPECT_EQ(menu_cursor, 1);

    EXPECT_EQ(clicks([] { press(KEY_ESC); }), 0);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(music_started, 0) << "the main menu starts its song";
}
