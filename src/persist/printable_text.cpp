#include "persist/printable_text.h"

namespace {

// The length of the UTF-8 character at `at` and its code point, or 0 when the
// bytes there are no character (a stray continuation byte, a cut or overlong
// sequence, a surrogate, a code point beyond Unicode).
size_t utf8_character(const unsigned char* at, size_t left, unsigned* code_point) {
    const unsigned first = at[0];
    size_t length;
    unsigned value, lowest;
    if (first < 0x80) return *code_point = first, 1;
    if ((first & 0xe0) == 0xc0) length = 2, value = first & 0x1f, lowest = 0x80;
    else if ((first & 0xf0) == 0xe0) length = 3, value = first & 0x0f, lowest = 0x800;
    else if ((first & 0xf8) == 0xf0) length = 4, value = first & 0x07, lowest = 0x10000;
    else return 0;
    if (length > left) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((at[i] & 0xc0) != 0x80) return 0;
        value = (value << 6) | (at[i] & 0x3f);
    }
    if (value < lowest || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff)) return 0;
    *code_point = value;
    return length;
}

// C0, DEL and C1: a terminal acts on each of them (ESC and CSI start sequences).
bool is_control(unsigned code_point) { return code_point < 0x20 || (code_point >= 0x7f && code_point < 0xa0); }

}  // namespace

std::string printable_text(const std::string& text, size_t max_characters) {
    std::string shown;
    const unsigned char* at = reinterpret_cast<const unsigned char*>(text.data());
    size_t left = text.size();
    for (size_t characters = 0; left > 0 && characters < max_characters; ++characters) {
        unsigned code_point = 0;
        const size_t length = utf8_character(at, left, &code_point);
        if (length == 0 || is_control(code_point))
            shown.push_back(UNPRINTABLE_STAND_IN);
        else
            shown.append(reinterpret_cast<const char*>(at), length);
        const size_t used = length == 0 ? 1 : length;
        at += used;
        left -= used;
    }
    return shown;
}
