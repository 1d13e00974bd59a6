// The screen saver and display power saving held off while the game's window
// is shown, as SDL games do: a pad or the remote makes no X input, so without
// this the screen blanks in the middle of a game. Two holds: the X server's
// saver through its screen saver extension, on the game's own connection (the
// server lets go of it when that connection ends, however the game ends), and
// the desktop's (desktop_inhibit.h). SDL's own variable
// SDL_VIDEO_ALLOW_SCREENSAVER=1 lets the saver run for a player who wants it.
#pragma once

// Holds the saver off unless the player allows it; nothing more when already
// held. Called by the visibility callback when the window shows.
void os_hold_screen_saver();
// Lets the saver run again; nothing when not held. Called by the visibility
// callback when the window is hidden. (The game's ends let go of the
// desktop's hold themselves: os_release_desktop_screen_saver.)
void os_let_screen_saver_run();
