// The title logo, the studio's logo, the two library wordmarks of the intro and
// the menu pointer.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace {

const double PI = 3.14159265358979323846;

// Warm metal: near-white at the top through the menus' pinkish red to a deep
// red at the foot, with a bright seam just above the middle.
Paint warm_metal(double y0, double y1) {
    return [=](double, double y) {
        const double t = std::clamp((y - y0) / (y1 - y0), 0.0, 1.0);
        Rgba top = rgba(1.0f, 0.97f, 0.94f), mid = rgba(1.0f, 0.62f, 0.56f), foot = rgba(0.78f, 0.22f, 0.22f);
        Rgba c = t > 0.5 ? mix(mid, top, static_cast<float>((t - 0.5) / 0.5))
                         : mix(foot, mid, static_cast<float>(t / 0.5));
        const double seam = std::exp(-std::pow((t - 0.56) / 0.04, 2));
        return mix(c, rgba(1, 1, 1), static_cast<float>(seam * 0.7));
    };
}

void outline(Canvas& c, const Mask& m, double radius_units, const Rgba& colour) {
    Mask o = m;
    blur_mask(o, c.width, c.height, std::max(1, static_cast<int>(std::lround(radius_units * c.texels_per_unit_x()))));
    paint_mask(c, o, colour, 3.0f);
}

void draw_title_logo(Canvas& c) {
    const double w = c.design_w, h = c.design_h;
    // Speed streaks either side of the name.
    for (int i = 0; i < 3; ++i) {
        const double y = h * (0.30 + 0.16 * i), half = 0.8 + 0.3 * (i == 1);
        const double len = w * (0.5 - 0.08 * i);
        auto fade = [=](double x, double) {
            const double t = std::abs(x - w / 2) / (w / 2);
            return grey(0.85f, static_cast<float>(0.55 * (1 - t) * (1 - t)));
        };
        fill(c, Box{w / 2 - len, y - 2, w / 2 + len, y + 2},
             segment_shape(Point{w / 2 - len, y}, Point{w / 2 + len, y}, half), fade);
    }
    TextStyle s{Font::Bold, 52, 4, 0.22};
    const Box box{18, 6, w - 18, h - 6};
    Mask m = text_in_box(c, "KORVANE ARCADE", s, box, Align::Centre);
    outline(c, m, 1.6, rgba(0.12f, 0.02f, 0.03f, 0.85f));
    const double cap = cap_height(s), base = (box.y0 + box.y1) / 2 - cap / 2;
    paint_mask(c, m, warm_metal(base, base + cap));
}

// The studio's mark: a ring, an orbit and an arrowhead climbing through them.
void draw_studio_logo(Canvas& c) {
    const double w = c.design_w;  // 400 x 180
    const double cx = w / 2, cy = 116, r = 52;
    auto ring_paint = [=](double x, double y) {
        const double a = std::atan2(y - cy, x - cx);
        const float lit = static_cast<float>(0.55 + 0.45 * std::cos(a - PI * 0.7));
        return mix(rgba(0.55f, 0.16f, 0.18f), rgba(1.0f, 0.86f, 0.82f), lit);
    };
    // Glow behind the mark.
    Mask glow = mask_of(c, Box{cx - r, cy - r, cx + r, cy + r}, ellipse_shape(cx, cy, r * 0.9, r * 0.9));
    blur_mask(glow, c.width, c.height, static_cast<int>(8 * c.texels_per_unit_x()));
    paint_mask(c, glow, rgba(0.9f, 0.3f, 0.3f, 0.35f));

    auto ring = [=](double x, double y) {
        const double d = std::hypot(x - cx, y - cy);
        return d <= r && d >= r - 8;
    };
    const std::vector<Point> arrow = {{cx, cy + 44}, {cx + 26, cy - 30}, {cx, cy - 14}, {cx - 26, cy - 30}};
    auto arrow_in = polygon_shape(arrow);
    // The orbit: a tilted ellipse band, hidden where the arrow passes in front.
    auto orbit = [=](double x, double y) {
        const double a = -0.35, dx = x - cx, dy = y - cy;
        const double u = dx * std::cos(a) + dy * std::sin(a), v = -dx * std::sin(a) + dy * std::cos(a);
        const double e1 = (u / 78) * (u / 78) + (v / 22) * (v / 22);
        const double e2 = (u / 72) * (u / 72) + (v / 17) * (v / 17);
        return e1 <= 1 && e2 >= 1;
    };
    fill(c, Box{cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2}, ring, ring_paint);
    fill(c, Box{cx - 80, cy - 40, cx + 80, cy + 40},
         [=](double x, double y) { return orbit(x, y) && !arrow_in(x, y); },
         [](double x, double) { return mix(rgba(0.8f, 0.3f, 0.3f), rgba(1, 0.9f, 0.85f), static_cast<float>(x / 400)); });
    fill(c, bounds_of(arrow), arrow_in, [=](double x, double y) {
        // Two facets: the left lit, the right in shade.
        const float v = x < cx ? 1.0f : 0.72f;
        const float up = static_cast<float>(std::clamp((y - (cy - 30)) / 74, 0.0, 1.0));
        return mix(rgba(0.85f * v, 0.55f * v, 0.55f * v), rgba(v, v * 0.97f, v * 0.95f), up);
    });
    // The name, its rule and "studio" span the middle 240 pixels (x 0.35 to
    // 0.65 of the window): the credits list their lines from x 0.35 under it.
    const double left = 80, right = w - 80;
    const std::string word = "KORVANE";
    TextStyle name{Font::Bold, 34, 0, 0};
    name.tracking = tracking_to_fill(c, word, name, right - left);
    draw_label(c, word, name, Box{left, 30, right, 58}, Align::Centre, 0.5f);
    TextStyle studio{Font::Condensed, 16, 9, 0};
    draw_label(c, "S T U D I O", studio, Box{left, 6, right, 24}, Align::Centre, 0.5f);
    fill(c, Box{left - 2, 25, right + 2, 29}, segment_shape(Point{left, 27}, Point{right, 27}, 0.8), grey(0.8f, 0.8f));
}

