// The playfield's pictures: rocks, the shield strip, the three shots and the
// two NAV maps.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace {

const double PI = 3.14159265358979323846;

struct Crater {
    double x, y, r;  // in the rock's unit disc
};

// A lumpy, cratered rock filling a w x h rectangle, lit from the upper left.
void draw_rock(Canvas& c, int seed, int crater_count) {
    const double w = c.design_w, h = c.design_h;
    const double cx = w / 2, cy = h / 2, ax = w / 2 - 2.5, ay = h / 2 - 2.5;
    // Outline radius by angle: a few low harmonics with seeded phases.
    double amp[4], phase[4];
    for (int k = 0; k < 4; ++k) {
        amp[k] = (0.05 + 0.06 * hash01(k, 1, seed)) / (k + 1);
        phase[k] = 2 * PI * hash01(k, 2, seed);
    }
    auto radius = [=](double a) {
        double r = 0.86;
        for (int k = 0; k < 4; ++k) r += amp[k] * std::sin((k + 2) * a + phase[k]);
        return std::min(r, 1.0);
    };
    std::vector<Crater> craters;
    for (int i = 0; i < crater_count; ++i) {
        const double a = 2 * PI * hash01(i, 3, seed), d = 0.65 * std::sqrt(hash01(i, 4, seed));
        craters.push_back({d * std::cos(a), d * std::sin(a), 0.08 + 0.14 * hash01(i, 5, seed)});
    }
    // Height over the unit disc: a dome, the craters' bowls and rims, and grit.
    auto height = [=](double u, double v) {
        const double rr = radius(std::atan2(v, u));
        const double d = std::hypot(u, v) / rr;
        double z = d < 1 ? std::sqrt(1 - d * d) : 0;
        for (const Crater& k : craters) {
            const double q = std::hypot(u - k.x, v - k.y) / k.r;
            if (q < 1) z -= 0.18 * k.r * 4 * (1 - q * q) * 0.5;
            else if (q < 1.4) z += 0.05 * k.r * 4 * (1 - (q - 1) / 0.4) * 0.5;
        }
        z += 0.07 * fractal_noise(u * 5 + 10, v * 5 + 10, seed, 4);
        return z;
    };
    const double lx = -0.55, ly = 0.6, lz = 0.58;
    auto inside = [=](double x, double y) {
        const double u = (x - cx) / ax, v = (y - cy) / ay;
        return std::hypot(u, v) <= radius(std::atan2(v, u));
    };
    fill(c, Box{0, 0, w, h}, inside, [=](double x, double y) {
        const double u = (x - cx) / ax, v = (y - cy) / ay, e = 0.02;
        const double gx = (height(u + e, v) - height(u - e, v)) / (2 * e);
        const double gy = (height(u, v + e) - height(u, v - e)) / (2 * e);
        const double n = std::sqrt(gx * gx + gy * gy + 1);
        const double diffuse = std::max(0.0, (-gx * lx - gy * ly + lz) / n);
        const double albedo = 0.75 + 0.35 * fractal_noise(u * 3 + 4, v * 3 + 7, seed + 50, 3);
        const float light = static_cast<float>((0.12 + 0.95 * diffuse) * albedo);
        return rgba(0.66f * light, 0.62f * light, 0.58f * light);
    });
}

// Energy arc along one side of the fighter: s along the side, t outwards.
void draw_shield(Canvas& c) {
    const double w = c.design_w, h = c.design_h;
    for (int ty = 0; ty < c.height; ++ty)
        for (int tx = 0; tx < c.width; ++tx) {
            const double s = (tx + 0.5) / c.width, t = (ty + 0.5) / c.height;
            const double bow = std::sin(PI * s);
            const double centre = 0.15 + 0.4 * bow;
            const double band = std::exp(-std::pow((t - centre) / 0.13, 2));
            const double inner = std::exp(-std::pow((t - centre + 0.05) / 0.05, 2));
            const double cells = 0.85 + 0.15 * std::cos(s * w * 0.9) * std::cos(t * h * 1.6);
            const double a = std::pow(bow, 0.6) * (0.75 * band * cells + 0.5 * inner);
            c.blend(tx, ty, mix(rgba(0.55f, 0.8f, 1.0f), rgba(1, 1, 1), static_cast<float>(inner)),
                    static_cast<float>(std::min(1.0, a)));
        }
}

// A glowing bolt: white core in a coloured halo, elliptical falloff.
void draw_bolt(Canvas& c, const Rgba& halo, double core_rx, double core_ry, bool ring) {
    for (int ty = 0; ty < c.height; ++ty)
        for (int tx = 0; tx < c.width; ++tx) {
            const double x = ((tx + 0.5) / c.width - 0.5) * 2, y = ((ty + 0.5) / c.height - 0.5) * 2;
            const double d = std::hypot(x, y);
            double glow = std::max(0.0, 1 - d);
            glow = glow * glow * 1.6;
            // The core fades out before the edge, so the corners stay clear.
            const double window = std::clamp((1.1 - d) / 0.3, 0.0, 1.0);
            const double core = window * std::exp(-std::pow(x / core_rx, 2) - std::pow(y / core_ry, 2));
            double ring_v = 0;
            if (ring) ring_v = std::exp(-std::pow((d - 0.62) / 0.14, 2));
            const double a = std::min(1.0, glow + core + ring_v);
            const float white = static_cast<float>(std::min(1.0, core * 1.2));
            c.blend(tx, ty, mix(halo, rgba(1, 1, 1), white), static_cast<float>(a));
        }
}

