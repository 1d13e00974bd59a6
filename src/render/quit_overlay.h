// The quit prompt over a frozen stage (state 99): the HUD, the question and
// the falling stars; the stage itself is neither moved nor drawn.
#pragma once

// One frame of the prompt. Called by the display dispatch while screen_state is 99.
void draw_quit_overlay();
