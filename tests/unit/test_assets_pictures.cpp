// The generated game folder: every picture the engine names exists, passes the
// engine's own TGA checks at the size and depth it was drawn for, and looks
// like what it is meant to be (transparent sprites, opaque panel, light text).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "menus/menu_elements.h"
#include "render/sprites.h"
#include "render/textures.h"

namespace {

const int STATES_WITH_PICTURES[] = {-1, 0, 1, 2, 3, 100, 101, 102, 103, 104};

struct Intended {
    int width, height, depth;
};

// The texture each picture was laid out for: power-of-two sides holding its
// on-screen rectangle, 32 bits for everything with transparent parts.
const std::map<std::string, Intended> PICTURES = {
    {"tex_logo_mirel", {512, 256, 32}},     {"tex_logo_gl", {128, 64, 32}},
    {"tex_logo_fmod", {64, 64, 32}},        {"tex_logo_kro", {512, 64, 32}},
    {"tex_pointer", {64, 32, 32}},          {"tex_menu_main1", {256, 32, 32}},
    {"tex_menu_main2", {256, 32, 32}},      {"tex_menu_main3", {256, 32, 32}},
    {"tex_menu_main4", {256, 32, 32}},      {"tex_menu_main5", {256, 32, 32}},
    {"tex_menu_main6", {256, 32, 32}},      {"tex_menu_settings_sound", {128, 32, 32}},
    {"tex_menu_settings_music", {128, 32, 32}}, {"tex_menu_settings_video", {128, 32, 32}},
    {"tex_menu_settings_off", {64, 32, 32}}, {"tex_menu_settings_on", {64, 32, 32}},
    {"tex_menu_settings_sound_volume", {256, 32, 32}}, {"tex_menu_settings_music_volume", {256, 32, 32}},
    {"tex_menu_settings_windowed", {256, 32, 32}}, {"tex_menu_settings_full_screen", {256, 32, 32}},
    {"tex_menu_settings_restart", {256, 32, 32}}, {"tex_menu_settings_controls", {256, 32, 32}},
    {"tex_menu_keys_wii", {512, 512, 32}},  {"tex_menu_keys", {512, 512, 32}},
    {"tex_menu_keys_pad", {512, 512, 32}},
    {"tex_menu_scores", {512, 256, 32}},    {"tex_ship_pilvet_big", {512, 256, 32}},
    {"tex_ship_vesker_big", {512, 256, 32}}, {"tex_ship_brantor_big", {512, 256, 32}},
    {"tex_text_select_ship", {512, 32, 32}}, {"tex_text_ship_pilvet", {512, 64, 32}},
    {"tex_text_ship_vesker", {512, 64, 32}}, {"tex_text_ship_brantor", {512, 64, 32}},
    {"tex_text_message_stage1", {512, 32, 32}}, {"tex_text_message_nav_complete", {256, 32, 32}},
    {"tex_text_message_game_over", {256, 32, 32}}, {"tex_text_message_quit", {128, 32, 32}},
    {"tex_ship_pilvet", {64, 64, 32}},      {"tex_ship_vesker", {64, 64, 32}},
    {"tex_ship_brantor", {64, 64, 32}},     {"tex_ship_gorrak", {64, 64, 32}},
    {"tex_ship_shield", {64, 32, 32}},      {"tex_back_rock1", {64, 64, 32}},
    {"tex_back_rock2", {256, 128, 32}},     {"tex_back_rock3", {128, 128, 32}},
    {"tex_maps_stage1_1", {64, 128, 32}},   {"tex_maps_stage1_2", {64, 128, 32}},
    {"tex_hud", {128, 512, 32}},            {"tex_gun_laser", {8, 16, 32}},
    {"tex_gun_ion", {16, 16, 32}},          {"tex_gun_neutron", {16, 16, 32}},
};

// The volume digits: 16 x 12 window pixels on 16 x 16 texels.
std::map<std::string, Intended> intended_sizes() {
    std::map<std::string, Intended> all = PICTURES;
    for (int d = 0; d <= 9; ++d) all["tex_alfa_" + std::to_string(d)] = {16, 16, 32};
    return all;
}

const std::map<std::string, Intended> INTENDED = intended_sizes();

// "./tex/tex_hud.tga" -> "tex_hud"
std::string stem_of(const std::string& engine_path) {
    const size_t slash = engine_path.rfind('/'), dot = engine_path.rfind('.');
    return engine_path.substr(slash + 1, dot - slash - 1);
}

std::string game_path(const std::string& engine_path) { return std::string(GAME_DIR) + "/" + engine_path.substr(2); }

bool read_picture(const std::string& path, TgaPicture* out) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    const bool ok = read_tga(f, out);
    std::fclose(f);
    return ok;
}

