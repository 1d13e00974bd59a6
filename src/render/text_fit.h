// Cutting a line of bitmap text to the room it has on screen.
#pragma once

#include <string>

// As much of `text` as `font` draws within `pixels`, cut before a whole
// character: a UTF-8 character is kept or dropped whole (measured by its
// bytes, which never draw narrower than the character). Called by the texts
// that show what a stranger's file holds.
std::string text_fitting(const std::string& text, void* font, int pixels);
