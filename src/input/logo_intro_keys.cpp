#include "stage/game_keys.h"
#include "input/screen_keys.h"
#include "menus/screens.h"

void logo_intro_key(int key) {
    if (key == KEY_ESC) end_logo_intro();
}
