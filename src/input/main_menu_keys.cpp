#include "app/quit_requests.h"
#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/screen_keys.h"
#include "input/shared_keys.h"
#include "stage/game_keys.h"

int menu_cursor = 1;

constexpr int MAIN_MENU_QUIT = MAIN_MENU_ITEMS;  // the last item leaves the game

static void choose_item() {
    // The screen behind each of items 1..5 (index 0 unused).
    static const int ITEM_SCREENS[MAIN_MENU_QUIT] = {0, STATE_SHIP_SELECT, STATE_STAGE_SELECT,
                                                     STATE_SETTINGS, STATE_HIGH_SCORES, STATE_CREDITS};
    if (menu_cursor < 1 || menu_cursor > MAIN_MENU_QUIT) return;
    if (menu_cursor == MAIN_MENU_QUIT) {
        quit_game();  // does not return
        return;
    }
    play_sound(CLICK_CONFIRM);
    const int next = ITEM_SCREENS[menu_cursor];
    // The credits have their own song.
    enter_screen(next, next == STATE_CREDITS ? FRESH_TEXTURES | FRESH_MUSIC : FRESH_TEXTURES);
}

void main_menu_key(int key) {
    if (key == GAME_KEY_UP || key == GAME_KEY_DOWN) {
        menu_cursor = wrap_step(menu_cursor, key == GAME_KEY_UP ? -1 : 1, 1, MAIN_MENU_ITEMS);
        play_sound(CLICK_CURSOR);
    } else if (key == KEY_ENTER) {
        choose_item();
    }
}
