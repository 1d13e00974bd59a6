// Requests to end the game from outside it: the window manager's close button,
// the session's or terminal's signals and the display going away. Each ends
// the game exactly as the main menu's quit item does (quit_game: sound closed,
// settings and scores saved, remote let go, exit 0); a game in progress is not
// scored.
#pragma once

constexpr int QUIT_WATCH_INTERVAL_MS = 100;  // how soon a signal is acted on at the latest

// Makes the close button end the toolkit's main loop instead of the process
// (start-up then calls quit_game), starts the watch timer, lets the signals
// reach the toolkit thread and has a lost display save before the exit. Called once by start-up, after the window
// is open, just before the main loop.
void watch_quit_requests();

// Ends the game through quit_game when a quit signal has arrived; otherwise
// does nothing. Called by the idle callback between frames and by the watch
// timer, which keeps running while the window is hidden and the idle callback
// is removed.
void quit_if_signalled();
