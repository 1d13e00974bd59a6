// The display connection going away under the game: the X server ends at
// logout, or a remote display drops. Xlib's own answer is to exit with status
// 1 on the spot, which would lose everything the run changed.
#pragma once

// From now on a lost display connection runs `save` (which must touch neither
// the window system nor GL: the connection is gone) and then ends the process
// with status 0, skipping the exit handlers, which would talk to the dead
// server again. Called once by start-up, after the window is open.
void os_on_display_loss(void (*save)());
