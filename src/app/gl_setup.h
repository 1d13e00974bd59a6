// The engine's single OpenGL state, and the start values it sets once.
#pragma once

// Puts OpenGL into the engine's state. With first = 1 it also sets the start
// values of the globals, fills the starfield, seeds rand() and starts the sound
// back end. Called once by start-up with 1; tests call it with 0 for the GL state.
void gl_setup(int first);
