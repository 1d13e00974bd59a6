// Each screen's key routine, one file per screen (src/input/<screen>_keys.cpp),
// and the state a screen's keys move and its drawing (src/menus) shows. Every
// routine takes a game key (stage/game_keys.h) and is called by key_pressed
// while its screen is up; keys a screen has no use for do nothing.
#pragma once

// ---- Logo intro (logo_intro_keys.cpp) ----
// Esc skips the intro.
void logo_intro_key(int key);

// ---- Main menu (main_menu_keys.cpp) ----
constexpr int MAIN_MENU_ITEMS = 6;  // items 1..6 top to bottom; the last one leaves the game
extern int menu_cursor;             // the item pointed at, 1..MAIN_MENU_ITEMS
// Up and Down move the pointer round; Enter opens the item's screen or quits.
void main_menu_key(int key);

// ---- Settings menu (settings_menu_keys.cpp) ----
// The settings menu's rows, top to bottom.
enum SettingsRow {
    SETTINGS_SOUND = 1,
    SETTINGS_MUSIC,
    SETTINGS_SOUND_VOLUME,
    SETTINGS_MUSIC_VOLUME,
    SETTINGS_DISPLAY_MODE,
    SETTINGS_CONTROLS,
};
constexpr int SETTINGS_ROWS = SETTINGS_CONTROLS;
extern int settings_cursor;  // the row pointed at, 1..SETTINGS_ROWS
extern int restart_notice;   // 1 once the display mode was switched this run
// Up and Down move the pointer round; Enter switches or steps the row's value
// (or opens the controls); Esc goes back to the main menu.
void settings_menu_key(int key);

// ---- Controls picture (controls_screen_keys.cpp) ----
// Esc goes back to the settings menu.
void controls_screen_key(int key);

// ---- Stage select (stage_select_keys.cpp) ----
// Enter goes on to the ship select, Esc back; Up and Down only click.
void stage_select_key(int key);

// ---- High scores (high_score_screen_keys.cpp) ----
// 1..9 and 0 play that place's replay, L the last game's; Esc goes back to the main menu.
void high_score_screen_key(int key);

// ---- Credits (credits_keys.cpp) ----
// Esc goes back to the main menu and its song.
void credits_key(int key);

// ---- Ship select (ship_select_keys.cpp) ----
// Left and Right pick the ship; Enter starts NAV 1; Esc goes back.
void ship_select_key(int key);

// ---- Stage play (stage_keys.cpp) ----
// The keys that act on the world (fire, guns, pause, restart after a loss, the
// arrows that steer: stage/stage_controls.h), and the sound and star switches.
// The quit overlay's keys are the stage's own (stage_screen_key).
void stage_key(int key);
