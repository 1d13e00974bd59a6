#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>

namespace {

// Samples per texel side for shape coverage: 4x4 gives 17 levels of edge.
const int SUPERSAMPLE = 4;

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

struct TexelRange {
    int x0, y0, x1, y1;  // inclusive-exclusive
};

TexelRange texels_of(const Canvas& c, const Box& b) {
    const double kx = c.texels_per_unit_x(), ky = c.texels_per_unit_y();
    TexelRange r;
    r.x0 = std::max(0, static_cast<int>(std::floor(b.x0 * kx)));
    r.y0 = std::max(0, static_cast<int>(std::floor(b.y0 * ky)));
    r.x1 = std::min(c.width, static_cast<int>(std::ceil(b.x1 * kx)) + 1);
    r.y1 = std::min(c.height, static_cast<int>(std::ceil(b.y1 * ky)) + 1);
    return r;
}

float coverage_at(const Canvas& c, int tx, int ty, const Inside& inside) {
    const double ux = 1.0 / c.texels_per_unit_x(), uy = 1.0 / c.texels_per_unit_y();
    int hits = 0;
    for (int j = 0; j < SUPERSAMPLE; ++j) {
        const double y = (ty + (j + 0.5) / SUPERSAMPLE) * uy;
        for (int i = 0; i < SUPERSAMPLE; ++i) {
            const double x = (tx + (i + 0.5) / SUPERSAMPLE) * ux;
            if (inside(x, y)) ++hits;
        }
    }
    return static_cast<float>(hits) / (SUPERSAMPLE * SUPERSAMPLE);
}

}  // namespace

Rgba mix(const Rgba& a, const Rgba& b, float t) {
    return Rgba{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
                a.a + (b.a - a.a) * t};
}

Canvas::Canvas(int texture_w, int texture_h, double screen_w, double screen_h)
    : width(texture_w), height(texture_h), design_w(screen_w), design_h(screen_h),
      texels(static_cast<size_t>(texture_w) * texture_h) {}

void Canvas::blend(int x, int y, const Rgba& colour, float coverage) {
    const float a = clamp01(colour.a) * clamp01(coverage);
    if (a <= 0) return;
    Rgba& d = at(x, y);
    const float keep = 1.0f - a;
    d.r = clamp01(colour.r) * a + d.r * keep;
    d.g = clamp01(colour.g) * a + d.g * keep;
    d.b = clamp01(colour.b) * a + d.b * keep;
    d.a = a + d.a * keep;
}

void fill(Canvas& c, const Box& bounds, const Inside& inside, const Paint& paint) {
    const TexelRange r = texels_of(c, bounds);
    const double ux = 1.0 / c.texels_per_unit_x(), uy = 1.0 / c.texels_per_unit_y();
    for (int ty = r.y0; ty < r.y1; ++ty) {
        for (int tx = r.x0; tx < r.x1; ++tx) {
            const float cov = coverage_at(c, tx, ty, inside);
            if (cov <= 0) continue;
            c.blend(tx, ty, paint((tx + 0.5) * ux, (ty + 0.5) * uy), cov);
        }
    }
}

void fill(Canvas& c, const Box& bounds, const Inside& inside, const Rgba& colour) {
    fill(c, bounds, inside, [colour](double, double) { return colour; });
}

Inside polygon_shape(std::vector<Point> pts) {
    return [pts = std::move(pts)](double x, double y) {
        bool in = false;
        const size_t n = pts.size();
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            const Point& a = pts[i];
            const Point& b = pts[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
    };
}

Inside ellipse_shape(double cx, double cy, double rx, double ry) {
    return [=](double x, double y) {
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
}

Inside rounded_rect_shape(const Box& b, double radius) {
    return [=](double x, double y) {
        if (x < b.x0 || x > b.x1 || y < b.y0 || y > b.y1) return false;
        const double cx = std::clamp(x, b.x0 + radius, b.x1 - radius);
        const double cy = std::clamp(y, b.y0 + radius, b.y1 - radius);
        const double dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= radius * radius;
    };
}

Inside segment_shape(Point a, Point b, double half_width) {
    return [=](double x, double y) {
        const double vx = b.x - a.x, vy = b.y - a.y;
        const double len2 = vx * vx + vy * vy;
        double t = len2 > 0 ? ((x - a.x) * vx + (y - a.y) * vy) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        const double dx = x - (a.x + t * vx), dy = y - (a.y + t * vy);
        return dx * dx + dy * dy <= half_width * half_width;
    };
}

Box bounds_of(const std::vector<Point>& pts, double margin) {
    Box b{1e9, 1e9, -1e9, -1e9};
    for (const Point& p : pts) {
        b.x0 = std::min(b.x0, p.x);
        b.y0 = std::min(b.y0, p.y);
        b.x1 = std::max(b.x1, p.x);
        b.y1 = std::max(b.y1, p.y);
    }
    return Box{b.x0 - margin, b.y0 - margin, b.x1 + margin, b.y1 + margin};
}

Mask mask_of(const Canvas& c, const Box& bounds, const Inside& inside) {
    Mask m(static_cast<size_t>(c.width) * c.height, 0.0f);
    const TexelRange r = texels_of(c, bounds);
    for (int ty = r.y0; ty < r.y1; ++ty)
        for (int tx = r.x0; tx < r.x1; ++tx) m[static_cast<size_t>(ty) * c.width + tx] = coverage_at(c, tx, ty, inside);
    return m;
}

void blur_mask(Mask& m, int w, int h, int radius) {
    if (radius <= 0) return;
    // Work only around what the mask covers: three passes spread it by 3 radii.
    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (m[static_cast<size_t>(y) * w + x] > 0) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    if (x1 < 0) return;
    const int spread = 3 * radius + 1;
    x0 = std::max(0, x0 - spread);
    y0 = std::max(0, y0 - spread);
    x1 = std::min(w - 1, x1 + spread);
    y1 = std::min(h - 1, y1 + spread);
    Mask tmp(m.size());
    const float norm = 1.0f / (2 * radius + 1);
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                float sum = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const int xx = x + k;
                    if (xx >= 0 && xx < w) sum += m[static_cast<size_t>(y) * w + xx];
                }
                tmp[static_cast<size_t>(y) * w + x] = sum * norm;
            }
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                float sum = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const int yy = y + k;
                    if (yy >= 0 && yy < h) sum += tmp[static_cast<size_t>(yy) * w + x];
                }
                m[static_cast<size_t>(y) * w + x] = sum * norm;
            }
    }
}