// NAV map: the route from the bottom (start) to the top (NAV end), drawn on a
// dark chart with a grid; the second NAV marks the enemy fighters' area.
void draw_map(Canvas& c, int nav) {
    const double w = c.design_w, h = c.design_h;  // 64 x 96
    fill(c, Box{0, 0, w, h}, rounded_rect_shape(Box{0.5, 0.5, w - 0.5, h - 0.5}, 4), [=](double x, double y) {
        const bool grid = std::fmod(x + 0.5, 8.0) < 0.9 || std::fmod(y + 0.5, 8.0) < 0.9;
        return grid ? rgba(0.16f, 0.26f, 0.34f, 0.95f) : rgba(0.04f, 0.08f, 0.12f, 0.92f);
    });
    // Rocks scattered along the route.
    for (int i = 0; i < (nav == 1 ? 16 : 7); ++i) {
        const double x = 6 + (w - 12) * hash01(i, 7, nav), y = 10 + (h - 28) * hash01(i, 8, nav);
        const double r = 1.2 + 1.8 * hash01(i, 9, nav);
        fill(c, Box{x - r - 1, y - r - 1, x + r + 1, y + r + 1}, ellipse_shape(x, y, r, r * 0.9), rgba(0.55f, 0.5f, 0.45f));
    }
    // The route: a winding dashed line from start to end.
    for (int i = 0; i < 14; ++i) {
        const double y0 = 8 + i * 5.6, y1 = y0 + 3.4;
        auto xr = [&](double y) { return w / 2 + 7 * std::sin(y * 0.07 + nav); };
        fill(c, Box{0, y0 - 2, w, y1 + 2}, segment_shape(Point{xr(y0), y0}, Point{xr(y1), y1}, 1.0),
             rgba(0.6f, 0.95f, 1.0f));
    }
    // Start: a small upward triangle; end: a ring.
    const double sx = w / 2 + 7 * std::sin(nav * 1.0 + 8 * 0.07);
    fill(c, Box{sx - 5, 1, sx + 5, 9}, polygon_shape({{sx - 4, 2}, {sx + 4, 2}, {sx, 8}}), rgba(0.6f, 1.0f, 0.6f));
    const double ex = w / 2 + 7 * std::sin(nav + 86 * 0.07);
    fill(c, Box{ex - 6, 80, ex + 6, 92}, [=](double x, double y) {
        const double d = std::hypot(x - ex, y - 86);
        return d <= 4.5 && d >= 2.8;
    }, rgba(1.0f, 0.9f, 0.5f));
    if (nav == 2) {
        // Enemy fighters near the end of the route: red chevrons.
        for (int i = 0; i < 3; ++i) {
            const double x = 14 + 18 * i, y = 66 - 6 * (i % 2);
            fill(c, Box{x - 5, y - 5, x + 5, y + 5},
                 polygon_shape({{x - 4, y + 3}, {x, y - 1}, {x + 4, y + 3}, {x + 4, y}, {x, y - 4}, {x - 4, y}}),
                 rgba(1.0f, 0.3f, 0.3f));
        }
    }
    // The name in the top-left corner, clear of the route's start and of the
    // progress marker the HUD draws up the map's left edge.
    TextStyle s{Font::CondensedBold, 11, 0.5, 0};
    draw_label(c, nav == 1 ? "NAV 1" : "NAV 2", s, Box{4, h - 13, 30, h - 3}, Align::Left, 0.5f);
}

}  // namespace

void add_world_pictures(std::vector<Picture>& out) {
    // Rocks at their on-screen pixel sizes: 64x64, 256x128 and 128x128.
    out.push_back(Picture{"tex_back_rock1.tga", 64, 64, 64, 64, [](Canvas& c) { draw_rock(c, 11, 4); }});
    out.push_back(Picture{"tex_back_rock2.tga", 256, 128, 256, 128, [](Canvas& c) { draw_rock(c, 23, 9); }});
    out.push_back(Picture{"tex_back_rock3.tga", 128, 128, 128, 128, [](Canvas& c) { draw_rock(c, 37, 6); }});
    // Shield strip: 48 pixels along the side, 12 to 18 outwards.
    out.push_back(Picture{"tex_ship_shield.tga", 64, 32, 48, 16, draw_shield});
    // Shots: the laser 4x8 pixels, ion and neutron 8x8; twice the texels.
    out.push_back(Picture{"tex_gun_laser.tga", 8, 16, 4, 8,
                          [](Canvas& c) { draw_bolt(c, rgba(1.0f, 0.2f, 0.25f), 0.55, 0.95, false); }});
    out.push_back(Picture{"tex_gun_ion.tga", 16, 16, 8, 8,
                          [](Canvas& c) { draw_bolt(c, rgba(0.25f, 0.65f, 1.0f), 0.45, 0.45, false); }});
    out.push_back(Picture{"tex_gun_neutron.tga", 16, 16, 8, 8,
                          [](Canvas& c) { draw_bolt(c, rgba(0.55f, 1.0f, 0.25f), 0.25, 0.25, true); }});
    // NAV maps: 0.08 x 0.16 of the window, 64 x 96 pixels.
    out.push_back(Picture{"tex_maps_stage1_1.tga", 64, 128, 64, 96, [](Canvas& c) { draw_map(c, 1); }});
    out.push_back(Picture{"tex_maps_stage1_2.tga", 64, 128, 64, 96, [](Canvas& c) { draw_map(c, 2); }});
}
