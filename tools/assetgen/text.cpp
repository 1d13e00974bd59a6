#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <map>

namespace {

FT_Library library = nullptr;
std::map<Font, FT_Face> faces;

// Only the two faces of the core DejaVu package; the condensed styles are the
// same faces drawn narrower.
const std::pair<Font, const char*> FONT_FILES[] = {
    {Font::Bold, "DejaVuSans-Bold.ttf"},
    {Font::CondensedBold, "DejaVuSans-Bold.ttf"},
    {Font::Regular, "DejaVuSans.ttf"},
    {Font::Condensed, "DejaVuSans.ttf"},
};
const double CONDENSED_WIDTH = 0.86;

double width_factor(Font f) { return f == Font::Condensed || f == Font::CondensedBold ? CONDENSED_WIDTH : 1.0; }

// Sets the face to the style's size at the canvas's two texel scales and the
// shear; returns the face.
FT_Face prepare(const Canvas& c, const TextStyle& s) {
    FT_Face face = faces.at(s.font);
    const double kx = c.texels_per_unit_x(), ky = c.texels_per_unit_y();
    FT_Set_Char_Size(face, static_cast<FT_F26Dot6>(std::lround(s.size * width_factor(s.font) * kx * 64)),
                     static_cast<FT_F26Dot6>(std::lround(s.size * ky * 64)), 72, 72);
    return face;
}

void set_transform(FT_Face face, const Canvas& c, const TextStyle& s, long frac_x) {
    FT_Matrix m;
    m.xx = 0x10000;
    m.xy = static_cast<FT_Fixed>(std::lround(s.slant * c.texels_per_unit_x() / c.texels_per_unit_y() * 0x10000));
    m.yx = 0;
    m.yy = 0x10000;
    FT_Vector delta{frac_x, 0};
    FT_Set_Transform(face, &m, &delta);
}

// Decodes UTF-8 (the labels are plain ASCII, but keep the door open).
std::u32string decode(const std::string& s) {
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out += c;
            ++i;
        } else if ((c & 0xe0) == 0xc0 && i + 1 < s.size()) {
            out += static_cast<char32_t>(((c & 0x1f) << 6) | (s[i + 1] & 0x3f));
            i += 2;
        } else if ((c & 0xf0) == 0xe0 && i + 2 < s.size()) {
            out += static_cast<char32_t>(((c & 0x0f) << 12) | ((s[i + 1] & 0x3f) << 6) | (s[i + 2] & 0x3f));
            i += 3;
        } else {
            ++i;
        }
    }
    return out;
}

}  // namespace

bool text_open(const std::string& font_dir) {
    if (FT_Init_FreeType(&library) != 0) return false;
    for (const auto& [font, file] : FONT_FILES) {
        FT_Face face = nullptr;
        if (FT_New_Face(library, (font_dir + "/" + file).c_str(), 0, &face) != 0) return false;
        faces[font] = face;
    }
    return true;
}

void text_close() {
    for (auto& [font, face] : faces) FT_Done_Face(face);
    faces.clear();
    if (library) FT_Done_FreeType(library);
    library = nullptr;
}

double text_width(const Canvas& c, const std::string& text, const TextStyle& s) {
    FT_Face face = prepare(c, s);
    set_transform(face, c, s, 0);
    long pen = 0;  // 26.6 texels
    FT_UInt previous = 0;
    const long tracking = std::lround(s.tracking * c.texels_per_unit_x() * 64);
    const std::u32string chars = decode(text);
    for (size_t i = 0; i < chars.size(); ++i) {
        const FT_UInt glyph = FT_Get_Char_Index(face, chars[i]);
        if (previous && FT_HAS_KERNING(face)) {
            FT_Vector k;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_UNFITTED, &k);
            pen += k.x;
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_HINTING) != 0) continue;
        pen += face->glyph->advance.x;
        if (i + 1 < chars.size()) pen += tracking;
        previous = glyph;
    }
    return pen / 64.0 / c.texels_per_unit_x();
}

double cap_height(const TextStyle& s) {
    FT_Face face = faces.at(s.font);
    if (FT_Load_Char(face, 'H', FT_LOAD_NO_SCALE) != 0) return s.size * 0.73;
    return s.size * face->glyph->metrics.height / static_cast<double>(face->units_per_EM);
}

Mask text_mask(const Canvas& c, const std::string& text, const TextStyle& s, double x, double baseline) {
    Mask m(static_cast<size_t>(c.width) * c.height, 0.0f);
    FT_Face face = prepare(c, s);
    const double kx = c.texels_per_unit_x(), ky = c.texels_per_unit_y();
    long pen = std::lround(x * kx * 64);
    const long base_row = std::lround(baseline * ky);
    const long tracking = std::lround(s.tracking * kx * 64);
    FT_UInt previous = 0;
    for (char32_t ch : decode(text)) {
        const FT_UInt glyph = FT_Get_Char_Index(face, ch);
        if (previous && FT_HAS_KERNING(face)) {
            FT_Vector k;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_UNFITTED, &k);
            pen += k.x;
        }
        // The fractional part of the pen goes into the outline, so letters sit
        // where they should rather than on whole texels.
        const long whole = static_cast<long>(std::floor(pen / 64.0));
        set_transform(face, c, s, pen - whole * 64);
        if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_HINTING | FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = face->glyph;
        const FT_Bitmap& bm = g->bitmap;
        for (unsigned row = 0; row < bm.rows; ++row) {
            // Bitmap rows run top-down; canvas rows bottom-up.
            const long ty = base_row + g->bitmap_top - 1 - static_cast<long>(row);
            if (ty < 0 || ty >= c.height) continue;
            for (unsigned col = 0; col < bm.width; ++col) {
                const long tx = whole + g->bitmap_left + static_cast<long>(col);
                if (tx < 0 || tx >= c.width) continue;
                const float v = bm.buffer[row * bm.pitch + col] / 255.0f;
                float& d = m[static_cast<size_t>(ty) * c.width + tx];
                d = d + v - d * v;
            }
        }
        pen += g->advance.x + tracking;
        previous = glyph;
    }
    set_transform(face, c, s, 0);
    return m;
}

Mask text_in_box(const Canvas& c, const std::string& text, TextStyle& s, const Box& box, Align align) {
    const double room = box.x1 - box.x0;
    double w = text_width(c, text, s);
    for (int i = 0; i < 8 && w > room; ++i) {
        const double k = room / w * 0.995;
        s.size *= k;
        s.tracking *= k;
        w = text_width(c, text, s);
    }
    double x = box.x0;
    if (align == Align::Centre) x = box.x0 + (room - w) / 2;
    if (align == Align::Right) x = box.x1 - w;
    const double baseline = (box.y0 + box.y1) / 2 - cap_height(s) / 2;
    return text_mask(c, text, s, x, baseline);
}
