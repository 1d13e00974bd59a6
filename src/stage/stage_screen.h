// The stage's screens in the dispatch: a NAV, set up on the first frame of its
// visit, and the quit overlay over the frozen stage.
#pragma once

// One frame of whichever stage screen is up, nothing in any other state: in
// the stage range the state's pictures and set-up on its first frame, its song,
// then its frame; in the quit overlay the paused frame. The state is read once
// for the stage range, so a NAV that ends sets up the next on the next frame,
// and read again for the overlay. Called by the display callback after the
// menu screens, and by anything that steps the game without a window.
void frame_stage_screen();
// The quit overlay's frame: nothing of the stage moves but the HUD panel,
// which slides on, and the stars; only the HUD, the prompt and the stars are
// drawn. Called by frame_stage_screen.
void frame_quit_overlay();
