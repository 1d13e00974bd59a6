// The Wii Remote link: run-time library loader, connection, poll thread and the
// operations other parts use. Every operation is skipped while the library is
// not loaded, so the game runs from the keyboard alone.
//
// Threads: the poll thread only polls; the library's callbacks queue copies of
// the remote's reports, and the toolkit's thread applies them between frames
// (apply_remote_events), so a remote event never runs while a frame does and
// quitting always happens on the toolkit's thread.
#pragma once

#include "input/wiiuse_api.h"

// The remote library beside the engine, and the text of the message that names it.
constexpr const char* WIIUSE_LIBRARY_FILE = "./wiiuse.so";
constexpr const char* WIIUSE_LIBRARY_NAME = "wiiuse.so";
// The library our wiiuse.so is built on, and the Debian package that brings it:
// a failure to load that names the one names the other.
constexpr const char* WIIUSE_NEEDS_LIBRARY = "libxwiimote.so";
constexpr const char* WIIUSE_NEEDS_PACKAGE = "libxwiimote2";

constexpr int WIIMOTE_LEDS_1_AND_4 = WIIUSE_LED_1 | WIIUSE_LED_4;  // 144
constexpr int WIIMOTE_FIND_TIMEOUT_SECONDS = 5;
constexpr int WIIMOTE_RUMBLE_GREETING_MS = 200;  // the buzz that says "connected"

extern void* wiiuse_module;        // the loaded library, or nullptr
extern wiiuse_api* wiiuse_record;  // the loaded library's record, or nullptr
// Copies of the record's operations in slot order; all empty while not loaded.
extern wiiuse_operation wiiuse_operations[WIIUSE_OPERATION_COUNT];
extern wiiuse_remote** wiimote;    // the library's remote array (one remote), or nullptr

// Loads the library `file`, checks its API version and copies its operations.
// Returns its version text, or nullptr (with the library unloaded again).
// Called by connect_wiimote; returns at once when a library is already loaded.
const char* load_wiiuse(const char* file);
// Releases the library and clears the record pointer and the operation copies.
// Called by load_wiiuse on a library it rejects and at quit.
void unload_wiiuse();

// Loads the remote library, finds and connects one remote; 0 on success, -1 on
// any failure (with its message). Called once by start-up.
int connect_wiimote();
// Body of the poll thread started by start-up when connect_wiimote returned 0:
// polls until wiimote_disconnect_and_unload asks it to stop.
void poll_thread();
// One poll of the remote (the poll thread's loop body); tests call it directly.
void wiimote_poll_once();
// Applies the remote reports queued by the poll thread, on the toolkit's thread,
// before the next frame. Called by the idle callback.
void apply_remote_events();

int wiiuse_loaded();                   // 1 while the library is loaded
int wiimote_polling();                 // 1 while the poll thread reads a connected remote
void wiimote_motion_sensing(int on);   // start (1) / end (0) of a game
void wiimote_set_leds(int mask);       // WIIMOTE_LEDS_1_AND_4 at every game set-up
void wiimote_rumble(int on);
// Quit: stops the poll thread, disconnects the remote and unloads the library.
void wiimote_disconnect_and_unload();
