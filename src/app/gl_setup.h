// The engine's single OpenGL state, and the start values it sets once.
#pragma once

// Puts OpenGL into the engine's state and attaches the game to the stage (its
// picture and its events). With first = 1 it also sets the start values of
// the globals, fills the starfield, seeds the game's generator and starts the
// sound back end. Called once by start-up with 1; tests call it with 0 for the GL state.
void gl_setup(int first);

// Asks Mesa's software renderer, when that is what draws the game, to draw on
// the thread that issues the frame instead of handing each frame to worker
// threads: the game's frames are small, and waking and waiting for the workers
// costs more than the drawing they share (about half the processor time of a
// frame). A value the player set in LP_NUM_THREADS stands; other drivers never
// read it. Called by start-up before the window is made.
void prefer_single_threaded_software_renderer();
