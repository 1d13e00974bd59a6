#include "input/wiimote.h"

// Not built yet: the Wii Remote issue fills these in. Until then there is no
// remote, and the game runs from the keyboard.
int connect_wiimote() { return -1; }
void poll_thread() {}
void apply_remote_events() {}
int wiiuse_loaded() { return 0; }
void wiimote_motion_sensing(int) {}
void wiimote_set_leds(int) {}
void wiimote_rumble(int) {}
void wiimote_disconnect_and_unload() {}
