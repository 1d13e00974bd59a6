// The controls screen's two pictures: the Wii Remote held sideways with its
// buttons labelled, and the keyboard keys with their actions. Each is shown
// over 0.42 x 0.53 of the window (336 x 318 pixels) from a 512 x 512 texture.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace {

const double W = 336, H = 318;
const Rgba TEXT = grey(0.97f);
const Rgba LEADER = grey(0.75f, 0.9f);

void caption(Canvas& c, const std::string& text, double x, double y, double size = 12.5, Align align = Align::Left,
             double right = W - 4) {
    TextStyle s{Font::Condensed, size, 0.3, 0};
    const double cap = cap_height(s);
    const Box box = align == Align::Centre ? Box{4, y - cap, W - 4, y + cap} : Box{x, y - cap, right, y + cap};
    draw_label(c, text, s, box, align, [](double, double) { return TEXT; }, 0.7f);
}

void title(Canvas& c, const std::string& text) {
    TextStyle s{Font::Bold, 16, 3, 0};
    draw_label(c, text, s, Box{6, H - 26, W - 6, H - 6}, Align::Centre);
    fill(c, Box{20, H - 32, W - 20, H - 28}, segment_shape(Point{30, H - 30}, Point{W - 30, H - 30}, 0.6), grey(0.7f));
}

void leader(Canvas& c, Point a, Point b) {
    fill(c, bounds_of({a, b}, 2), segment_shape(a, b, 0.7), LEADER);
    fill(c, Box{b.x - 3, b.y - 3, b.x + 3, b.y + 3}, ellipse_shape(b.x, b.y, 1.8, 1.8), LEADER);
}

// A keyboard key: a light cap over a darker skirt, its legend in dark ink.
void key(Canvas& c, const Box& b, const std::string& legend) {
    fill(c, Box{b.x0 - 1, b.y0 - 4, b.x1 + 1, b.y1 + 1}, rounded_rect_shape(Box{b.x0, b.y0 - 3, b.x1, b.y1}, 4),
         grey(0.45f));
    const Box top{b.x0 + 1.5, b.y0, b.x1 - 1.5, b.y1 - 1};
    fill(c, top, rounded_rect_shape(top, 3), [=](double, double y) {
        return grey(static_cast<float>(0.78 + 0.17 * (y - top.y0) / (top.y1 - top.y0)));
    });
    TextStyle s{Font::CondensedBold, 12, 0, 0};
    draw_label(c, legend, s, Box{top.x0 + 2, top.y0, top.x1 - 2, top.y1}, Align::Centre,
               [](double, double) { return grey(0.08f); }, 0.0f);
}

