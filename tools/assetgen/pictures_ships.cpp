// The fighters, seen from above with the nose up: the three player fighters
// (small in-game and large for the ship select) and the enemy fighter.
//
// A design is given in ship units (x and y from -1 to 1, nose at +y); the right
// half of each symmetric part is listed and mirrored. The in-game pictures are
// grey so the engine's fighter colour tints them; the big ones are painted in
// that colour themselves, since the ship select draws all three in one pink.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace {

const double PI = 3.14159265358979323846;

enum class Kind { Hull, Dark, Accent };

// How a part's right half becomes the whole: one outline across the centre
// line (fuselage, wings rooted in it), or two separate copies (pods, tips).
enum class Mirror { Joined, Separate };

struct Part {
    std::vector<Point> right;  // right half (x >= 0)
    float tone;                // base brightness
    Kind kind = Kind::Hull;
    Mirror mirror = Mirror::Joined;
};

struct Disc {
    double x, y, rx, ry;
};

struct Design {
    std::vector<Part> parts;          // drawn in order
    std::vector<Disc> engines;        // nozzles; mirrored when x > 0
    Disc cockpit;
    std::vector<std::pair<Point, Point>> seams;  // panel lines, mirrored
    std::vector<Point> lights;        // position lights, mirrored
    Rgba glass = rgba(0.55f, 0.75f, 0.85f);
    Rgba flame = rgba(1.0f, 0.85f, 0.6f);
};

// Ship units to window pixels: centre, scale and heading (0 = nose up,
// positive turns the nose clockwise).
struct Placement {
    double cx, cy, scale, heading;
    Point to_screen(const Point& u) const {
        const double c = std::cos(heading), s = std::sin(heading);
        return Point{cx + scale * (u.x * c + u.y * s), cy + scale * (-u.x * s + u.y * c)};
    }
    Point to_ship(double x, double y) const {
        const double c = std::cos(heading), s = std::sin(heading);
        const double dx = (x - cx) / scale, dy = (y - cy) / scale;
        return Point{dx * c - dy * s, dx * s + dy * c};
    }
};

std::vector<Point> mirrored(const std::vector<Point>& right) {
    std::vector<Point> all = right;
    for (auto it = right.rbegin(); it != right.rend(); ++it) all.push_back(Point{-it->x, it->y});
    return all;
}

std::vector<Point> placed(const Placement& p, const std::vector<Point>& pts) {
    std::vector<Point> out;
    for (const Point& u : pts) out.push_back(p.to_screen(u));
    return out;
}

Inside disc_shape(const Placement& p, const Disc& d) {
    return [=](double x, double y) {
        const Point u = p.to_ship(x, y);
        const double dx = (u.x - d.x) / d.rx, dy = (u.y - d.y) / d.ry;
        return dx * dx + dy * dy <= 1;
    };
}

Box disc_box(const Placement& p, const Disc& d) {
    const double r = std::max(d.rx, d.ry) * p.scale + 2;
    const Point c = p.to_screen(Point{d.x, d.y});
    return Box{c.x - r, c.y - r, c.x + r, c.y + r};
}

std::vector<Disc> both_sides(const std::vector<Disc>& ds) {
    std::vector<Disc> out;
    for (const Disc& d : ds) {
        out.push_back(d);
        if (d.x > 0) out.push_back(Disc{-d.x, d.y, d.rx, d.ry});
    }
    return out;
}

