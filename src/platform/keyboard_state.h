// The keyboard as the X server holds it. A key let go while another window
// has the keyboard (Alt+Tab with an arrow held) sends its release to that
// window: the game never hears it, and would hold the key down until it is
// tapped again. Asking the server which keys are down tells.
#pragma once

// Reads which keys are down now, for os_special_key_up. 0 when there is no
// display to ask, or when a key press or release is already on its way to the
// toolkit: that report comes first, and the reading may predate it. Called by
// release_keys_let_go_elsewhere before each frame while the keyboard holds an
// arrow.
int os_read_keyboard();
// After os_read_keyboard returned 1: 1 when the toolkit special key `code` (an
// arrow, on the main keys or the keypad) is up, 0 when down or not an arrow.
int os_special_key_up(int code);
