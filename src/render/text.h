// Bitmap text with the toolkit's fonts.
#pragma once

// Draws `text` with its baseline starting at (x, y) in `font`, in the colour
// current at the call. A start outside the screen draws nothing. The text is
// UTF-8: Latin-1's letters show as themselves, any other character as one '?'
// (render/latin1_text.h).
void draw_text(float x, float y, void* font, const char* text);
