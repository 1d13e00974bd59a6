#include "render/text_fit.h"

#include <GL/freeglut.h>

std::string text_fitting(const std::string& text, void* font, int pixels) {
    int used = 0;
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xc0) == 0x80) ++next;
        for (size_t i = end; i < next; ++i) used += glutBitmapWidth(font, static_cast<unsigned char>(text[i]));
        if (used > pixels) break;
        end = next;
    }
    return text.substr(0, end);
}
