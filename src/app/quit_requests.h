// Ending the game: the main menu's quit item (quit_game: sound closed, settings
// and scores saved, remote and pad let go, exit 0), and the requests from
// outside the game that end it exactly so: the window manager's close button,
// the session's or terminal's signals and the display going away. A game in
// progress is not scored.
#pragma once

constexpr int QUIT_WATCH_INTERVAL_MS = 100;  // how soon a signal is acted on at the latest

// Makes the close button end the toolkit's main loop instead of the process
// (start-up then calls quit_game), starts the watch timer, lets the signals
// reach the toolkit thread and has a lost display save before the exit. Called once by start-up, after the window
// is open, just before the main loop.
void watch_quit_requests();

// The main menu's last item, the window's close button and the quit signals:
// save_and_let_go, then exit 0.
void quit_game();
// What every way of ending the game does before the process ends: give back
// the viewer's settings if a replay plays, close sound, save settings, let go
// of the remote (its poll thread first), the pad and the desktop's screen saver.
// Touches neither the window system nor GL, so it is also safe once the display
// is gone. Called by quit_game and when the display connection is lost.
void save_and_let_go();

// Ends the game through quit_game when a quit signal has arrived; otherwise
// does nothing. Called by the idle callback between frames and by the watch
// timer, which keeps running while the window is hidden and the idle callback
// is removed.
void quit_if_signalled();