void draw_design(Canvas& c, const Design& d, const Placement& p, const Rgba& accent, bool detailed) {
    std::vector<std::vector<Point>> polys;
    std::vector<const Part*> owner;
    for (const Part& part : d.parts) {
        if (part.mirror == Mirror::Joined) {
            polys.push_back(placed(p, mirrored(part.right)));
            owner.push_back(&part);
            continue;
        }
        std::vector<Point> left;
        for (const Point& q : part.right) left.push_back(Point{-q.x, q.y});
        polys.push_back(placed(p, part.right));
        polys.push_back(placed(p, left));
        owner.push_back(&part);
        owner.push_back(&part);
    }
    std::vector<Inside> shapes;
    std::vector<Box> boxes;
    for (const auto& poly : polys) {
        shapes.push_back(polygon_shape(poly));
        boxes.push_back(bounds_of(poly, 0));
    }
    auto silhouette = [&](double x, double y) {
        for (size_t i = 0; i < shapes.size(); ++i) {
            const Box& b = boxes[i];
            if (x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1 && shapes[i](x, y)) return true;
        }
        return false;
    };
    Box all{1e9, 1e9, -1e9, -1e9};
    for (const auto& poly : polys) {
        const Box b = bounds_of(poly, 3);
        all = Box{std::min(all.x0, b.x0), std::min(all.y0, b.y0), std::max(all.x1, b.x1), std::max(all.y1, b.y1)};
    }
    const double unit = p.scale;  // window pixels per ship unit

    // Engine exhaust behind the nozzles; the small pictures have none, so the
    // HUD's rear read-out stays clear.
    for (const Disc& e : both_sides(d.engines)) {
        if (!detailed) break;
        const double len = detailed ? 0.9 : 0.35;
        Disc plume{e.x, e.y - len * 0.55, e.rx * 0.9, len * 0.6};
        Mask m = mask_of(c, disc_box(p, plume), disc_shape(p, plume));
        blur_mask(m, c.width, c.height, std::max(1, static_cast<int>(0.05 * unit * c.texels_per_unit_x())));
        paint_mask(c, m, [&](double x, double y) {
            const Point u = p.to_ship(x, y);
            const float t = static_cast<float>(std::clamp((e.y - u.y) / (len * 1.1), 0.0, 1.0));
            Rgba col = mix(d.flame, rgba(1.0f, 0.45f, 0.2f), t);
            col.a = 1.0f - t;
            return col;
        });
    }

    // Dark rim so the craft stands out from stars and rocks.
    const Mask outline = mask_of(c, all, silhouette);
    Mask rim = outline;
    blur_mask(rim, c.width, c.height, std::max(1, static_cast<int>(std::lround(0.6 * c.texels_per_unit_x()))));
    paint_mask(c, rim, grey(0.06f, 0.9f), 3.0f);

    // Edge shade: the blurred silhouette is low near the outline, so plates
    // darken towards their edges and read as rounded.
    Mask bevel = outline;
    blur_mask(bevel, c.width, c.height, std::max(1, static_cast<int>(std::lround(0.07 * unit * c.texels_per_unit_x()))));
    auto bevel_at = [&](double x, double y) {
        const int tx = std::clamp(static_cast<int>(x * c.texels_per_unit_x()), 0, c.width - 1);
        const int ty = std::clamp(static_cast<int>(y * c.texels_per_unit_y()), 0, c.height - 1);
        return bevel[static_cast<size_t>(ty) * c.width + tx];
    };

    for (size_t i = 0; i < polys.size(); ++i) {
        const Part& part = *owner[i];
        fill(c, bounds_of(polys[i]), polygon_shape(polys[i]), [&, part](double x, double y) {
            const Point u = p.to_ship(x, y);
            // Light from the upper left: the left of the ridge is lit.
            float side = u.x < 0 ? 1.0f : 0.74f;
            if (part.kind == Kind::Hull && std::abs(u.x) > 0.25) side = static_cast<float>(1.0 - 0.25 * std::abs(u.x)) * (u.x < 0 ? 1.0f : 0.85f);
            const float fore = static_cast<float>(0.9 + 0.1 * u.y);
            const float edge = 0.55f + 0.45f * std::min(1.0f, bevel_at(x, y) * 1.6f);
            float v = part.tone * side * fore * edge;
            if (part.kind == Kind::Accent) return Rgba{accent.r * v, accent.g * v, accent.b * v, 1};
            if (part.kind == Kind::Dark) v *= 0.5f;
            return grey(v);
        });
    }

    // Panel seams: thin dark lines, thinner on the small pictures.
    const double seam_w = detailed ? 0.9 : 0.45;
    for (const auto& [a, b] : d.seams) {
        for (int side = 0; side < 2; ++side) {
            const double k = side ? -1 : 1;
            const Point pa = p.to_screen(Point{a.x * k, a.y}), pb = p.to_screen(Point{b.x * k, b.y});
            fill(c, bounds_of({pa, pb}, 2), segment_shape(pa, pb, seam_w), grey(0.1f, detailed ? 0.55f : 0.35f));
            if (a.x == 0 && b.x == 0) break;
        }
    }

    // Nozzles: dark rings with a hot core.
    for (const Disc& e : both_sides(d.engines)) {
        fill(c, disc_box(p, e), disc_shape(p, e), grey(0.12f));
        const Disc core{e.x, e.y - e.ry * 0.2, e.rx * 0.6, e.ry * 0.6};
        fill(c, disc_box(p, core), disc_shape(p, core), d.flame);
    }

    // Canopy: a dark glass with a sky reflection along its upper left.
    const Disc& k = d.cockpit;
    fill(c, disc_box(p, k), disc_shape(p, k), [&](double x, double y) {
        const Point u = p.to_ship(x, y);
        const double gx = (u.x - k.x) / k.rx, gy = (u.y - k.y) / k.ry;
        const double glint = std::exp(-std::pow((gx + 0.35) / 0.25, 2) - std::pow((gy - 0.3) / 0.45, 2));
        Rgba base = mix(grey(0.08f), d.glass, static_cast<float>(0.35 + 0.4 * (gy + 1) / 2));
        return mix(base, grey(1.0f), static_cast<float>(glint * 0.85));
    });

    for (const Point& l : d.lights) {
        for (int side = 0; side < (l.x == 0 ? 1 : 2); ++side) {
            const Point pl = p.to_screen(Point{side ? -l.x : l.x, l.y});
            const double r = std::max(0.9, 0.035 * unit);
            fill(c, Box{pl.x - r - 1, pl.y - r - 1, pl.x + r + 1, pl.y + r + 1}, ellipse_shape(pl.x, pl.y, r, r),
                 detailed ? (side ? rgba(1, 0.3f, 0.3f) : rgba(0.4f, 1, 0.5f)) : grey(1.0f));
        }
    }
}

