// The Wii Remote link: run-time library loader, connection, poll thread and the
// operations other parts use. Every operation is skipped while the library is
// not loaded, so the game runs from the keyboard alone.
#pragma once

// Loads the remote library, finds and connects one remote; 0 on success, -1 on
// any failure (with its message). Called once by start-up.
int connect_wiimote();
// Body of the poll thread started by start-up when connect_wiimote returned 0.
void poll_thread();
// Applies the remote reports queued by the poll thread, on the toolkit's thread,
// before the next frame. Called by the idle callback.
void apply_remote_events();

int wiiuse_loaded();                   // 1 while the library is loaded
void wiimote_motion_sensing(int on);   // start / end of a game
void wiimote_set_leds(int mask);       // 144 lights LEDs 1 and 4
void wiimote_rumble(int on);
void wiimote_disconnect_and_unload();  // quit

constexpr int WIIMOTE_LEDS_1_AND_4 = 144;