long file_size(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return -1;
    std::fseek(f, 0, SEEK_END);
    const long n = std::ftell(f);
    std::fclose(f);
    return n;
}

std::set<std::string> all_engine_pictures() {
    std::set<std::string> paths;
    for (int state : STATES_WITH_PICTURES)
        for (int i = 0; i < state_texture_count(state); ++i) paths.insert(state_texture_path(state, i));
    paths.insert(PAD_LAYOUT_PICTURE);
    return paths;
}

struct AlphaSummary {
    int transparent = 0, opaque = 0, total = 0;
    double opaque_brightness = 0;  // mean of r, g, b over texels with alpha > 200
};

AlphaSummary summarise(const TgaPicture& p) {
    AlphaSummary s;
    for (size_t i = 0; i + 3 < p.pixels.size(); i += 4) {
        const int a = p.pixels[i + 3];
        ++s.total;
        if (a == 0) ++s.transparent;
        if (a > 200) {
            ++s.opaque;
            s.opaque_brightness += (p.pixels[i] + p.pixels[i + 1] + p.pixels[i + 2]) / (3 * 255.0);
        }
    }
    if (s.opaque) s.opaque_brightness /= s.opaque;
    return s;
}

int alpha_at(const TgaPicture& p, int x, int y) { return p.pixels[(static_cast<size_t>(y) * p.width + x) * 4 + 3]; }

// Mean of the colour channels (0..1) of texel (x, y).
double brightness_at(const TgaPicture& p, int x, int y) {
    const unsigned char* t = &p.pixels[(static_cast<size_t>(y) * p.width + x) * 4];
    return (t[0] + t[1] + t[2]) / (3 * 255.0);
}

}  // namespace

TEST(GeneratedPictures, EveryPictureOfEveryStateLoadsAtItsIntendedSizeAndDepth) {
    const std::set<std::string> paths = all_engine_pictures();
    EXPECT_EQ(paths.size(), INTENDED.size()) << "a picture of the engine has no intended size here, or the reverse";
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const auto intended = INTENDED.find(stem_of(path));
        ASSERT_NE(intended, INTENDED.end());
        TgaPicture picture;
        ASSERT_TRUE(read_picture(game_path(path), &picture));
        EXPECT_EQ(picture.width, intended->second.width);
        EXPECT_EQ(picture.height, intended->second.height);
        EXPECT_EQ(picture.depth, intended->second.depth);
        // Exactly header and pixels: nothing the loader would skip or miss.
        EXPECT_EQ(file_size(game_path(path)), 18L + picture.width * picture.height * picture.depth / 8);
        EXPECT_EQ(load_tga_texture(game_path(path).c_str(), 600), TGA_LOADED);
    }
}

TEST(GeneratedPictures, SpritesAreShapesOnTransparencyAndThePanelIsSolid) {
    // Sprites and texts: clear corners (no box around the shape), a solid body.
    const char* sprites[] = {"tex_ship_pilvet", "tex_ship_vesker", "tex_ship_brantor", "tex_ship_gorrak",
                             "tex_back_rock1",  "tex_back_rock2",  "tex_back_rock3",   "tex_gun_laser",
                             "tex_gun_ion",     "tex_gun_neutron", "tex_pointer",      "tex_menu_main1",
                             "tex_text_message_game_over", "tex_ship_pilvet_big", "tex_logo_kro"};
    for (const char* name : sprites) {
        SCOPED_TRACE(name);
        TgaPicture p;
        ASSERT_TRUE(read_picture(std::string(GAME_DIR) + "/tex/" + name + ".tga", &p));
        EXPECT_EQ(alpha_at(p, 0, 0), 0);
        EXPECT_EQ(alpha_at(p, p.width - 1, 0), 0);
        EXPECT_EQ(alpha_at(p, 0, p.height - 1), 0);
        EXPECT_EQ(alpha_at(p, p.width - 1, p.height - 1), 0);
        const AlphaSummary s = summarise(p);
        EXPECT_GT(s.opaque, 0);
        EXPECT_GT(s.transparent, s.total / 20);
    }
    // The panel hides the stars behind it everywhere but its bottom-left notch,
    // which lets the NAV 2 count that runs under it show.
    TgaPicture hud;
    ASSERT_TRUE(read_picture(std::string(GAME_DIR) + "/tex/tex_hud.tga", &hud));
    const int notch_w = 40, notch_h = 22;
    EXPECT_EQ(summarise(hud).opaque, hud.width * hud.height - notch_w * notch_h);
    EXPECT_EQ(alpha_at(hud, 0, 0), 0);
    EXPECT_EQ(alpha_at(hud, notch_w - 1, notch_h - 1), 0);
    EXPECT_EQ(alpha_at(hud, notch_w, 0), 255);
    EXPECT_EQ(alpha_at(hud, 0, notch_h), 255);
}