// The player's fighters share one plan, set by the HUD, which draws the small
// picture over 48 x 48 pixels (22.5 to the ship unit) and writes the four
// shield read-outs around and into it: the front figure above y 0.755 and the
// rear one below y -0.667 (both for |x| under about 0.58), the side figures
// across the middle, from y -0.18 to 0.27, everywhere but a neck |x| <= 0.085.
// So each fighter is a fore body (nose, cockpit, fore wings) and an aft body
// (main wings, engines) on a slim neck, and only pods and fins out at the
// wing tips reach past the nose and the tail.

// Pilvet: a slim dart with swept deltas, canards and drooping tip fins; one engine.
Design pilvet() {
    Design d;
    const Part tip_fins{{{0.84, -0.50}, {0.92, -0.56}, {0.95, -0.92}, {0.86, -0.80}}, 0.70f, Kind::Hull,
                        Mirror::Separate};
    const Part main_deltas{{{0.085, -0.19}, {0.90, -0.50}, {0.92, -0.62}, {0.13, -0.60}}, 0.78f};
    const Part canards{{{0.09, 0.56}, {0.48, 0.35}, {0.48, 0.29}, {0.09, 0.32}}, 0.80f, Kind::Hull, Mirror::Separate};
    const Part fuselage{{{0.0, 0.75}, {0.05, 0.63}, {0.10, 0.45}, {0.085, 0.28}, {0.085, -0.18}, {0.15, -0.30},
                         {0.16, -0.56}, {0.09, -0.64}},
                        0.95f};
    const Part wing_tips{{{0.62, -0.42}, {0.90, -0.50}, {0.92, -0.62}, {0.66, -0.58}}, 0.9f, Kind::Accent,
                         Mirror::Separate};
    d.parts = {tip_fins, main_deltas, canards, fuselage, wing_tips};
    d.engines = {{0.0, -0.61, 0.08, 0.045}};
    d.cockpit = {0.0, 0.47, 0.055, 0.15};
    d.seams = {{{0.0, 0.25}, {0.0, -0.55}}, {{0.15, -0.28}, {0.6, -0.46}}, {{0.05, -0.35}, {0.15, -0.35}}};
    d.lights = {{0.88, -0.58}};
    return d;
}

