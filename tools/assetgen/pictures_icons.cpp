// The desktop icon: the player's first fighter climbing past a rock on a
// rounded tile of deep space, at every size an icon theme looks for.
//
// It is composed from the game's own pictures, the fighter and the rock drawn
// afresh at the icon's resolution and tinted as the engine tints them on the
// playfield, so the icon always looks like the game it opens.
#include <png.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "pictures.h"

namespace {

// The sizes of the icon theme's hicolor/NxN/apps folders, pixels.
const int ICON_SIZES[] = {16, 22, 24, 32, 48, 64, 128, 256};
const char ICON_FILE[] = "korvane-arcade.png";
// Sizes from which the rock, and then the stars, join the fighter: smaller,
// they are only noise.
const int ROCK_SIZE = 32;
const int STARS_SIZE = 48;

// The engine's tints: Pilvet's green and the rocks' pink.
const Rgba FIGHTER_TINT = rgba(0.7f, 1.0f, 0.7f);
const Rgba ROCK_TINT = rgba(1.0f, 0.7f, 0.7f);
const Rgba SPACE_TOP = rgba(0.13f, 0.08f, 0.27f);
const Rgba SPACE_BOTTOM = rgba(0.01f, 0.02f, 0.08f);
const Rgba TILE_RIM = rgba(0.42f, 0.36f, 0.62f);

// Where the parts sit on the icon, in fractions of its side (origin at the
// bottom-left): the tile's margin and corner radius, the fighter's and the
// rock's squares.
const double TILE_MARGIN = 1.0 / 16;
const double TILE_RADIUS = 0.17;
const Box FIGHTER_BOX{0.15, 0.09, 0.79, 0.73};
const Box ROCK_BOX{0.56, 0.56, 0.86, 0.86};

const Picture* find_picture(const std::vector<Picture>& all, const std::string& name) {
    for (const Picture& p : all)
        if (p.name == name) return &p;
    return nullptr;
}

// Draws `p` over w x h texels: its design rectangle stretched to that size.
Canvas render(const Picture& p, int w, int h) {
    Canvas c(w, h, p.screen_w, p.screen_h);
    p.draw(c);
    return c;
}

// Lays `src` (premultiplied), multiplied by `tint`, over `dst` with its
// lower-left corner at texel (ox, oy).
void composite(Canvas& dst, const Canvas& src, int ox, int oy, const Rgba& tint) {
    for (int y = 0; y < src.height; ++y) {
        for (int x = 0; x < src.width; ++x) {
            const int dx = ox + x, dy = oy + y;
            if (dx < 0 || dy < 0 || dx >= dst.width || dy >= dst.height) continue;
            const Rgba& s = src.at(x, y);
            Rgba& d = dst.at(dx, dy);
            const float keep = 1.0f - s.a;
            d.r = s.r * tint.r + d.r * keep;
            d.g = s.g * tint.g + d.g * keep;
            d.b = s.b * tint.b + d.b * keep;
            d.a = s.a + d.a * keep;
        }
    }
}

void place(Canvas& icon, const Picture& p, const Box& where, const Rgba& tint) {
    const int size = icon.width;
    const int x0 = static_cast<int>(std::lround(where.x0 * size)), y0 = static_cast<int>(std::lround(where.y0 * size));
    const int x1 = static_cast<int>(std::lround(where.x1 * size)), y1 = static_cast<int>(std::lround(where.y1 * size));
    composite(icon, render(p, std::max(1, x1 - x0), std::max(1, y1 - y0)), x0, y0, tint);
}

// Scattered stars in the game's white and pink, fewer than the playfield's.
void draw_stars(Canvas& icon) {
    const double r = std::max(0.6, icon.width / 160.0) / icon.width;
    const int count = 14;
    for (int i = 0; i < count; ++i) {
        const double x = 0.08 + 0.84 * hash01(i, 1, 77), y = 0.08 + 0.84 * hash01(i, 2, 77);
        const float v = static_cast<float>(0.55 + 0.45 * hash01(i, 3, 77));
        const Rgba colour = i % 3 == 0 ? rgba(v, 0.55f * v, 0.5f * v) : grey(v);
        fill(icon, Box{x - 2 * r, y - 2 * r, x + 2 * r, y + 2 * r}, ellipse_shape(x, y, r, r), colour);
    }
}

Canvas draw_icon(const std::vector<Picture>& pictures, int size) {
    Canvas icon(size, size, 1.0, 1.0);
    const Picture* fighter = find_picture(pictures, "tex_ship_pilvet.tga");
    const Picture* rock = find_picture(pictures, "tex_back_rock1.tga");
    const double m = std::max(TILE_MARGIN, 1.0 / size);
    const Box tile{m, m, 1 - m, 1 - m};
    const double rim = std::max(1.0, size / 64.0) / size;

    fill(icon, tile, rounded_rect_shape(tile, TILE_RADIUS), TILE_RIM);
    const Box inner{m + rim, m + rim, 1 - m - rim, 1 - m - rim};
    fill(icon, inner, rounded_rect_shape(inner, TILE_RADIUS - rim),
         [&](double, double y) { return mix(SPACE_BOTTOM, SPACE_TOP, static_cast<float>(y)); });
    Canvas scene(size, size, 1.0, 1.0);
    if (size >= STARS_SIZE) draw_stars(scene);
    if (size >= ROCK_SIZE && rock) place(scene, *rock, ROCK_BOX, ROCK_TINT);
    if (fighter) place(scene, *fighter, FIGHTER_BOX, FIGHTER_TINT);

    // The scene stays inside the tile's dark face, off its rim.
    const Mask face = mask_of(scene, inner, rounded_rect_shape(inner, TILE_RADIUS - rim));
    for (size_t i = 0; i < scene.texels.size(); ++i) {
        Rgba& t = scene.texels[i];
        t = Rgba{t.r * face[i], t.g * face[i], t.b * face[i], t.a * face[i]};
    }
    composite(icon, scene, 0, 0, grey(1.0f));
    return icon;
}

unsigned char to_byte(float v) { return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); }