TEST(GeneratedPictures, TextPicturesAreLightSoTheDrawingColourTintsThem) {
    const std::set<std::string> paths = all_engine_pictures();
    int texts = 0;
    for (const std::string& path : paths) {
        const std::string stem = stem_of(path);
        const bool text = stem.rfind("tex_menu_main", 0) == 0 || stem.rfind("tex_menu_settings", 0) == 0 ||
                          stem.rfind("tex_text_", 0) == 0 || stem.rfind("tex_alfa_", 0) == 0;
        if (!text) continue;
        SCOPED_TRACE(path);
        ++texts;
        TgaPicture p;
        ASSERT_TRUE(read_picture(game_path(path), &p));
        const AlphaSummary s = summarise(p);
        EXPECT_GT(s.opaque, 12) << "no readable letters";
        EXPECT_GT(s.opaque_brightness, 0.7);
    }
    EXPECT_EQ(texts, 6 + 11 + 10 + 8);
}

TEST(GeneratedPictures, DigitsDifferFromEachOther) {
    std::set<std::vector<unsigned char>> distinct;
    for (int d = 0; d <= 9; ++d) {
        TgaPicture p;
        ASSERT_TRUE(read_picture(std::string(GAME_DIR) + "/tex/tex_alfa_" + std::to_string(d) + ".tga", &p));
        distinct.insert(p.pixels);
    }
    EXPECT_EQ(distinct.size(), 10u);
}

namespace {

// Brightness (0..1) of the texel under screen point (x, y) of a picture drawn
// over the rectangle (x0, y0)-(x1, y1).
double brightness_under(const TgaPicture& p, double x0, double y0, double x1, double y1, double x, double y) {
    const int tx = static_cast<int>((x - x0) / (x1 - x0) * p.width);
    const int ty = static_cast<int>((y - y0) / (y1 - y0) * p.height);
    const unsigned char* t = &p.pixels[(static_cast<size_t>(ty) * p.width + tx) * 4];
    return (t[0] + t[1] + t[2]) / (3 * 255.0);
}

struct MeanColour {
    double r = 0, g = 0, b = 0;
};

MeanColour mean_visible_colour(const TgaPicture& p) {
    MeanColour m;
    double weight = 0;
    for (size_t i = 0; i + 3 < p.pixels.size(); i += 4) {
        const double a = p.pixels[i + 3] / 255.0;
        m.r += p.pixels[i] * a;
        m.g += p.pixels[i + 1] * a;
        m.b += p.pixels[i + 2] * a;
        weight += a;
    }
    m.r /= weight;
    m.g /= weight;
    m.b /= weight;
    return m;
}

}  // namespace

TEST(GeneratedPictures, PanelIsDarkWhereTheHudWritesItsWhiteTexts) {
    TgaPicture hud;
    ASSERT_TRUE(read_picture(std::string(GAME_DIR) + "/tex/tex_hud.tga", &hud));
    // Points just right of and above each text's start, inside its letters.
    const double text_points[][2] = {
        {0.885, 0.875},  // score
        {0.915, 0.725},  // first gun name
        {0.915, 0.71},   // second gun name
        {0.915, 0.685},  // "No Missiles"
        {0.965, 0.42},   // energy figure
        {0.895, 0.225},  // damage
        {0.93, 0.325},   // front shield figure
        {0.93, 0.255},   // rear shield figure
        {0.899, 0.55},   // progress marker
    };
    for (const auto& pt : text_points) {
        SCOPED_TRACE(testing::Message() << "at " << pt[0] << ", " << pt[1]);
        EXPECT_LT(brightness_under(hud, 0.84, 0.0, 1.0, 1.0, pt[0], pt[1]), 0.15);
    }
    // Elsewhere the panel is a light plate for the fighter's tint to colour.
    EXPECT_GT(brightness_under(hud, 0.84, 0.0, 1.0, 1.0, 0.86, 0.95), 0.35);
}

TEST(GeneratedPictures, ScoreFrameIsDarkUnderEveryRowOfTheTable) {
    TgaPicture frame;
    ASSERT_TRUE(read_picture(std::string(GAME_DIR) + "/tex/tex_menu_scores.tga", &frame));
    for (int row = 0; row < 10; ++row)
        for (double x : {0.255, 0.30, 0.48, 0.64}) {
            SCOPED_TRACE(testing::Message() << "row " << row << " x " << x);
            EXPECT_LT(brightness_under(frame, 0.18, 0.22, 0.82, 0.65, x, 0.52 - 0.02 * row + 0.004), 0.4);
        }
}

