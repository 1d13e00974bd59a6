// The HUD panel and the high-score frame: brushed grey plates with dark wells
// wherever the engine writes text or draws gauges over them.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace {

// Window pixels of the panel from screen units: the panel starts at x 0.84.
double panel_x(double screen_x) { return (screen_x - 0.84) * 800; }
double panel_y(double screen_y) { return screen_y * 600; }
Box panel_box(double x0, double y0, double x1, double y1) {
    return Box{panel_x(x0), panel_y(y0), panel_x(x1), panel_y(y1)};
}

Paint brushed_metal(int seed, float base) {
    return [=](double x, double y) {
        const double grain = value_noise(x * 0.15, y * 2.2, seed) * 0.6 + value_noise(x * 0.05, y * 0.4, seed + 9) * 0.4;
        const float v = base * static_cast<float>(0.85 + 0.3 * grain);
        return grey(v);
    };
}

// A recessed well: a light lower/right lip, a dark upper/left lip, a near-black floor.
void draw_well(Canvas& c, const Box& b) {
    const double lip = 2;
    fill(c, Box{b.x0 - lip, b.y0 - lip, b.x1 + lip, b.y1 + lip},
         rounded_rect_shape(Box{b.x0 - lip, b.y0 - lip, b.x1 + lip, b.y1 + lip}, 3), [=](double x, double y) {
             const bool lower_right = y < b.y0 || x > b.x1;
             return lower_right ? grey(0.85f) : grey(0.12f);
         });
    fill(c, b, rounded_rect_shape(b, 2), [=](double, double y) {
        const float t = static_cast<float>((y - b.y0) / (b.y1 - b.y0));
        return grey(0.03f + 0.03f * t);
    });
}

void draw_screw(Canvas& c, double x, double y) {
    fill(c, Box{x - 4, y - 4, x + 4, y + 4}, ellipse_shape(x, y, 2.6, 2.6),
         [=](double px, double py) { return grey(px - x - (py - y) < 0 ? 0.85f : 0.3f); });
    fill(c, Box{x - 4, y - 4, x + 4, y + 4}, segment_shape(Point{x - 1.8, y - 1.8}, Point{x + 1.8, y + 1.8}, 0.45),
         grey(0.15f));
}

// The NAV 2 line "Enemies left to destroy in this NAV: N" starts on the playfield
// and runs on under the panel's bottom-left corner; the panel is drawn first, so
// the corner is cut away (texels of alpha 0 leave the pixels free) to let the
// count show. In texels, so the cut is crisp.
constexpr int NOTCH_TEXELS_W = 40;  // 40 of 128: x 0.84 to 0.89 of the window
constexpr int NOTCH_TEXELS_H = 22;  // 22 of 512: y 0 to about 0.043

void cut_notch(Canvas& c) {
    const double w = NOTCH_TEXELS_W / c.texels_per_unit_x(), h = NOTCH_TEXELS_H / c.texels_per_unit_y();
    // A dark rim around the cut, so it reads as part of the plate.
    fill(c, Box{0, 0, w + 3, h + 3}, [&](double x, double y) { return x < w + 2.5 && y < h + 2.5; }, grey(0.12f));
    for (int y = 0; y < NOTCH_TEXELS_H; ++y)
        for (int x = 0; x < NOTCH_TEXELS_W; ++x) c.at(x, y) = Rgba{};
}

void draw_hud(Canvas& c) {
    const double w = c.design_w, h = c.design_h;  // 128 x 600
    fill(c, Box{0, 0, w, h}, [](double, double) { return true; }, brushed_metal(5, 0.62f));
    // Bevelled left edge facing the playfield, and a dark seam inside it.
    fill(c, Box{0, 0, 8, h}, [](double x, double) { return x < 5; },
         [](double x, double) { return grey(static_cast<float>(0.95 - 0.1 * x)); });
    fill(c, Box{4, 0, 10, h}, [](double x, double) { return x >= 5 && x < 6.5; }, grey(0.15f));

    // Wells under the engine's read-outs.
    draw_well(c, panel_box(0.868, 0.855, 0.993, 0.902));  // score
    draw_well(c, panel_box(0.898, 0.668, 0.993, 0.745));  // gun names
    draw_well(c, panel_box(0.893, 0.450, 0.996, 0.650));  // map and progress marker
    draw_well(c, panel_box(0.871, 0.401, 0.997, 0.439));  // energy bar and figure
    draw_well(c, panel_box(0.876, 0.206, 0.994, 0.362));  // fighter, shields, damage

    TextStyle label{Font::CondensedBold, 10, 1.2, 0};
    auto etched = [&](const char* text, double x0, double y0, double x1) {
        TextStyle s = label;
        draw_label(c, text, s, panel_box(x0, y0, x1, y0 + 0.018), Align::Left,
                   [](double, double) { return grey(0.97f); }, 0.55f);
    };
    etched("SCORE", 0.87, 0.908, 0.99);
    etched("WEAPONS", 0.90, 0.750, 0.99);
    etched("ENERGY", 0.873, 0.374, 0.99);
    etched("SHIELDS / HULL", 0.876, 0.183, 0.99);

    // Top cap and the lower vents.
    for (double x : {18.0, 110.0}) draw_screw(c, x, h - 14);
    draw_screw(c, 110.0, 14);
    draw_screw(c, 52.0, 14);
    for (int i = 0; i < 6; ++i) {
        const double y = 40 + i * 10;
        fill(c, Box{24, y - 3, 104, y + 3}, rounded_rect_shape(Box{26, y - 2, 102, y + 2}, 2),
             [=](double, double py) { return grey(py > y ? 0.08f : 0.25f); });
    }
    fill(c, Box{12, h - 30, w - 4, h - 26}, segment_shape(Point{14, h - 28}, Point{w - 8, h - 28}, 0.7), grey(0.25f));
    cut_notch(c);
}

