// Full screen on a display that cannot switch to 800x600 (most monitors and
// every virtual display): the game still draws its 800x600 picture, into the
// bottom-left corner of a full-screen window, and then stretches it over the
// largest 4:3 area of the window, centred between black bars. Bitmap text,
// point sizes and line widths are in pixels and cannot be scaled by GL state;
// scaling the finished picture makes them all grow together. The 800x600
// window draws exactly as before and pays one test per frame.
#pragma once

// Where the picture lands in the window, in window pixels, origin bottom-left.
struct PictureArea {
    int x, y, width, height;
};

extern int picture_scaled;  // 1: full-screen window, picture scaled; 0: 800x600 window or game mode
extern int scaled_window_width, scaled_window_height;  // the full-screen window, as last reported

// The largest 4:3 area of a window of that size, centred (left-over pixels of
// an odd margin go to the right and the top).
PictureArea picture_area(int window_width, int window_height);

// Turns on the scaled picture for the current window (made full-screen by
// the caller): makes the frame texture and follows the window's size.
// Called by open_display once the window exists.
void start_scaled_picture();

// Frame start. Window: holds it at 800x600 (the engine never handles a
// resize). Scaled: aims the drawing at the window's bottom-left 800x600.
// Called by display_callback before anything is drawn.
void begin_picture();

// Frame end, before the swap. Scaled: copies the drawn picture into the frame
// texture and stretches it over picture_area between black bars, leaving the
// GL state as the frame had it. Window: nothing. Called by display_callback.
void finish_picture();
