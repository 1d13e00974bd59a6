// Developer tool, not part of the build: composes mock screens from a game
// folder's pictures at their true on-screen rectangles and colours, so they can
// be looked at without the engine. Writes PPM files.
//
//   g++ -O2 -std=c++17 preview.cpp -o preview && ./preview GAME_DIR OUT_DIR
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct Tex {
    int w = 0, h = 0, depth = 0;
    std::vector<float> rgba;  // straight
};

std::string game;
std::map<std::string, Tex> cache;

const Tex& tex(const std::string& name) {
    auto it = cache.find(name);
    if (it != cache.end()) return it->second;
    Tex t;
    FILE* f = std::fopen((game + "/tex/" + name + ".tga").c_str(), "rb");
    if (f) {
        unsigned char h[18];
        if (std::fread(h, 1, 18, f) == 18) {
            t.w = h[12] | h[13] << 8;
            t.h = h[14] | h[15] << 8;
            t.depth = h[16];
            const int bpp = t.depth / 8;
            std::vector<unsigned char> px(static_cast<size_t>(t.w) * t.h * bpp);
            if (std::fread(px.data(), 1, px.size(), f) != px.size()) t.w = 0;
            t.rgba.resize(static_cast<size_t>(t.w) * t.h * 4);
            for (int i = 0; i < t.w * t.h; ++i) {
                float* o = &t.rgba[i * 4];
                if (bpp == 1) {
                    o[0] = o[1] = o[2] = 1;
                    o[3] = px[i] / 255.f;
                } else {
                    o[0] = px[i * bpp + 2] / 255.f;
                    o[1] = px[i * bpp + 1] / 255.f;
                    o[2] = px[i * bpp + 0] / 255.f;
                    o[3] = bpp == 4 ? px[i * bpp + 3] / 255.f : 1.f;
                }
            }
        }
        std::fclose(f);
    } else {
        std::fprintf(stderr, "missing %s\n", name.c_str());
    }
    return cache[name] = t;
}

struct Screen {
    int w = 800, h = 600;
    std::vector<float> rgb = std::vector<float>(800 * 600 * 3, 0.f);
    std::vector<uint8_t> taken = std::vector<uint8_t>(800 * 600, 0);  // depth rule: first opaque wins

    void put(int x, int y, const float* c, float a) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        if (a <= 0.1f) return;  // alpha test
        const size_t i = static_cast<size_t>(y) * w + x;
        if (taken[i]) return;
        taken[i] = 1;
        for (int k = 0; k < 3; ++k) rgb[i * 3 + k] = c[k] * a + rgb[i * 3 + k] * (1 - a);
    }
    void save(const std::string& path) {
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fprintf(f, "P6\n%d %d\n255\n", w, h);
        for (int y = h - 1; y >= 0; --y)
            for (int x = 0; x < w; ++x)
                for (int k = 0; k < 3; ++k) {
                    float v = rgb[(static_cast<size_t>(y) * w + x) * 3 + k];
                    std::fputc(static_cast<int>(std::lround(std::fmin(1.f, std::fmax(0.f, v)) * 255)), f);
                }
        std::fclose(f);
    }
};

void sample(const Tex& t, double s, double u, float* out) {
    // GL_LINEAR with GL_REPEAT
    double x = s * t.w - 0.5, y = u * t.h - 0.5;
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    double fx = x - x0, fy = y - y0;
    for (int k = 0; k < 4; ++k) out[k] = 0;
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i) {
            int xx = ((x0 + i) % t.w + t.w) % t.w, yy = ((y0 + j) % t.h + t.h) % t.h;
            double wgt = (i ? fx : 1 - fx) * (j ? fy : 1 - fy);
            for (int k = 0; k < 4; ++k) out[k] += static_cast<float>(wgt * t.rgba[(yy * t.w + xx) * 4 + k]);
        }
}