TEST(GeneratedPictures, TheThreeShotsAreToldApartByColour) {
    MeanColour colour[3];
    const char* names[3] = {"tex_gun_laser", "tex_gun_ion", "tex_gun_neutron"};
    for (int i = 0; i < 3; ++i) {
        TgaPicture p;
        ASSERT_TRUE(read_picture(std::string(GAME_DIR) + "/tex/" + names[i] + ".tga", &p));
        colour[i] = mean_visible_colour(p);
    }
    EXPECT_GT(colour[0].r, colour[0].b + 40) << "laser: red";
    EXPECT_GT(colour[1].b, colour[1].r + 40) << "ion: blue";
    EXPECT_GT(colour[2].g, colour[2].b + 40) << "neutron: green";
    EXPECT_GT(colour[2].g, colour[2].r) << "neutron: green";
}

namespace {

// Hue in degrees (0 red, 120 green, 240 blue) of a colour, any scale.
double hue_of(double r, double g, double b) {
    const double top = std::max({r, g, b}), bottom = std::min({r, g, b});
    if (top - bottom < 1e-9) return 0;
    double h;
    if (top == r)
        h = 60 * std::fmod((g - b) / (top - bottom), 6.0);
    else if (top == g)
        h = 60 * ((b - r) / (top - bottom) + 2);
    else
        h = 60 * ((r - g) / (top - bottom) + 4);
    return h < 0 ? h + 360 : h;
}

double hue_distance(double a, double b) {
    const double d = std::fabs(a - b);
    return std::min(d, 360 - d);
}

// The hue most of a picture's solid, coloured texels show when it is drawn
// in the colour `tint`: the middle of the fullest 10-degree bin. Grey and
// dark texels (shadows, outlines) have no say.
double dominant_hue(const TgaPicture& p, const Colour& tint) {
    int bins[36] = {};
    for (size_t i = 0; i + 3 < p.pixels.size(); i += 4) {
        if (p.pixels[i + 3] < 200) continue;
        const double r = p.pixels[i] * tint.r, g = p.pixels[i + 1] * tint.g, b = p.pixels[i + 2] * tint.b;
        const double top = std::max({r, g, b}), bottom = std::min({r, g, b});
        if (top < 40 || (top - bottom) / top < 0.15) continue;
        ++bins[static_cast<int>(hue_of(r, g, b) / 10) % 36];
    }
    return (std::max_element(bins, bins + 36) - bins) * 10 + 5;
}

}  // namespace

// The ship select tints its big fighters with its pale red; under that tint
// each shows the hue the same fighter flies in (its small picture in the
// stage's fighter colour), and the three are told apart.
TEST(GeneratedPictures, ShipSelectFightersWearTheirFlightColours) {
    const char* names[3] = {"pilvet", "vesker", "brantor"};
    const Colour menu_tint = {MENU_TEXT_RED, MENU_TEXT_GREEN, MENU_TEXT_BLUE};
    double hues[3];
    for (int ship = 0; ship < 3; ++ship) {
        SCOPED_TRACE(names[ship]);
        TgaPicture big, small;
        ASSERT_TRUE(read_picture(std::string(GAME_DIR) + "/tex/tex_ship_" + names[ship] + "_big.tga", &big));
        ASSERT_TRUE(read_picture(std::string(GAME_DIR) + "/tex/tex_ship_" + names[ship] + ".tga", &small));
        hues[ship] = dominant_hue(big, menu_tint);
        EXPECT_LE(hue_distance(hues[ship], dominant_hue(small, fighter_colour(ship))), 10) << hues[ship];
    }
    EXPECT_GT(hue_distance(hues[0], hues[1]), 40) << "the three told apart";
    EXPECT_GT(hue_distance(hues[1], hues[2]), 25) << "the three told apart";
}

// The stage title is drawn just right of the stage select's pointer and
// centred on the playfield in the stage: its letters fill the picture from
// edge to edge, with even margins.
TEST(GeneratedPictures, StageTitleLettersFillTheirPictureEvenly) {
    TgaPicture title;
    ASSERT_TRUE(read_picture(std::string(GAME_DIR) + "/tex/tex_text_message_stage1.tga", &title));
    int first = title.width, last = -1;
    for (int x = 0; x < title.width; ++x)
        for (int y = 0; y < title.height; ++y)
            if (alpha_at(title, x, y) > 128 && brightness_at(title, x, y) > 0.5) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    ASSERT_GE(last, first);
    EXPECT_LE(std::abs(first - (title.width - 1 - last)), title.width / 50) << "margins " << first << " and "
                                                                           << title.width - 1 - last;
    EXPECT_GT(last - first, title.width * 95 / 100) << "letters across the whole picture";
}
