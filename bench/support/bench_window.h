// A GL window for benchmarks that draw (800x600 unless asked, the engine's GL state).
#pragma once

// Opens the window once; later calls do nothing. Needs a display (Xvfb).
void open_bench_window(int width = 800, int height = 600);
// Clears the window and draws stripes of colour over it: a picture that is
// not all one colour, for what keeps, scales or filters it to work on.
void draw_some_picture();