// Writes an 8-bit RGBA PNG (straight alpha, top row first). Returns false on
// any error.
bool write_png(const Canvas& c, const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<unsigned char> rows(static_cast<size_t>(c.width) * c.height * 4);
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const Rgba& t = c.at(x, c.height - 1 - y);
            const float a = t.a > 0 ? t.a : 1.0f;
            unsigned char* out = &rows[(static_cast<size_t>(y) * c.width + x) * 4];
            out[0] = to_byte(t.r / a);
            out[1] = to_byte(t.g / a);
            out[2] = to_byte(t.b / a);
            out[3] = to_byte(t.a);
        }
    }
    bool ok = info != nullptr;
    if (ok && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, f);
        png_set_IHDR(png, info, c.width, c.height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < c.height; ++y) png_write_row(png, &rows[static_cast<size_t>(y) * c.width * 4]);
        png_write_end(png, nullptr);
    } else {
        ok = false;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0 && ok;
}

bool make_dirs(const std::string& path) {
    for (size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1))
        if (mkdir(path.substr(0, at).c_str(), 0755) != 0 && errno != EEXIST) return false;
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

}  // namespace

bool write_icons(const std::string& dir) {
    std::vector<Picture> pictures;
    add_ship_pictures(pictures);
    add_world_pictures(pictures);
    if (!find_picture(pictures, "tex_ship_pilvet.tga")) {
        std::fprintf(stderr, "assetgen: the fighter's picture for the icon is missing\n");
        return false;
    }
    bool ok = true;
    for (int size : ICON_SIZES) {
        const std::string folder = dir + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        if (!make_dirs(folder) || !write_png(draw_icon(pictures, size), folder + "/" + ICON_FILE)) {
            std::fprintf(stderr, "assetgen: cannot write %s/%s\n", folder.c_str(), ICON_FILE);
            ok = false;
        }
    }
    return ok;
}