// Textured rectangle (x0,y0)-(x1,y1) in screen units, colour modulated.
// flip: texture t runs top-down; rot: side strips (s outward / t along).
void quad(Screen& sc, const std::string& name, double x0, double y0, double x1, double y1, float r, float g,
          float b, int mapping = 0) {
    const Tex& t = tex(name);
    if (!t.w) return;
    int px0 = static_cast<int>(std::lround(std::fmin(x0, x1) * 800)), px1 = static_cast<int>(std::lround(std::fmax(x0, x1) * 800));
    int py0 = static_cast<int>(std::lround(std::fmin(y0, y1) * 600)), py1 = static_cast<int>(std::lround(std::fmax(y0, y1) * 600));
    for (int y = py0; y < py1; ++y)
        for (int x = px0; x < px1; ++x) {
            double s = ((x + 0.5) / 800 - x0) / (x1 - x0), u = ((y + 0.5) / 600 - y0) / (y1 - y0);
            if (mapping == 1) u = 1 - u;
            if (mapping == 2) std::swap(s, u);
            float c[4];
            sample(t, s, u, c);
            float col[3] = {c[0] * r, c[1] * g, c[2] * b};
            sc.put(x, y, col, c[3]);
        }
}

void rect(Screen& sc, double x0, double y0, double x1, double y1, float r, float g, float b) {
    float col[3] = {r, g, b};
    for (int y = static_cast<int>(y0 * 600); y < static_cast<int>(y1 * 600); ++y)
        for (int x = static_cast<int>(x0 * 800); x < static_cast<int>(x1 * 800); ++x) sc.put(x, y, col, 1);
}

void stars(Screen& sc) {
    unsigned s = 12345;
    float col[3] = {0.7f, 0.5f, 0.5f};
    for (int i = 0; i < 750; ++i) {
        s = s * 1103515245 + 12345;
        int x = (s >> 8) % 800;
        s = s * 1103515245 + 12345;
        int y = (s >> 8) % 600;
        for (int j = 0; j < 2; ++j)
            for (int k = 0; k < 2; ++k) sc.put(x + k, y + j, col, 1);
    }
}

