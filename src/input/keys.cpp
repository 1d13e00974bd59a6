#include "input/keys.h"

int menu_cursor = 1;
int settings_cursor = 1;
int restart_notice = 0;
char message_text[MESSAGE_TEXT_SIZE] = "";
int message_timer = 0;

// Not built yet: the keyboard issue fills these in.
void keyboard_callback(unsigned char, int, int) {}
void special_callback(int, int, int) {}
void special_up_callback(int, int, int) {}
void quit_game() {}
