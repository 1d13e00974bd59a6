// Everything outside the world that a frame or a key may change, listed once:
// the screen-state machine, the menus, the notice line, the settings, the
// stars, the shield flash, the sound ring and the high-score table. The world
// has its own list (stage/world_snapshot.h). The game itself never copies these;
// tests give them their start values before they set what they test, the test
// main remembers them as the process started, and the run digest hashes them.
#pragma once

#include <cstdio>
#include <cstring>

#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/screen_keys.h"
#include "menus/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "render/hud.h"
#include "render/sprites.h"
#include "render/starfield.h"

// Each section names its values by kind (INT for an int, TEXT for a char
// buffer, REAL for a float or double) with the value the game starts with: the
// one its definition holds and start-up leaves (settings: what a missing
// settings.cfg gives). The digest takes every INT of every section in this
// order, then every TEXT, then every REAL, then the table: a section moved or
// a value added changes the recorded digest.

// The screen-state machine (stage/screen_machine.h, app/screen_state.h).
#define SCREEN_VALUES(INT, TEXT, REAL)                                                             \
    INT(screen_state, STATE_LOGO_INTRO) INT(textures_loaded, 0) INT(music_started, 0)             \
    INT(paused_state, 0) TEXT(music_path, "")
// The main menu's and the settings menu's cursors and the settings' restart notice (input/screen_keys.h).
#define MENU_CURSOR_VALUES(INT, TEXT, REAL) INT(menu_cursor, 1) INT(settings_cursor, 1) INT(restart_notice, 0)
// The stage's notice line (render/hud.h).
#define NOTICE_VALUES(INT, TEXT, REAL) INT(message_timer, 0) TEXT(message_text, "")
// The player's settings (persist/settings.h).
#define SETTINGS_VALUES(INT, TEXT, REAL)                                                           \
    INT(sfx, DEFAULT_SFX) INT(music, DEFAULT_MUSIC) INT(sfxvol, DEFAULT_VOLUME) INT(musicvol, DEFAULT_VOLUME) \
    INT(fullscreen, DEFAULT_FULLSCREEN)
// The stars switch (stage/starfield.h).
#define STARFIELD_VALUES(INT, TEXT, REAL) INT(stars_on, 1)
// What the menu screens advance themselves (menus/screens.h).
#define MENU_SCREEN_VALUES(INT, TEXT, REAL)                                                        \
    INT(logo_fade_step, 1) INT(stages_unlocked, 1) REAL(logo_fade, 0.0f) REAL(credits_scroll, 0.0)
// The shield flash the sprites drew last (render/sprites.h).
#define SPRITE_VALUES(INT, TEXT, REAL) INT(shield_flash_side, SIDE_NONE)
// The sound ring's next slot (audio/sound.h).
#define SOUND_VALUES(INT, TEXT, REAL) INT(sound_ring_index, 0)

#define GAME_VALUES(INT, TEXT, REAL)                                                               \
    SCREEN_VALUES(INT, TEXT, REAL) MENU_CURSOR_VALUES(INT, TEXT, REAL) NOTICE_VALUES(INT, TEXT, REAL) \
    SETTINGS_VALUES(INT, TEXT, REAL) STARFIELD_VALUES(INT, TEXT, REAL) MENU_SCREEN_VALUES(INT, TEXT, REAL) \
    SPRITE_VALUES(INT, TEXT, REAL) SOUND_VALUES(INT, TEXT, REAL)
// The high-score table (persist/high_scores.h) is the one record: copied whole,
// and at its start as a missing settings.cfg leaves it (every place 0, "EMPTY",
// no ship).

struct GameValues {
#define GAME_VALUES_FIELD(name, start) decltype(::name) name;
    GAME_VALUES(GAME_VALUES_FIELD, GAME_VALUES_FIELD, GAME_VALUES_FIELD)
#undef GAME_VALUES_FIELD
    decltype(::high_scores) high_scores;
};

inline void save_game_values(GameValues& saved) {
#define GAME_VALUES_SAVE(name, start) memcpy(&saved.name, &::name, sizeof ::name);
    GAME_VALUES(GAME_VALUES_SAVE, GAME_VALUES_SAVE, GAME_VALUES_SAVE)
    GAME_VALUES_SAVE(high_scores, )
#undef GAME_VALUES_SAVE
}

inline void restore_game_values(const GameValues& saved) {
#define GAME_VALUES_RESTORE(name, start) memcpy(&::name, &saved.name, sizeof ::name);
    GAME_VALUES(GAME_VALUES_RESTORE, GAME_VALUES_RESTORE, GAME_VALUES_RESTORE)
    GAME_VALUES_RESTORE(high_scores, )
#undef GAME_VALUES_RESTORE
}

// Every listed value to its start value. Fixtures call it first, then set only
// what their tests need.
inline void set_game_start_values() {
#define GAME_VALUES_START(name, start) ::name = start;
#define GAME_VALUES_START_TEXT(name, start) snprintf(::name, sizeof ::name, "%s", start);
    GAME_VALUES(GAME_VALUES_START, GAME_VALUES_START_TEXT, GAME_VALUES_START)
#undef GAME_VALUES_START
#undef GAME_VALUES_START_TEXT
    reset_high_scores();
}
