// The screen-state machine's state: which screen each frame shows, and the
// flags that make a state's pictures and song load once per visit. It lives
// with the simulation because the stage's own rules move it (the pause, NAV 2
// after NAV 1, the end of a game) and read it (NAV 2's rock lanes, the stars
// switch), with or without a window; app/screen_state.h dispatches on it.
#pragma once

// Screen state codes. Only the two NAVs have a set-up and a frame; the ranges
// below are what input and the starfield test, never the single values.
enum {
    STATE_LOGO_INTRO = -1,
    STATE_MAIN_MENU = 0,
    STATE_SHIP_SELECT = 1,
    STATE_NAV1 = 2,
    STATE_NAV2 = 3,
    STATE_QUIT_OVERLAY = 99,
    STATE_SETTINGS = 100,
    STATE_STAGE_SELECT = 101,
    STATE_CREDITS = 102,
    STATE_HIGH_SCORES = 103,
    STATE_CONTROLS = 104,
};

// Stage play for the key handlers and the display callback: 2..98.
inline bool in_stage_range(int state) { return state >= STATE_NAV1 && state < STATE_QUIT_OVERLAY; }
// Stage play or beyond (2 and up): where the remote's tilt steers.
inline bool in_tilt_range(int state) { return state >= STATE_NAV1; }
// Stage play and its quit overlay (2..99): where the stars switch applies.
inline bool in_stars_switch_range(int state) { return state >= STATE_NAV1 && state <= STATE_QUIT_OVERLAY; }

extern int screen_state;     // current screen or stage; -1 at start-up
extern int textures_loaded;  // 1 once the current state's texture set is loaded
extern int music_started;    // 1 once the current state's music was started
extern int paused_state;     // stage state to return to from the quit overlay

// What a new visit of a screen does again on its first frame.
enum { FRESH_NOTHING = 0, FRESH_TEXTURES = 1, FRESH_MUSIC = 2 };
// The one way screen_state changes: moves to `state`, clearing textures_loaded
// and music_started as `fresh` asks, so the state loads its pictures and starts
// its song again. Called by the key handlers, the intro, the fly-out and reset_game.
void enter_screen(int state, int fresh);
