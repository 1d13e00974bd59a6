#include "render/latin1_text.h"

constexpr unsigned char NOT_IN_FONT = '?';
// U+0080 to U+009F are control codes in Latin-1: the fonts have nothing to draw for them.
constexpr unsigned FIRST_DRAWN_ABOVE_ASCII = 0xA0;
constexpr unsigned LAST_LATIN1 = 0xFF;

// A well-formed sequence's lead byte: how many bytes the sequence takes and
// the bits of the character it holds; 0 for a byte that cannot lead one (a
// continuation byte, the over-long leads 0xC0 and 0xC1, and 0xF5 and above).
static int sequence_length(unsigned char lead, unsigned* bits) {
    if (lead >= 0xC2 && lead <= 0xDF) return *bits = lead & 0x1F, 2;
    if (lead >= 0xE0 && lead <= 0xEF) return *bits = lead & 0x0F, 3;
    if (lead >= 0xF0 && lead <= 0xF4) return *bits = lead & 0x07, 4;
    return 0;
}

unsigned char next_latin1_character(const char** text) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(*text);
    if (bytes[0] < 0x80) {
        ++*text;
        return bytes[0];
    }
    unsigned code = 0;
    const int length = sequence_length(bytes[0], &code);
    // The smallest character each length may hold: anything less is an over-long form.
    static const unsigned SMALLEST[5] = {0, 0, 0x80, 0x800, 0x10000};
    bool well_formed = length > 0;
    // A continuation byte is 10xxxxxx; the text's end (0) is none, so this stops there.
    for (int i = 1; well_formed && i < length; ++i) {
        well_formed = (bytes[i] & 0xC0) == 0x80;
        code = code << 6 | (bytes[i] & 0x3F);
    }
    if (well_formed) well_formed = code >= SMALLEST[length] && !(code >= 0xD800 && code <= 0xDFFF) && code <= 0x10FFFF;
    if (!well_formed) {
        ++*text;  // this byte alone: whatever follows is read afresh
        return NOT_IN_FONT;
    }
    *text += length;
    return code >= FIRST_DRAWN_ABOVE_ASCII && code <= LAST_LATIN1 ? static_cast<unsigned char>(code) : NOT_IN_FONT;
}