void paint_mask(Canvas& c, const Mask& m, const Paint& paint, float strength) {
    const double ux = 1.0 / c.texels_per_unit_x(), uy = 1.0 / c.texels_per_unit_y();
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float v = m[static_cast<size_t>(y) * c.width + x] * strength;
            if (v > 0) c.blend(x, y, paint((x + 0.5) * ux, (y + 0.5) * uy), v);
        }
}

void paint_mask(Canvas& c, const Mask& m, const Rgba& colour, float strength) {
    paint_mask(c, m, [colour](double, double) { return colour; }, strength);
}

void soften(Canvas& c) {
    std::vector<Rgba> out(c.texels.size());
    const int w = c.width, h = c.height;
    auto get = [&](int x, int y) -> const Rgba& {
        return c.at(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1));
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgba s;
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i) {
                    const float k = static_cast<float>((i == 0 ? 2 : 1) * (j == 0 ? 2 : 1)) / 16.0f;
                    const Rgba& p = get(x + i, y + j);
                    s.r += p.r * k;
                    s.g += p.g * k;
                    s.b += p.b * k;
                    s.a += p.a * k;
                }
            out[static_cast<size_t>(y) * w + x] = s;
        }
    c.texels = std::move(out);
}

namespace {

uint8_t to_byte(float v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f)); }

// Straight colours with the colour of transparent texels borrowed from their
// nearest visible neighbours (a few rounds of dilation).
std::vector<Rgba> straight_with_bleed(const Canvas& c) {
    const int w = c.width, h = c.height;
    std::vector<Rgba> out(c.texels.size());
    std::vector<uint8_t> known(c.texels.size(), 0);
    for (size_t i = 0; i < out.size(); ++i) {
        const Rgba& p = c.texels[i];
        if (p.a > 1e-4f) {
            out[i] = Rgba{p.r / p.a, p.g / p.a, p.b / p.a, p.a};
            known[i] = 1;
        }
    }
    for (int round = 0; round < 4; ++round) {
        std::vector<uint8_t> next = known;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t i = static_cast<size_t>(y) * w + x;
                if (known[i]) continue;
                float r = 0, g = 0, b = 0;
                int n = 0;
                for (int j = -1; j <= 1; ++j)
                    for (int k = -1; k <= 1; ++k) {
                        const int xx = x + k, yy = y + j;
                        if (xx < 0 || yy < 0 || xx >= w || yy >= h) continue;
                        const size_t q = static_cast<size_t>(yy) * w + xx;
                        if (!known[q]) continue;
                        r += out[q].r;
                        g += out[q].g;
                        b += out[q].b;
                        ++n;
                    }
                if (n) {
                    out[i] = Rgba{r / n, g / n, b / n, c.texels[i].a};
                    next[i] = 1;
                }
            }
        known.swap(next);
    }
    for (size_t i = 0; i < out.size(); ++i) out[i].a = c.texels[i].a;
    return out;
}

}  // namespace

bool write_tga(const Canvas& c, const std::string& path, bool alpha_only) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    uint8_t header[18] = {};
    header[2] = alpha_only ? 3 : 2;  // uncompressed grey / true colour
    header[12] = static_cast<uint8_t>(c.width & 0xff);
    header[13] = static_cast<uint8_t>(c.width >> 8);
    header[14] = static_cast<uint8_t>(c.height & 0xff);
    header[15] = static_cast<uint8_t>(c.height >> 8);
    header[16] = alpha_only ? 8 : 32;
    header[17] = alpha_only ? 0 : 8;  // 8 alpha bits, origin at the bottom-left
    std::vector<uint8_t> data;
    data.reserve(sizeof header + c.texels.size() * 4);
    data.insert(data.end(), header, header + sizeof header);
    if (alpha_only) {
        for (const Rgba& p : c.texels) data.push_back(to_byte(p.a));
    } else {
        for (const Rgba& p : straight_with_bleed(c)) {
            data.push_back(to_byte(p.b));
            data.push_back(to_byte(p.g));
            data.push_back(to_byte(p.r));
            data.push_back(to_byte(p.a));
        }
    }
    const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

double hash01(int x, int y, int seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / static_cast<double>(0xffffff);
}

double value_noise(double x, double y, int seed) {
    const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
    const double fx = x - xi, fy = y - yi;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = hash01(xi, yi, seed), b = hash01(xi + 1, yi, seed);
    const double c = hash01(xi, yi + 1, seed), d = hash01(xi + 1, yi + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

double fractal_noise(double x, double y, int seed, int octaves) {
    double sum = 0, amp = 0.5, norm = 0, f = 1;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * value_noise(x * f, y * f, seed + o * 101);
        norm += amp;
        amp *= 0.5;
        f *= 2;
    }
    return sum / norm;
}
