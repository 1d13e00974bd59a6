// The controls screen's pictures: the Wii Remote held sideways over a key to
// its buttons, the same for a gamepad (shown instead of the remote to a player
// with a pad and no remote), and the keyboard keys with their actions. Each is
// shown over 0.42 x 0.53 of the window (336 x 318 pixels) from a 512 x 512
// texture.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace {

const double W = 336, H = 318;
const Rgba TEXT = grey(0.97f);

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
    const Row left[] = {{"Space", 66, "fire"},        {"G", k, "switch guns"}, {"F", k, "both guns"},
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
// A controls picture's legend: a column of icons, each with what it does to its right.
struct Legend {
    Canvas& c;
    double text_x, top, step;
    int row = 0;
    double y() const { return top - step * row; }  // where the next icon goes
    void line(const std::string& text) {
        caption(c, text, text_x, y() + 1);
        ++row;
    }
};

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

void dpad(Canvas& c, double x, double y, double r) {
    fill(c, Box{x - r - 1, y - r - 1, x + r + 1, y + r + 1}, ellipse_shape(x, y, r, r), grey(0.68f));
    const double arm = r * 0.78, half = r * 0.27;
    fill(c, Box{x - arm - 1, y - half - 1, x + arm + 1, y + half + 1},
         rounded_rect_shape(Box{x - arm, y - half, x + arm, y + half}, 1.5), grey(0.2f));
    fill(c, Box{x - half - 1, y - arm - 1, x + half + 1, y + arm + 1},
         rounded_rect_shape(Box{x - half, y - arm, x + half, y + arm}, 1.5), grey(0.2f));
}

void home_button(Canvas& c, double x, double y, double r) {
    button(c, x, y, r, "");
    const double k = r / 6;
    fill(c, Box{x - 5 * k, y - 5 * k, x + 5 * k, y + 5 * k},
         polygon_shape({{x - 3.5 * k, y - 1 * k}, {x, y + 3.5 * k}, {x + 3.5 * k, y - 1 * k}, {x + 3.5 * k, y - 3.5 * k},
                        {x - 3.5 * k, y - 3.5 * k}}),
         rgba(0.2f, 0.45f, 0.9f));
}

// The B trigger sits under the remote: a rounded tab drawn in outline.
void trigger(Canvas& c, double x, double y, const std::string& legend) {
    const Box b{x - 9, y - 7, x + 9, y + 7};
    fill(c, Box{b.x0 - 2, b.y0 - 2, b.x1 + 2, b.y1 + 2}, [b](double px, double py) {
        const bool outer = rounded_rect_shape(b, 5)(px, py);
        const bool inner = rounded_rect_shape(Box{b.x0 + 1.6, b.y0 + 1.6, b.x1 - 1.6, b.y1 - 1.6}, 3.5)(px, py);
        return outer && !inner;
    }, grey(0.85f));
    TextStyle s{Font::Bold, 11, 0, 0};
    draw_label(c, legend, s, b, Align::Centre, [](double, double) { return grey(0.95f); }, 0.0f);
}

// The remote at the top, and under it one line per button: the button as
// drawn on the remote, then what it does. No leader lines, so nothing crosses
// a word.
void draw_remote(Canvas& c) {
    title(c, "WII REMOTE, HELD SIDEWAYS");
    // Body: pointing end to the left, the 1 and 2 buttons to the right.
    const Box body{22, 222, 314, 272};
    const double cy = (body.y0 + body.y1) / 2;
    fill(c, Box{body.x0 - 3, body.y0 - 5, body.x1 + 3, body.y1 + 3},
         rounded_rect_shape(Box{body.x0, body.y0 - 3, body.x1, body.y1}, 20), grey(0.45f));
    fill(c, body, rounded_rect_shape(body, 20), [=](double x, double y) {
        const double t = (y - body.y0) / (body.y1 - body.y0);
        return grey(static_cast<float>(0.80 + 0.18 * t - 0.04 * (x - body.x0) / (body.x1 - body.x0)));
    });
    dpad(c, 60, cy, 16);
    button(c, 106, cy, 10, "A", 12);
    button(c, 158, cy + 14, 5, "+", 9);  // the remote's right side is up
    home_button(c, 158, cy, 5.5);
    button(c, 158, cy - 14, 5, "-", 9);
    button(c, 230, cy, 9.5, "1", 11);
    button(c, 266, cy, 9.5, "2", 11);
    for (int i = 0; i < 4; ++i) {  // player lights
        const double ly = cy - 15 + i * 10;
        fill(c, Box{300, ly - 2, 306, ly + 2}, rounded_rect_shape(Box{300, ly - 1.5, 306, ly + 1.5}, 1),
             i == 0 || i == 3 ? rgba(0.3f, 0.6f, 1.0f) : grey(0.55f));
    }
    for (int i = 0; i < 5; ++i)  // speaker holes
        for (int j = 0; j < 3; ++j) {
            const double hx = 184.0 + i * 5, hy = cy - 7 + j * 7;
            fill(c, Box{hx - 2, hy - 2, hx + 2, hy + 2}, ellipse_shape(hx, hy, 1, 1), grey(0.35f));
        }
    // B, underneath the D-pad end, peeks out below the body.
    trigger(c, 84, body.y0 - 14, "B");

    // The legend: a column of buttons, a column of what they do.
    const double icon_x = 20;
    Legend legend{c, 40, 190, 22};
    dpad(c, icon_x, legend.y(), 9);
    legend.line("move the cursor; choose the fighter");
    button(c, icon_x, legend.y(), 8, "2", 10);
    legend.line("choose; in a stage: fire");
    button(c, icon_x, legend.y(), 8, "1", 10);
    legend.line("back; in a stage: switch guns");
    button(c, icon_x, legend.y(), 8, "+", 10);
    legend.line("both guns; quit prompt: leave the game");
    button(c, icon_x, legend.y(), 8, "-", 10);
    legend.line("quit prompt: fly on");
    home_button(c, icon_x, legend.y(), 8);
    legend.line("pause: the quit prompt");
    trigger(c, icon_x, legend.y(), "B");
    legend.line("start again after the fighter is lost");
    button(c, icon_x, legend.y(), 8, "A", 10);
    legend.line("skip the intro, leave scores or credits");
    caption(c, "Tilt the remote to steer in a stage", 0, 12, 13, Align::Centre);
}


// The face buttons wear the colours most pads print them in, so a player finds
// A, B, X and Y by colour as well as by letter.
const Rgba PAD_A_GREEN = rgba(0.25f, 0.7f, 0.3f), PAD_B_RED = rgba(0.85f, 0.25f, 0.2f),
           PAD_X_BLUE = rgba(0.25f, 0.45f, 0.9f), PAD_Y_YELLOW = rgba(0.85f, 0.7f, 0.15f);

void face_button(Canvas& c, double x, double y, double r, const std::string& legend, const Rgba& ink) {
    button(c, x, y, r, "");
    TextStyle s{Font::Bold, r * 1.35, 0, 0};
    draw_label(c, legend, s, Box{x - r, y - r, x + r, y + r}, Align::Centre, [ink](double, double) { return ink; },
               0.0f);
}

// A thumbstick seen from above: a dark well around a lighter cap.
void thumbstick(Canvas& c, double x, double y, double r) {
    fill(c, Box{x - r - 2, y - r - 2, x + r + 2, y + r + 2}, ellipse_shape(x, y, r + 1, r + 1), grey(0.25f));
    const double cap = r * 0.72;
    fill(c, Box{x - cap - 1, y - cap - 1, x + cap + 1, y + cap + 1}, ellipse_shape(x, y, cap, cap),
         [=](double px, double py) {
             return grey(static_cast<float>(0.62 - 0.15 * ((px - x) - (py - y)) / (2 * cap)));
         });
    fill(c, Box{x - cap, y - cap, x + cap, y + cap}, [=](double px, double py) {
        const double d = std::hypot(px - x, py - y);
        return d > cap * 0.55 && d < cap * 0.68;
    }, grey(0.45f));
}

// Start and Back: small pills in the middle of the pad, told apart by their marks.
void pill(Canvas& c, double x, double y, bool start_mark) {
    const Box b{x - 8, y - 4.5, x + 8, y + 4.5};
    fill(c, Box{b.x0 - 2, b.y0 - 2, b.x1 + 2, b.y1 + 2}, rounded_rect_shape(Box{b.x0 - 1, b.y0 - 1, b.x1 + 1, b.y1 + 1}, 5),
         grey(0.55f));
    fill(c, b, rounded_rect_shape(b, 4.5), grey(0.9f));
    if (start_mark) {  // three bars, the "menu" mark
        for (int i = -1; i <= 1; ++i)
            fill(c, Box{x - 4, y + i * 2.2 - 0.6, x + 4, y + i * 2.2 + 0.6}, [](double, double) { return true; },
                 grey(0.15f));
    } else {  // two overlapping windows, the "view" mark
        fill(c, Box{x - 4.5, y - 3, x + 4.5, y + 3}, [=](double px, double py) {
            const bool a = px > x - 4 && px < x + 1.5 && py > y - 2.5 && py < y + 1;
            const bool b = px > x - 1.5 && px < x + 4 && py > y - 1 && py < y + 2.5;
            return a || b;
        }, grey(0.15f));
    }
}

// The pad at the top, and under it one line per control: the control as drawn
// on the pad, then what it does, as on the remote's picture.
void draw_pad(Canvas& c) {
    title(c, "GAMEPAD");
    // Body: a wide bar over two grips that hang down at the sides.
    const double top = 278, bar_bottom = 222;
    const Inside body = [=](double x, double y) {
        return rounded_rect_shape(Box{48, bar_bottom, 288, top}, 24)(x, y) ||
               ellipse_shape(78, bar_bottom + 4, 40, 30)(x, y) || ellipse_shape(258, bar_bottom + 4, 40, 30)(x, y);
    };
    const Box outline{34, bar_bottom - 30, 302, top + 2};
    fill(c, outline, [=](double x, double y) { return body(x, y + 3); }, grey(0.45f));
    fill(c, outline, body, [=](double, double y) {
        const double t = (y - outline.y0) / (outline.y1 - outline.y0);
        return grey(static_cast<float>(0.74 + 0.2 * t));
    });
    const double row = 252;
    dpad(c, 82, row, 15);
    thumbstick(c, 124, bar_bottom + 2, 14);
    pill(c, 150, row + 8, false);  // Back on the left, Start on the right
    pill(c, 186, row + 8, true);
    const double fx = 254, fy = row - 4, gap = 15, r = 8;
    face_button(c, fx, fy - gap, r, "A", PAD_A_GREEN);
    face_button(c, fx + gap, fy, r, "B", PAD_B_RED);
    face_button(c, fx - gap, fy, r, "X", PAD_X_BLUE);
    face_button(c, fx, fy + gap, r, "Y", PAD_Y_YELLOW);
    thumbstick(c, 212, bar_bottom + 2, 11);  // the right stick, which the game leaves alone

    const double icon_x = 20;
    Legend legend{c, 40, 178, 20};
    dpad(c, icon_x, legend.y(), 8.5);
    legend.line("move the cursor; steer in a stage");
    thumbstick(c, icon_x, legend.y(), 8);
    legend.line("left stick: steer, faster the further pushed");
    face_button(c, icon_x, legend.y(), 8, "A", PAD_A_GREEN);
    legend.line("choose; in a stage: fire, start again");
    face_button(c, icon_x, legend.y(), 8, "B", PAD_B_RED);
    legend.line("back; quit prompt: fly on");
    face_button(c, icon_x, legend.y(), 8, "X", PAD_X_BLUE);
    legend.line("in a stage: switch guns");
    face_button(c, icon_x, legend.y(), 8, "Y", PAD_Y_YELLOW);
    legend.line("in a stage: both guns");
    pill(c, icon_x, legend.y(), true);
    legend.line("Start: pause, the quit prompt");
    pill(c, icon_x, legend.y(), false);
    legend.line("Back: quit prompt: leave the game");
    caption(c, "A, B or Start skip the intro, scores, credits", 0, 12, 13, Align::Centre);
}

}  // namespace

void add_controls_pictures(std::vector<Picture>& out) {
    out.push_back(Picture{"tex_menu_keys_wii.tga", 512, 512, W, H, draw_remote, false, true});
    out.push_back(Picture{"tex_menu_keys.tga", 512, 512, W, H, draw_keyboard, false, true});
    out.push_back(Picture{"tex_menu_keys_pad.tga", 512, 512, W, H, draw_pad, false, true});
}