void arrow_key(Canvas& c, const Box& b, double angle) {
    key(c, b, "");
    const double cx = (b.x0 + b.x1) / 2, cy = (b.y0 + b.y1) / 2, r = 5.5;
    std::vector<Point> tri;
    for (int i = 0; i < 3; ++i) {
        const double a = angle + i * 2.0943951;
        tri.push_back(Point{cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    fill(c, bounds_of(tri), polygon_shape(tri), grey(0.1f));
}

void draw_keyboard(Canvas& c) {
    title(c, "KEYBOARD");
    const double k = 24;  // key size
    // Arrow cluster with its caption.
    const double ax = 14, ay = 222;
    arrow_key(c, Box{ax + k + 3, ay + k + 4, ax + 2 * k + 3, ay + 2 * k + 4}, 1.5707963);
    arrow_key(c, Box{ax, ay, ax + k, ay + k}, 3.1415927);
    arrow_key(c, Box{ax + k + 3, ay, ax + 2 * k + 3, ay + k}, -1.5707963);
    arrow_key(c, Box{ax + 2 * k + 6, ay, ax + 3 * k + 6, ay + k}, 0);
    caption(c, "Arrows: steer the fighter,", 100, ay + 30);
    caption(c, "move the menu cursor", 100, ay + 14);

    struct Row {
        const char* legend;
        double width;
        const char* action;
    };
    const Row left[] = {{"Space", 66, "fire"},        {"G", k, "switch guns"}, {"F", k, "full guns"},
                        {"M", k, "missiles"},        {"Enter", 48, "select, new game"}, {"Esc", 34, "pause, back"}};
    const Row right[] = {{"F5", 30, "sound on / off"},  {"F6", 30, "music on / off"}, {"F7", 30, "sound volume"},
                         {"F8", 30, "music volume"},    {"F12", 34, "stars on / off"}};
    for (int i = 0; i < 6; ++i) {
        const double y = 178 - i * 30;
        key(c, Box{8, y - k / 2, 8 + left[i].width, y + k / 2}, left[i].legend);
        caption(c, left[i].action, 14 + left[i].width, y + 1, 12.5, Align::Left, 168);
    }
    for (int i = 0; i < 5; ++i) {
        const double y = 178 - i * 30;
        key(c, Box{176, y - k / 2, 176 + right[i].width, y + k / 2}, right[i].legend);
        caption(c, right[i].action, 182 + right[i].width, y + 1);
    }
    const double y = 178 - 5 * 30;
    key(c, Box{176, y - k / 2, 176 + k, y + k / 2}, "Y");
    key(c, Box{176 + k + 4, y - k / 2, 176 + 2 * k + 4, y + k / 2}, "N");
    caption(c, "quit? yes / no", 182 + 2 * k + 4, y + 1);
}

// A round button with a ring.
void button(Canvas& c, double x, double y, double r, const std::string& legend, double size = 11) {
    fill(c, Box{x - r - 2, y - r - 2, x + r + 2, y + r + 2}, ellipse_shape(x, y, r + 1.2, r + 1.2), grey(0.55f));
    fill(c, Box{x - r - 2, y - r - 2, x + r + 2, y + r + 2}, ellipse_shape(x, y, r, r), [=](double px, double py) {
        return grey(static_cast<float>(0.97 - 0.12 * ((px - x) - (py - y)) / (2 * r) - 0.06));
    });
    if (!legend.empty()) {
        TextStyle s{Font::Bold, size, 0, 0};
        draw_label(c, legend, s, Box{x - r, y - r, x + r, y + r}, Align::Centre,
                   [](double, double) { return grey(0.15f); }, 0.0f);
    }
}

void draw_remote(Canvas& c) {
    title(c, "WII REMOTE, HELD SIDEWAYS");
    // Body: pointing end to the left, the 1 and 2 buttons to the right.
    const Box body{22, 146, 314, 204};
    fill(c, Box{body.x0 - 3, body.y0 - 5, body.x1 + 3, body.y1 + 3},
         rounded_rect_shape(Box{body.x0, body.y0 - 3, body.x1, body.y1}, 22), grey(0.45f));
    fill(c, body, rounded_rect_shape(body, 22), [=](double x, double y) {
        const double t = (y - body.y0) / (body.y1 - body.y0);
        return grey(static_cast<float>(0.80 + 0.18 * t - 0.04 * (x - body.x0) / (body.x1 - body.x0)));
    });
    // The B trigger lies underneath: dashed outline under the D-pad end.
    for (int i = 0; i < 6; ++i) {
        const double x0 = 78 + i * 8;
        fill(c, Box{x0 - 1, 139, x0 + 6, 143}, segment_shape(Point{x0, 141}, Point{x0 + 4.5, 141}, 1.0),
             grey(0.8f));
    }
    // D-pad.
    const double dx = 60, dy = 175;
    fill(c, Box{dx - 18, dy - 18, dx + 18, dy + 18}, ellipse_shape(dx, dy, 17, 17), grey(0.68f));
    fill(c, Box{dx - 14, dy - 5, dx + 14, dy + 5}, rounded_rect_shape(Box{dx - 13, dy - 4.5, dx + 13, dy + 4.5}, 1.5),
         grey(0.2f));
    fill(c, Box{dx - 5, dy - 14, dx + 5, dy + 14}, rounded_rect_shape(Box{dx - 4.5, dy - 13, dx + 4.5, dy + 13}, 1.5),
         grey(0.2f));
    button(c, 108, 175, 11, "A", 13);                 // A
    button(c, 160, 191, 5.5, "+", 10);                // plus (the remote's right side is up)
    button(c, 160, 175, 6, "", 8);                    // home
    fill(c, Box{155, 170, 165, 180}, polygon_shape({{156.5, 174}, {160, 178.5}, {163.5, 174}, {163.5, 171.5}, {156.5, 171.5}}),
         rgba(0.2f, 0.45f, 0.9f));
    button(c, 160, 159, 5.5, "-", 10);                // minus
    button(c, 232, 175, 10, "1", 12);
    button(c, 268, 175, 10, "2", 12);
    for (int i = 0; i < 4; ++i) {  // player lights
        const double ly = 160 + i * 10;
        fill(c, Box{300, ly - 2, 306, ly + 2}, rounded_rect_shape(Box{300, ly - 1.5, 306, ly + 1.5}, 1),
             i == 0 || i == 3 ? rgba(0.3f, 0.6f, 1.0f) : grey(0.55f));
    }
    for (int i = 0; i < 5; ++i)  // speaker holes
        for (int j = 0; j < 3; ++j) {
            const double hx = 186.0 + i * 5, hy = 168.0 + j * 7;
            fill(c, Box{hx - 2, hy - 2, hx + 2, hy + 2}, ellipse_shape(hx, hy, 1, 1), grey(0.35f));
        }

    // Labels above the remote.
    caption(c, "D-pad: menu cursor,", 6, 272);
    caption(c, "choose ship", 6, 258);
    leader(c, Point{40, 250}, Point{dx - 6, dy + 10});
    caption(c, "+ : full guns, quit: yes", 106, 232);
    leader(c, Point{150, 226}, Point{160, 196});
    caption(c, "2 : fire, select", 226, 272);
    leader(c, Point{270, 266}, Point{268, 185});
    caption(c, "1 : switch guns, back", 192, 250);
    leader(c, Point{232, 244}, Point{232, 185});

    // Labels below.
    caption(c, "A : skip intro,", 6, 118);
    caption(c, "leave scores / credits", 6, 104);
    leader(c, Point{70, 124}, Point{108, 164});
    caption(c, "HOME : pause, quit prompt", 150, 112);
    leader(c, Point{146, 118}, Point{155, 170});
    caption(c, "- : quit: no", 202, 134);
    leader(c, Point{199, 134}, Point{166, 157});
    caption(c, "B (underneath): new game", 6, 80);
    caption(c, "after the fighter is lost", 6, 66);
    leader(c, Point{96, 86}, Point{98, 139});
    caption(c, "Tilt the remote to steer in a stage", 0, 28, 13, Align::Centre);
}

}  // namespace

void add_controls_pictures(std::vector<Picture>& out) {
    out.push_back(Picture{"tex_menu_keys_wii.tga", 512, 512, W, H, draw_remote, false, true});
    out.push_back(Picture{"tex_menu_keys.tga", 512, 512, W, H, draw_keyboard, false, true});
}
