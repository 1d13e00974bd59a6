// The game's one key space. The toolkit reports keys in two code spaces (a
// character, or a special key such as an arrow or F5); the toolkit callbacks
// translate both into one game key, so each screen reads one code and a device
// names any key as one int.
//
// A character is its own code, with letters in upper case (a letter acts in
// either case). A special key is GAME_KEY_SPECIAL_BASE plus the toolkit's code.
#pragma once

// Keyboard characters the screens act on.
enum { KEY_ENTER = 13, KEY_ESC = 27, KEY_SPACE = 32 };

// The toolkit's special-key codes the game acts on, as special_callback and
// special_up_callback receive them (and as replay files store them).
enum {
    SPECIAL_F5 = 5, SPECIAL_F6 = 6, SPECIAL_F7 = 7, SPECIAL_F8 = 8, SPECIAL_F12 = 12,
    SPECIAL_LEFT = 100, SPECIAL_UP = 101, SPECIAL_RIGHT = 102, SPECIAL_DOWN = 103,
};

constexpr int GAME_KEY_SPECIAL_BASE = 256;  // above every character
constexpr int GAME_KEY_SPECIAL_LIMIT = 256;  // toolkit codes 0..255 have a game key
constexpr int GAME_KEY_NONE = -1;            // a toolkit code outside that range: no screen acts on it

enum {
    GAME_KEY_F5 = GAME_KEY_SPECIAL_BASE + SPECIAL_F5,
    GAME_KEY_F6 = GAME_KEY_SPECIAL_BASE + SPECIAL_F6,
    GAME_KEY_F7 = GAME_KEY_SPECIAL_BASE + SPECIAL_F7,
    GAME_KEY_F8 = GAME_KEY_SPECIAL_BASE + SPECIAL_F8,
    GAME_KEY_F12 = GAME_KEY_SPECIAL_BASE + SPECIAL_F12,
    GAME_KEY_LEFT = GAME_KEY_SPECIAL_BASE + SPECIAL_LEFT,
    GAME_KEY_UP = GAME_KEY_SPECIAL_BASE + SPECIAL_UP,
    GAME_KEY_RIGHT = GAME_KEY_SPECIAL_BASE + SPECIAL_RIGHT,
    GAME_KEY_DOWN = GAME_KEY_SPECIAL_BASE + SPECIAL_DOWN,
};

// Moving a cursor clicks softly; confirming or going back clicks harder.
extern const char* const CLICK_CURSOR;
extern const char* const CLICK_CONFIRM;

// The game key of a character from keyboard_callback.
int game_key_of_character(unsigned char character);
// The game key of a special key from special_callback or special_up_callback.
int game_key_of_special(int toolkit_code);
// 1 for a game key that came from a special key, whose toolkit code
// special_of_game_key gives back; 0 for a character (or GAME_KEY_NONE).
int is_special_game_key(int key);
int special_of_game_key(int key);
