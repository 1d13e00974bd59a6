// The toolkit's bitmap fonts hold Latin-1's letters, one byte each; the texts
// the game draws are UTF-8 (profile names as the desktop typed them, names
// read from the table or a replay). This reads a UTF-8 text one drawn
// character at a time.
#pragma once

// The font code of the character at `*text` (which must not be at its end),
// and `*text` moved past it: a character Latin-1 has (U+0000 to U+007F, and
// U+00A0 to U+00FF: ä, é, ñ, ø, ß and the rest) as itself; any other
// character, one the fonts lack, as one '?'; and each byte that does not
// belong to a well-formed sequence (a stray or cut-off piece, an over-long or
// surrogate form) as a '?' of its own. Never reads past the text's end.
// Called by draw_text for what it draws and what it measures.
unsigned char next_latin1_character(const char** text);
