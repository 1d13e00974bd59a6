// settings.cfg: the player's settings and the high-score table. Read once at
// start-up, written once on the way out (the main menu's quit item, the
// window's close button, a quit signal or a lost display).
#pragma once

#include <cstdint>

extern int fullscreen;  // non-zero: start full screen
extern int sfx;         // 1: effects are played
extern int music;       // 1: music is played
extern int sfxvol;      // effect volume step 1..9
extern int musicvol;    // music volume step 1..9

// What the settings are before settings.cfg is read, and stay without one.
constexpr int DEFAULT_FULLSCREEN = 0;
constexpr int DEFAULT_SFX = 1;
constexpr int DEFAULT_MUSIC = 1;
constexpr int DEFAULT_VOLUME = 5;

extern const char* const SETTINGS_FILE;  // "settings.cfg", in the working directory

// Defaults, then the file if there is one, then the checksum test: a table
// that does not match its checksum is reset (the settings read stay).
// Called once by start-up before the window opens.
void load_settings();
// Rewrites the whole file from the settings and the table, the table first
// merged with what the file holds by then (another copy of the game may have
// saved since: persist/score_merge.h), under a lock beside the file; then the
// replays of entries no longer in the table go. The old file is replaced only
// once the new one is complete; a save that fails keeps it and says why on the
// console. Through a link, the file it points to is replaced and the link stays.
// Called by save_and_let_go (the quit item, the close button, a quit signal, a
// lost display), so it touches no window or GL and waits for the lock only briefly.
void save_settings();
// 4 x (places 1..5) + 5 x (places 6..10), wrapping 32-bit arithmetic.
// Called by load_settings and save_settings.
int32_t score_checksum();