// Vesker: forward-swept fore wings, twin engine pods with a tailplane between them.
Design vesker() {
    Design d;
    const Part fore_wings{{{0.085, 0.29}, {0.10, 0.50}, {0.80, 0.74}, {0.94, 0.72}, {0.92, 0.52}, {0.34, 0.29}},
                          0.80f};
    const Part tailplane{{{0.20, -0.40}, {0.82, -0.50}, {0.84, -0.62}, {0.20, -0.60}}, 0.72f};
    const Part tail_fins{{{0.62, -0.50}, {0.72, -0.50}, {0.76, -0.92}, {0.66, -0.86}}, 0.66f, Kind::Hull,
                         Mirror::Separate};
    const Part engine_pods{{{0.20, -0.20}, {0.30, -0.19}, {0.40, -0.26}, {0.41, -0.62}, {0.20, -0.63}}, 0.88f,
                           Kind::Hull, Mirror::Separate};
    const Part fuselage{{{0.0, 0.74}, {0.08, 0.62}, {0.12, 0.42}, {0.085, 0.28}, {0.085, -0.18}, {0.19, -0.26},
                         {0.19, -0.58}, {0.08, -0.64}},
                        0.95f};
    const Part wing_tips{{{0.74, 0.61}, {0.80, 0.74}, {0.94, 0.72}, {0.93, 0.60}}, 0.9f, Kind::Accent,
                         Mirror::Separate};
    const Part pod_bands{{{0.21, -0.30}, {0.40, -0.30}, {0.40, -0.38}, {0.21, -0.38}}, 0.9f, Kind::Accent,
                         Mirror::Separate};
    d.parts = {fore_wings, tailplane, tail_fins, engine_pods, fuselage, wing_tips, pod_bands};
    d.engines = {{0.30, -0.60, 0.07, 0.045}};
    d.cockpit = {0.0, 0.48, 0.07, 0.14};
    d.seams = {{{0.0, 0.22}, {0.0, -0.55}}, {{0.14, 0.40}, {0.86, 0.64}}, {{0.30, -0.22}, {0.30, -0.56}}};
    d.lights = {{0.92, 0.66}};
    return d;
}

// Brantor: a broad armoured gunship: a fore body with cannon pods reaching
// ahead, a heavy aft body with wide wings, rear pods and two engines, on an
// armoured spine.
Design brantor() {
    Design d;
    const Part main_wings{{{0.26, -0.19}, {0.96, -0.26}, {0.96, -0.60}, {0.26, -0.64}}, 0.74f};
    const Part fore_wings{{{0.16, 0.29}, {0.92, 0.30}, {0.92, 0.50}, {0.16, 0.60}}, 0.72f};
    const Part cannon_pods{{{0.74, 0.28}, {0.74, 0.80}, {0.82, 0.98}, {0.90, 0.80}, {0.90, 0.28}}, 0.86f, Kind::Hull,
                           Mirror::Separate};
    const Part rear_pods{{{0.78, -0.22}, {0.92, -0.22}, {0.92, -0.84}, {0.85, -0.90}, {0.78, -0.84}}, 0.82f,
                         Kind::Hull, Mirror::Separate};
    const Part fuselage{{{0.0, 0.74}, {0.18, 0.64}, {0.26, 0.40}, {0.14, 0.29}, {0.085, 0.28}, {0.085, -0.18},
                         {0.14, -0.19}, {0.30, -0.24}, {0.32, -0.58}, {0.22, -0.65}},
                        0.92f};
    const Part armour_plate{{{0.10, -0.30}, {0.26, -0.30}, {0.26, -0.52}, {0.10, -0.52}}, 0.8f};
    const Part pod_bands{{{0.76, 0.40}, {0.88, 0.40}, {0.88, 0.32}, {0.76, 0.32}}, 0.9f, Kind::Accent,
                         Mirror::Separate};
    const Part wing_stripes{{{0.34, -0.30}, {0.66, -0.34}, {0.66, -0.42}, {0.34, -0.38}}, 0.9f, Kind::Accent,
                            Mirror::Separate};
    d.parts = {main_wings, fore_wings, cannon_pods, rear_pods, fuselage, armour_plate, pod_bands, wing_stripes};
    d.engines = {{0.18, -0.61, 0.10, 0.045}};
    d.cockpit = {0.0, 0.50, 0.09, 0.12};
    d.seams = {{{0.0, 0.25}, {0.0, -0.58}}, {{0.32, -0.48}, {0.96, -0.46}}, {{0.55, -0.22}, {0.55, -0.60}},
               {{0.16, 0.40}, {0.74, 0.40}}};
    d.lights = {{0.82, 0.92}};
    d.flame = rgba(0.8f, 0.9f, 1.0f);
    return d;
}

