#include "stage/game_keys.h"

const char* const CLICK_CURSOR = "./sfx/sfx_gun_2.wav";
const char* const CLICK_CONFIRM = "./sfx/sfx_gun_5.wav";

int game_key_of_character(unsigned char character) {
    return (character >= 'a' && character <= 'z') ? character - 'a' + 'A' : character;
}

int game_key_of_special(int toolkit_code) {
    if (toolkit_code < 0 || toolkit_code >= GAME_KEY_SPECIAL_LIMIT) return GAME_KEY_NONE;
    return GAME_KEY_SPECIAL_BASE + toolkit_code;
}

int is_special_game_key(int key) { return key >= GAME_KEY_SPECIAL_BASE ? 1 : 0; }

int special_of_game_key(int key) { return key - GAME_KEY_SPECIAL_BASE; }
