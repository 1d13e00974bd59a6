// The desktop's own screen saver and power manager watch idle time themselves,
// so a game played with a pad or the remote (no keys, no mouse) is blanked in
// the middle of play unless it asks them not to: org.freedesktop.ScreenSaver's
// Inhibit over the session bus, where there is one.
#pragma once

// Asks the desktop to hold its screen saver off; 1 when it agreed (or already
// had), 0 when there is no session bus or nothing on it that answers. Waits
// for the answer at most DESKTOP_ANSWER_LIMIT_MS. Called by
// os_hold_screen_saver.
int os_inhibit_desktop_screen_saver();
// Withdraws that request; nothing when none is held. Touches no window system,
// so it also serves once the display is gone. Called by os_let_screen_saver_run
// and when the game ends.
void os_release_desktop_screen_saver();

constexpr int DESKTOP_ANSWER_LIMIT_MS = 500;