// Gorrak, the enemy: a dark violet claw with forward-reaching blades and a red eye.
Design gorrak() {
    Design d;
    d.parts = {
        {{{0.14, 0.15}, {0.55, 0.25}, {0.92, 0.85}, {0.86, 0.22}, {0.95, -0.30}, {0.55, -0.50}, {0.14, -0.38}}, 0.78f},
        {{{0.0, 0.96}, {0.20, 0.35}, {0.18, -0.50}, {0.0, -0.72}}, 0.92f},
        {{{0.62, 0.28}, {0.90, 0.78}, {0.86, 0.30}}, 0.95f, Kind::Accent, Mirror::Separate},
        {{{0.40, -0.40}, {0.80, -0.36}, {0.55, -0.48}}, 0.95f, Kind::Accent, Mirror::Separate},
    };
    d.engines = {{0.1, -0.68, 0.07, 0.06}};
    d.cockpit = {0.0, 0.38, 0.07, 0.12};
    d.seams = {{{0.0, 0.2}, {0.0, -0.6}}, {{0.2, 0.0}, {0.85, 0.2}}};
    d.lights = {{0.92, -0.28}};
    d.glass = rgba(1.0f, 0.2f, 0.15f);
    d.flame = rgba(0.7f, 1.0f, 0.6f);
    return d;
}

// Multiplies every grey texel (the hull and its shading; not the glass, the
// flames, the lights or a coloured accent) by `colour`.
void tint_greys(Canvas& c, const Rgba& colour) {
    for (Rgba& t : c.texels) {
        const bool grey_texel = std::abs(t.r - t.g) < 0.02f && std::abs(t.g - t.b) < 0.02f;
        if (!grey_texel) continue;
        const float v = std::max({t.r, t.g, t.b});
        t.r = v * colour.r;
        t.g = v * colour.g;
        t.b = v * colour.b;
    }
}

// The enemy is drawn in white, so its colour is its own: a violet steel.
void tint_violet(Canvas& c) { tint_greys(c, rgba(0.86f, 0.70f, 1.0f)); }

// The ship select draws its pictures in its pale red (1, 0.7, 0.7). A big
// fighter's hull is painted so that, under that tint, it shows the colour the
// same fighter flies in: the flight colour divided by the tint, scaled back
// into range.
Rgba under_ship_select_tint(const Rgba& flight) {
    const float r = flight.r / 1.0f, g = flight.g / 0.7f, b = flight.b / 0.7f;
    const float top = std::max({r, g, b});
    return rgba(r / top, g / top, b / top);
}

Picture small_ship(const std::string& name, Design (*design)(), bool enemy = false) {
    // 48 x 48 window pixels on a 64 x 64 texture.
    return Picture{name, 64, 64, 48, 48, [design, enemy](Canvas& c) {
                       // A pixel right of centre: the gap the HUD leaves between
                       // its side read-outs is pixel columns 22 to 28.
                       draw_design(c, design(), Placement{enemy ? 24.0 : 25.0, 24, 22.5, 0}, grey(0.95f), false);
                       if (enemy) tint_violet(c);
                   }, false, true};
}

Picture big_ship(const std::string& name, Design (*design)(), Rgba flight_colour) {
    // 0.64 x 0.42 of the window: 512 x 252 pixels on 512 x 256 texels. The
    // craft flies to the right, slightly climbing, over a soft shadow. The
    // accents stay light, as on the small picture the stage tints.
    return Picture{name, 512, 256, 512, 252, [design, flight_colour](Canvas& c) {
                       const Placement at{266, 132, 121, PI / 2 - 0.1};
                       Mask shadow = mask_of(c, Box{0, 0, 512, 252}, ellipse_shape(250, 28, 170, 14));
                       blur_mask(shadow, c.width, c.height, 10);
                       paint_mask(c, shadow, grey(0.0f, 0.6f), 1.5f);
                       draw_design(c, design(), at, grey(1.0f), true);
                       tint_greys(c, under_ship_select_tint(flight_colour));
                   }};
}

}  // namespace

void add_ship_pictures(std::vector<Picture>& out) {
    out.push_back(small_ship("tex_ship_pilvet.tga", pilvet));
    out.push_back(small_ship("tex_ship_vesker.tga", vesker));
    out.push_back(small_ship("tex_ship_brantor.tga", brantor));
    out.push_back(small_ship("tex_ship_gorrak.tga", gorrak, true));
    // The stage's fighter colours: Pilvet (0.7, 1, 0.7), Vesker (0.9, 0.7, 0.1), Brantor (1, 0.4, 0.4).
    out.push_back(big_ship("tex_ship_pilvet_big.tga", pilvet, rgba(0.7f, 1.0f, 0.7f)));
    out.push_back(big_ship("tex_ship_vesker_big.tga", vesker, rgba(0.9f, 0.7f, 0.1f)));
    out.push_back(big_ship("tex_ship_brantor_big.tga", brantor, rgba(1.0f, 0.4f, 0.4f)));
}
