// Loading pictures into fixed texture ids.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "render/textures.h"
#include "support/gl_pixels.h"
#include "support/scratch_dir.h"

namespace {

int level0(int id, GLenum what) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, what, &value);
    return value;
}

}  // namespace

TEST(TextureUpload, FormatFollowsTheDepth) {
    ScratchDir dir;
    unsigned char px[8 * 4 * 4] = {};
    write_tga("a.tga", 8, 4, 32, px);
    write_tga("b.tga", 8, 4, 24, px);
    write_tga("c.tga", 8, 4, 8, px);
    EXPECT_EQ(load_tga_texture("a.tga", 512), TGA_LOADED);
    EXPECT_EQ(load_tga_texture("b.tga", 513), TGA_LOADED);
    EXPECT_EQ(load_tga_texture("c.tga", 0), TGA_LOADED);  // id 0 is used like any other
    EXPECT_EQ(level0(512, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
    EXPECT_EQ(level0(513, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
    EXPECT_EQ(level0(0, GL_TEXTURE_INTERNAL_FORMAT), GL_ALPHA);
    EXPECT_EQ(level0(512, GL_TEXTURE_WIDTH), 8);
    EXPECT_EQ(level0(512, GL_TEXTURE_HEIGHT), 4);
}

TEST(TextureUpload, MissingFileKeepsTheIdsPreviousPicture) {
    ScratchDir dir;
    unsigned char red[2 * 2 * 3] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255};
    write_tga("red.tga", 2, 2, 24, red);
    ASSERT_EQ(load_tga_texture("red.tga", 40), TGA_LOADED);
    EXPECT_EQ(load_tga_texture("no-such-file.tga", 40), TGA_NOT_OPENED);

    unsigned char bad[4] = {};
    write_tga("bad.tga", 3, 3, 8, bad);
    EXPECT_EQ(load_tga_texture("bad.tga", 40), TGA_REFUSED);

    begin_frame();
    draw_textured_quad(40, 0.0, 0.0, 0.5, 0.5);
    EXPECT_EQ(pixel_at(0.25, 0.25), rgb(1, 0, 0));
}

TEST(TextureUpload, FirstFileRowIsTheBottomOfThePicture) {
    ScratchDir dir;
    // Bottom row blue, top row green (BGR bytes, rows in file order).
    unsigned char px[2 * 2 * 3] = {255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 255, 0};
    write_tga("rows.tga", 2, 2, 24, px);
    ASSERT_EQ(load_tga_texture("rows.tga", 41), TGA_LOADED);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    begin_frame();
    draw_textured_quad(41, 0.0, 0.0, 1.0, 1.0);
    EXPECT_EQ(pixel_at(0.5, 0.1), rgb(0, 0, 1));
    EXPECT_EQ(pixel_at(0.5, 0.9), rgb(0, 1, 0));
}

TEST(TextureUpload, AnEightBitMaskTakesTheDrawingColour) {
    ScratchDir dir;
    unsigned char mask[4] = {255, 255, 255, 255};
    write_tga("mask.tga", 2, 2, 8, mask, 3);
    ASSERT_EQ(load_tga_texture("mask.tga", 42), TGA_LOADED);
    begin_frame();
    glColor3f(1.0f, 0.7f, 0.7f);
    draw_textured_quad(42, 0.0, 0.0, 0.5, 0.5);
    EXPECT_TRUE(near(pixel_at(0.25, 0.25), rgb(1.0, 0.7, 0.7)));
}

TEST(TextureUpload, StateSetLoadsEveryFileItFinds) {
    ScratchDir dir;
    ASSERT_EQ(system("mkdir -p tex"), 0);
    unsigned char px[4 * 4] = {};
    write_tga("tex/tex_logo_kro.tga", 4, 2, 8, px);
    write_tga("tex/tex_menu_scores.tga", 2, 4, 8, px);
    load_state_textures(103);
    EXPECT_EQ(level0(0, GL_TEXTURE_WIDTH), 4);
    EXPECT_EQ(level0(1, GL_TEXTURE_WIDTH), 2);
    EXPECT_EQ(level0(1, GL_TEXTURE_HEIGHT), 4);
}
