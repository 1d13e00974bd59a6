// A gamepad plays the game through the key handlers, as the keyboard and the
// remote do: on each screen its buttons stand for the keys of that screen, its
// D-pad for the arrow keys, and in a stage its left stick steers like the
// remote's tilt, faster the further it is pushed.
#pragma once

// The pad descriptions a player may put beside the engine (SDL's text format),
// for pads SDL does not know by itself.
constexpr const char* GAMEPAD_MAPPING_FILE = "./gamecontrollerdb.txt";

// Share of the stick's travel around the centre that counts as resting: a worn
// stick never sits exactly at 0, and the ship must not drift.
constexpr double STICK_DEAD_ZONE = 0.2;
// In the menus the stick moves a cursor only when pushed this far, and must come
// back into the dead zone before it moves it again.
constexpr double STICK_MENU_PUSH = 0.5;

// Rumble: a short pulse for a hit on the hull, a long full one for the end.
constexpr double RUMBLE_HULL_HIT_STRENGTH = 0.5;
constexpr int RUMBLE_HULL_HIT_MS = 150;
constexpr double RUMBLE_DESTROYED_STRENGTH = 1.0;
constexpr int RUMBLE_DESTROYED_MS = 700;

// Reads the pad and turns what changed into key-handler calls; reports a pad
// plugged in or pulled out on the console. The first call starts the pad layer.
// Called by the idle callback between frames.
void poll_gamepads();

// Rumble of the pad in use, if it has motors. Called by the damage rule when
// the hull takes a hit, and by the destruction sequence when it starts.
// Each pulse stops at its end, polled or not.
void gamepad_rumble_hull_hit();
void gamepad_rumble_destroyed();

// The game keys the buttons that went down in one poll stand for, in table
// order, by the screen state the poll starts in (and, in a stage, whether the
// fighter is lost: then fire's button starts the next game). A button acts
// only in the poll in which it goes down. Writes at most MAX_PAD_KEYS; returns
// the count. Called by poll_gamepads.
constexpr int MAX_PAD_KEYS = 4;
int pad_keys_for_buttons(unsigned went_down, int state, int fighter_destroyed, int keys[MAX_PAD_KEYS]);
// The replay controls' keys of the buttons in `changed` (those that went down,
// or those let go of), in table order; while a replay plays these stand in for
// the screen's. Returns the count. Called by poll_gamepads.
int pad_replay_keys(unsigned changed, int keys[MAX_PAD_KEYS]);

// 1 while a pad is in use. Called by the controls screen's texture set, which
// shows a pad player the pad's layout.
int gamepad_connected();
// Stops the motors and lets go of the pad. Called by quit.
void close_gamepad();
