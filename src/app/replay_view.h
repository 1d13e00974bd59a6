// What a playing replay shows on top of its game: the caption (REPLAY, the
// pilot, 4x or PAUSED), a thin bar of how much of the game has played, the
// keys, where it parted from its recording, and at its end the verdict. A
// paused replay and its verdict show the last picture of its game again, so
// the world stands still however often the window is drawn.
#pragma once

// Called by display_callback at the end of each frame of a replayed game:
// keeps the frame's picture for a pause, then draws the replay's texts over
// it (or, once the game ended in this frame, its last picture and verdict).
void draw_replay_view();

// One whole display frame while the replay holds its picture (paused, or its
// verdict): that picture and the texts, no frame of the game. Called by
// display_callback in place of the frame when replay_holds_picture().
void show_held_replay_picture();
