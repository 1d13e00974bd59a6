// Bitmap text with the toolkit's fonts.
#pragma once

// Draws `text` with its baseline starting at (x, y) in `font`, in the colour
// current at the call. A start outside the screen draws nothing.
void draw_text(float x, float y, void* font, const char* text);
