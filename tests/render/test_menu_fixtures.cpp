// Helpers for the menu screen tests (declared in test_menu_fixtures.h).
#include "test_menu_fixtures.h"

#include <GL/freeglut.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "render/starfield.h"
#include "render/text.h"
#include "render/textures.h"

namespace {

// Channel levels whose 0.7-tinted values (28, 84, 140) match no level.
const int LEVELS[3] = {40, 120, 200};

int palette_index(int id) {
    if (id >= 100 && id <= 112) return 14 + (id - 100);  // the digits and a few past them
    return id;
}

}  // namespace

Rgb picture_colour(int id) {
    const int i = palette_index(id) % 27;
    return {LEVELS[i % 3], LEVELS[(i / 3) % 3], LEVELS[(i / 9) % 3]};
}

Rgb tinted(int id, double tint) {
    const Rgb c = picture_colour(id);
    auto scale = [tint](int v) { return static_cast<int>(std::lround(v * tint)); };
    return {scale(c.r), scale(c.g), scale(c.b)};
}

static void write_solid(const char* path, const Rgb& c) {
    unsigned char px[2 * 2 * 3];
    for (int i = 0; i < 4; ++i) {  // file order is blue, green, red
        px[i * 3 + 0] = static_cast<unsigned char>(c.b);
        px[i * 3 + 1] = static_cast<unsigned char>(c.g);
        px[i * 3 + 2] = static_cast<unsigned char>(c.r);
    }
    write_tga(path, 2, 2, 24, px);
}

MenuPictures::MenuPictures(std::initializer_list<int> ids) {
    for (int id : ids) {
        char path[32];
        snprintf(path, sizeof path, "pic_%d.tga", id);
        write_solid(path, picture_colour(id));
        EXPECT_EQ(load_tga_texture(path, id), TGA_LOADED) << "id " << id;
    }
}

void MenuPictures::write_state_set(int state) {
    std::filesystem::create_directories("tex");
    for (int i = 0; i < state_texture_count(state); ++i)
        write_solid(state_texture_path(state, i), picture_colour(state_texture_id(state, i)));
}

void load_solid_picture(int id, const Rgb& colour) {
    char path[32];
    snprintf(path, sizeof path, "solid_%d.tga", id);
    write_solid(path, colour);
    EXPECT_EQ(load_tga_texture(path, id), TGA_LOADED) << "id " << id;
}

void park_stars() {
    for (Star& star : starfield) star = {0.999, 0.999, 0.0};
}

std::vector<bool> colour_mask(const Rgb& colour, const PixelBox& box) {
    const int w = box.x1 - box.x0, h = box.y1 - box.y0;
    std::vector<unsigned char> p(static_cast<size_t>(w) * h * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(box.x0, box.y0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    std::vector<bool> mask(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < mask.size(); ++i)
        mask[i] = near({p[i * 4], p[i * 4 + 1], p[i * 4 + 2]}, colour, 1);
    return mask;
}

int pixels_of(const Rgb& colour, const PixelBox& box) {
    int n = 0;
    for (bool b : colour_mask(colour, box)) n += b;
    return n;
}

testing::AssertionResult shows_exactly(const Rgb& colour, double r, double g, double b, const PixelBox& box,
                                       const std::vector<TextAt>& texts) {
    const std::vector<bool> drawn = colour_mask(colour, box);
    begin_frame();
    glColor3d(r, g, b);
    for (const TextAt& t : texts) draw_text(t.x, t.y, t.font, t.text.c_str());
    const std::vector<bool> expected = colour_mask(colour, box);

    int lit = 0, differing = 0;
    for (size_t i = 0; i < drawn.size(); ++i) {
        lit += expected[i];
        differing += drawn[i] != expected[i];
    }
    if (lit == 0) return testing::AssertionFailure() << "the expected text lights no pixel in the box";
    if (differing == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << differing << " of " << drawn.size() << " pixels differ from the text alone ("
                                       << lit << " lit)";
}