void draw_pointer(Canvas& c) {
    // A right-pointing arrowhead with a notch, 40 x 30 window pixels.
    const std::vector<Point> head = {{6, 4}, {36, 15}, {6, 26}, {14, 15}};
    Mask glow = mask_of(c, bounds_of(head), polygon_shape(head));
    blur_mask(glow, c.width, c.height, 2);
    paint_mask(c, glow, grey(1.0f, 0.35f));
    fill(c, bounds_of(head), polygon_shape(head), [](double, double y) {
        return y > 15 ? grey(1.0f) : grey(0.78f);  // lit upper facet, shaded lower one
    });
}

}  // namespace

void add_logo_pictures(std::vector<Picture>& out) {
    // Banner: 0.64 x 0.106 of the window.
    out.push_back(Picture{"tex_logo_kro.tga", 512, 64, 512, 63.6, draw_title_logo});
    // The studio logo fills 0.5 x 0.3 in the intro and the credits.
    out.push_back(Picture{"tex_logo_mirel.tga", 512, 256, 400, 180, draw_studio_logo, false, true});
    // Library credits of the intro: graphics bottom-right (0.12 x 0.08),
    // sound bottom-left (0.08 x 0.10), both from y 0.02. Plain wordmarks whose
    // lines stand on the baselines of the intro's text lines between them
    // (0.055, 0.035 and 0.02): 21, 9 and 0 pixels above the pictures' bottoms.
    const double NOTICE_LINE = 21, SECOND_LINE = 9, THIRD_LINE = 0.5;
    struct WordmarkLine {
        const char* text;
        Font font;
        double cap, tracking, left, right, baseline;
    };
    auto wordmark = [](std::vector<WordmarkLine> lines) {
        return [lines](Canvas& c) {
            for (const WordmarkLine& l : lines) {
                TextStyle s{l.font, size_for_cap(l.font, l.cap), l.tracking, 0};
                draw_label(c, l.text, s, caps_on_baseline(l.left, l.right, l.baseline, l.cap), Align::Centre, 0.4f);
            }
        };
    };
    out.push_back(Picture{"tex_logo_gl.tga", 128, 64, 96, 48,
                          wordmark({{"OpenGL", Font::Bold, 17, 0, 3, 93, NOTICE_LINE},
                                    {"GRAPHICS", Font::Condensed, 7, 1.5, 10, 86, THIRD_LINE}})});
    out.push_back(Picture{"tex_logo_fmod.tga", 64, 64, 64, 60,
                          wordmark({{"SDL", Font::Bold, 17, 1, 4, 60, NOTICE_LINE},
                                    {"mixer", Font::CondensedBold, 9, 0.5, 4, 60, SECOND_LINE},
                                    {"SOUND", Font::Condensed, 6, 0.5, 6, 58, THIRD_LINE}})});
    // Pointer: 0.05 wide and one menu row (0.05) high.
    out.push_back(Picture{"tex_pointer.tga", 64, 32, 40, 30, draw_pointer});
}