void banner(Screen& sc) { quad(sc, "tex_logo_kro", 0.18, 0.747, 0.82, 0.853, 0.7f, 0.7f, 0.7f); }

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    game = argv[1];
    std::string out = argv[2];
    {
        Screen sc;
        banner(sc);
        int cursor = 2;
        quad(sc, "tex_pointer", 0.33, 0.55 - 0.05 * cursor, 0.38, 0.60 - 0.05 * cursor, 0.7f, 0.7f, 0.7f);
        for (int k = 1; k <= 6; ++k) {
            float v = k == cursor ? 1.f : 0.7f;
            quad(sc, "tex_menu_main" + std::to_string(k), 0.34, 0.55 - 0.05 * k, 0.66, 0.60 - 0.05 * k, v, v, v);
        }
        stars(sc);
        sc.save(out + "/main_menu.ppm");
    }
    {
        Screen sc;
        banner(sc);
        int cur = 5;
        quad(sc, "tex_pointer", 0.23, 0.70 - 0.05 * cur, 0.28, 0.75 - 0.05 * cur, 0.7f, 0.7f, 0.7f);
        auto v = [&](int k) { return k == cur ? 1.f : 0.7f; };
        auto band = [](int k, double& a, double& b) { a = 0.70 - 0.05 * k; b = 0.75 - 0.05 * k; };
        double a, b;
        band(1, a, b); quad(sc, "tex_menu_settings_sound", 0.30, a, 0.46, b, v(1), v(1), v(1));
        quad(sc, "tex_menu_settings_on", 0.70, a, 0.78, b, v(1), v(1), v(1));
        band(2, a, b); quad(sc, "tex_menu_settings_music", 0.30, a, 0.46, b, v(2), v(2), v(2));
        quad(sc, "tex_menu_settings_off", 0.70, a, 0.78, b, v(2), v(2), v(2));
        band(3, a, b); quad(sc, "tex_menu_settings_sound_volume", 0.30, a, 0.62, b, v(3), v(3), v(3));
        band(4, a, b); quad(sc, "tex_menu_settings_music_volume", 0.30, a, 0.62, b, v(4), v(4), v(4));
        band(5, a, b); quad(sc, "tex_menu_settings_video", 0.30, a, 0.46, b, v(5), v(5), v(5));
        band(6, a, b); quad(sc, "tex_menu_settings_controls", 0.30, a, 0.62, b, v(6), v(6), v(6));
        quad(sc, "tex_alfa_5", 0.70, 0.56, 0.72, 0.58, v(3), v(3), v(3));
        quad(sc, "tex_alfa_9", 0.70, 0.51, 0.72, 0.53, v(4), v(4), v(4));
        band(5, a, b); quad(sc, "tex_menu_settings_full_screen", 0.70, a, 1.02, b, v(5), v(5), v(5));
        quad(sc, "tex_menu_settings_restart", 0.70, 0.40, 1.02, 0.45, 1, 1, 1);
        // every digit beside, for a look
        for (int d = 0; d <= 9; ++d) quad(sc, "tex_alfa_" + std::to_string(d), 0.30 + 0.03 * d, 0.30, 0.32 + 0.03 * d, 0.32, 1, 1, 1);
        quad(sc, "tex_menu_settings_windowed", 0.30, 0.22, 0.62, 0.27, 0.7f, 0.7f, 0.7f);
        stars(sc);
        sc.save(out + "/settings.ppm");
    }
    const char* ships[] = {"pilvet", "vesker", "brantor"};
    for (int s = 0; s < 3; ++s) {
        Screen sc;
        quad(sc, std::string("tex_ship_") + ships[s] + "_big", 0.18, 0.29, 0.82, 0.71, 1, 0.7f, 0.7f);
        quad(sc, std::string("tex_text_ship_") + ships[s], 0.18, 0.10, 0.82, 0.21, 1, 0.7f, 0.7f);
        quad(sc, "tex_text_select_ship", 0.18, 0.85, 0.82, 0.91, 1, 0.7f, 0.7f);
        stars(sc);
        sc.save(out + "/ship_select_" + ships[s] + ".ppm");
    }
    {
        Screen sc;
        banner(sc);
        quad(sc, "tex_menu_keys_wii", 0.05, 0.19, 0.47, 0.72, 1, 1, 1);
        quad(sc, "tex_menu_keys", 0.52, 0.19, 0.94, 0.72, 1, 1, 1);
        stars(sc);
        sc.save(out + "/controls.ppm");
    }
    {
        Screen sc;
        banner(sc);
        quad(sc, "tex_menu_scores", 0.18, 0.22, 0.82, 0.65, 0.7f, 0.7f, 0.7f);
        quad(sc, "tex_pointer", 0.23, 0.10, 0.28, 0.16, 0.7f, 0.7f, 0.7f);
        quad(sc, "tex_text_message_stage1", 0.30, 0.10, 0.96, 0.16, 1, 1, 1);
        stars(sc);
        sc.save(out + "/scores_stage_select.ppm");
    }
    {
        Screen sc;
        quad(sc, "tex_logo_mirel", 0.25, 0.35, 0.75, 0.65, 1, 1, 1);
        quad(sc, "tex_logo_gl", 0.85, 0.02, 0.97, 0.10, 1, 1, 1);
        quad(sc, "tex_logo_fmod", 0.03, 0.02, 0.11, 0.12, 1, 1, 1);
        sc.save(out + "/logo_intro.ppm");
    }
    const float tint[3][3] = {{0.2f, 0.7f, 0.2f}, {0.9f, 0.7f, 0.1f}, {0.7f, 0.2f, 0.2f}};
    const float fighter[3][3] = {{0.7f, 1, 0.7f}, {0.9f, 0.7f, 0.1f}, {1, 0.4f, 0.4f}};
    for (int s = 0; s < 3; ++s) {
        Screen sc;
        // HUD content (the engine draws text here too)
        const double H = 48 / 600.0, W = 48 / 800.0;
        rect(sc, 0.875, 0.405, 0.875 + 0.12 * 0.7, 0.435, 0.5f, 0.5f, 0.3f);
        quad(sc, std::string("tex_ship_") + ships[s], 0.91, 0.25, 0.91 + W, 0.25 + H, 0.5f, 0.3f, 0.3f);
        rect(sc, 0.898, 0.455, 0.9, 0.455 + 0.6 * 0.19, 1, 0.3f, 0.3f);
        quad(sc, s == 2 ? "tex_maps_stage1_2" : "tex_maps_stage1_1", 0.91, 0.47, 0.99, 0.63, 0.8f, 0.8f, 0.8f);
        quad(sc, "tex_hud", 0.84, 0, 1.0, 1.0, tint[s][0], tint[s][1], tint[s][2]);
        // playfield
        quad(sc, "tex_text_message_stage1", 0.1, 0.7, 0.74, 0.76, 0.9f, 0.9f, 0.9f);
        double px = 0.35, py = 0.1;
        quad(sc, std::string("tex_ship_") + ships[s], px, py, px + W, py + H, fighter[s][0], fighter[s][1], fighter[s][2]);
        quad(sc, "tex_ship_shield", px, py + H, px + W, py + H + 0.03, 0.7f, 0.7f, 1.0f);
        quad(sc, "tex_ship_shield", px, py, px - 0.02, py + H, 0.7f, 0.7f, 1.0f, 2);
        quad(sc, "tex_ship_shield", px, py, px + W, py - 0.02, 0.7f, 0.7f, 1.0f);
        for (int i = 0; i < 3; ++i) {
            double x = 0.05 + 0.2 * i;
            quad(sc, "tex_ship_" + std::string(ships[i]), x, 0.3, x + W, 0.3 + H, fighter[i][0], fighter[i][1], fighter[i][2]);
        }
        quad(sc, "tex_ship_gorrak", 0.45, 0.82, 0.45 + W, 0.82 + H, 1, 1, 1, 1);
        quad(sc, "tex_back_rock1", 0.05, 0.5, 0.05 + 64 / 800.0, 0.5 + 64 / 600.0, 1, 0.7f, 0.7f);
        quad(sc, "tex_back_rock3", 0.2, 0.45, 0.2 + 128 / 800.0, 0.45 + 128 / 600.0, 1, 0.7f, 0.7f);
        quad(sc, "tex_back_rock2", 0.5, 0.42, 0.5 + 256 / 800.0, 0.42 + 128 / 600.0, 1, 0.7f, 0.7f);
        for (int i = 0; i < 4; ++i) {
            double y = 0.2 + 0.04 * i;
            quad(sc, "tex_gun_laser", px + 0.006, y, px + 0.006 + 4 / 800.0, y + 8 / 600.0, 1, 1, 1);
            quad(sc, "tex_gun_ion", px + 0.03 + 0.004 * i, y, px + 0.03 + 0.004 * i + 8 / 800.0, y + 8 / 600.0, 1, 1, 1);
            quad(sc, "tex_gun_neutron", px + 0.07 + 0.01 * i, y, px + 0.07 + 0.01 * i + 8 / 800.0, y + 8 / 600.0, 1, 1, 1);
        }
        if (s == 0) quad(sc, "tex_text_message_nav_complete", 0.34, 0.60, 0.66, 0.65, 1, 0.7f, 0.7f);
        if (s == 1) quad(sc, "tex_text_message_game_over", 0.26, 0.60, 0.58, 0.65, 1, 0.7f, 0.7f);
        quad(sc, "tex_text_message_quit", 0.34, 0.66, 0.5, 0.71, 1, 0.7f, 0.7f);
        stars(sc);
        sc.save(out + "/stage_" + ships[s] + ".ppm");
    }
    return 0;
}