// The high-score table: the engine writes ten rows of Helvetica 12, baselines
// 0.02 apart from 0.52 down to 0.34, in columns at x 0.25, 0.27, 0.47 and 0.63.
// The frame lies over (0.18, 0.22)..(0.82, 0.65); sizes here are window pixels.
const double SCORE_FIRST_BASELINE = 0.52, SCORE_ROW_STEP = 0.02;
const int SCORE_ROWS = 10;
// A row's capitals stand 9 pixels above its baseline; its band reaches 2 below
// and 1 above them, so one band meets the next between two rows of text.
const double BAND_BELOW_BASELINE = 2, BAND_ABOVE_BASELINE = 10;

void draw_score_frame(Canvas& c) {
    const double w = c.design_w, h = c.design_h;  // 512 x 258; the window's y 0.22 is 0 here
    auto sy = [](double screen_y) { return (screen_y - 0.22) * 600; };
    auto sx = [](double screen_x) { return (screen_x - 0.18) * 800; };
    const Box outer{2, 2, w - 2, h - 2};
    // Frame: a light rim with rounded corners, a dark glass inside.
    fill(c, Box{0, 0, w, h}, rounded_rect_shape(outer, 10), [&](double, double y) {
        const double t = y / h;
        return grey(static_cast<float>(0.6 + 0.35 * t));
    });
    const Box inner{6, 6, w - 6, h - 6};
    fill(c, inner, rounded_rect_shape(inner, 7), rgba(0.02f, 0.02f, 0.04f, 0.86f));

    // One band under each row, lighter and darker in turn, so a row can be
    // followed across; the bands meet, so the table reads as one block.
    const double left = sx(0.235), right = sx(0.765);
    const double table_top = sy(SCORE_FIRST_BASELINE) + BAND_ABOVE_BASELINE;
    const double table_bottom = sy(SCORE_FIRST_BASELINE - SCORE_ROW_STEP * (SCORE_ROWS - 1)) - BAND_BELOW_BASELINE;
    for (int i = 0; i < SCORE_ROWS; ++i) {
        const double base = sy(SCORE_FIRST_BASELINE - SCORE_ROW_STEP * i);
        const Box band{left, base - BAND_BELOW_BASELINE, right, base + BAND_ABOVE_BASELINE};
        fill(c, band, [band](double x, double y) { return x >= band.x0 && x < band.x1 && y >= band.y0 && y < band.y1; },
             i % 2 == 0 ? rgba(0.26f, 0.26f, 0.32f, 0.95f) : rgba(0.12f, 0.12f, 0.16f, 0.95f));
    }
    auto rule = [&](double y) {
        fill(c, Box{left - 2, y - 2, right + 2, y + 2}, segment_shape(Point{left, y}, Point{right, y}, 0.6),
             grey(0.7f));
    };
    rule(table_top + 3);
    rule(table_bottom - 3);

    // Above the table: the column heads over the engine's columns, and the title
    // centred in the room left up to the rim.
    TextStyle head{Font::CondensedBold, 11, 1.5, 0};
    const double hy0 = table_top + 6, hy1 = table_top + 18;
    auto heading = [&](const char* text, double x) {
        draw_label(c, text, head, Box{sx(x), hy0, sx(x) + 120, hy1}, Align::Left, 0.0f);
    };
    heading("#", 0.25);
    heading("PILOT", 0.275);
    heading("FIGHTER", 0.47);
    heading("SCORE", 0.63);
    TextStyle t{Font::Bold, 22, 5, 0};
    draw_label(c, "HIGH SCORES", t, Box{sx(0.22), hy1 + 6, sx(0.78), inner.y1 - 4}, Align::Centre);

    // Below it, as much room again: the three fighters in their flight colours,
    // a key to the fighter column.
    const char* fighters[] = {"PILVET", "VESKER", "BRANTOR"};
    const Rgba colours[] = {rgba(0.7f, 1.0f, 0.7f), rgba(0.95f, 0.75f, 0.15f), rgba(1.0f, 0.45f, 0.45f)};
    const double key_y0 = inner.y0 + 8, key_y1 = table_bottom - 10, third = (right - left) / 3;
    for (int k = 0; k < 3; ++k) {
        TextStyle s{Font::CondensedBold, 14, 3, 0};
        const Rgba colour = colours[k];
        draw_label(c, fighters[k], s, Box{left + third * k, key_y0, left + third * (k + 1), key_y1}, Align::Centre,
                   [colour](double, double) { return colour; }, 0.4f);
    }
}

}  // namespace

void add_panel_pictures(std::vector<Picture>& out) {
    // The panel: 0.16 x 1.0 of the window, 128 x 600 pixels on 128 x 512 texels.
    out.push_back(Picture{"tex_hud.tga", 128, 512, 128, 600, draw_hud});
    // High-score frame: 0.64 x 0.43, 512 x 258 pixels on 512 x 256 texels.
    out.push_back(Picture{"tex_menu_scores.tga", 512, 256, 512, 258, draw_score_frame});
}
