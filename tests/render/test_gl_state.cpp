// The engine's one GL state: the first opaque fragment at a pixel stays, and
// nearly transparent texels leave the pixel free.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/gl_setup.h"
#include "render/textures.h"
#include "support/gl_pixels.h"
#include "support/scratch_dir.h"

TEST(GlState, FirstOpaqueQuadDrawnWins) {
    begin_frame();
    glColor3f(1, 0, 0);
    draw_quad(0.1, 0.1, 0.5, 0.5);
    glColor3f(0, 0, 1);
    draw_quad(0.3, 0.3, 0.7, 0.7);  // overlaps the red one; drawn later, so hidden there
    EXPECT_EQ(pixel_at(0.4, 0.4), rgb(1, 0, 0));
    EXPECT_EQ(pixel_at(0.6, 0.6), rgb(0, 0, 1));
    EXPECT_EQ(pixel_at(0.2, 0.2), rgb(1, 0, 0));
    EXPECT_EQ(pixel_at(0.9, 0.9), rgb(0, 0, 0));  // cleared to black
}

TEST(GlState, TheOrderIsTheSameAfterTheDepthBufferIsCleared) {
    begin_frame();
    glColor3f(0, 0, 1);
    draw_quad(0.3, 0.3, 0.7, 0.7);
    glColor3f(1, 0, 0);
    draw_quad(0.1, 0.1, 0.5, 0.5);
    EXPECT_EQ(pixel_at(0.4, 0.4), rgb(0, 0, 1));
}

TEST(GlState, TexelsWithAlphaAtMostATenthLeaveThePixelFree) {
    ScratchDir dir;
    // A 2x2 mask: alpha 0, 25 (0.098), 51 (0.2) and 255. (GL compares against the
    // reference in the framebuffer's 8-bit steps, where 0.1 is 26.)
    const unsigned char alpha[] = {0, 25, 51, 255};
    write_tga("mask.tga", 2, 2, 8, alpha);
    ASSERT_EQ(load_tga_texture("mask.tga", 77), TGA_LOADED);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);  // one texel per quadrant

    begin_frame();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 77);
    glColor3f(1, 1, 1);
    draw_quad(0.0, 0.0, 0.5, 0.5);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0, 1, 0);
    draw_quad(0.0, 0.0, 0.5, 0.5);  // a later opaque quad shows only where the mask left the pixel free

    EXPECT_EQ(pixel_at(0.1, 0.1), rgb(0, 1, 0));  // alpha 0: free
    EXPECT_EQ(pixel_at(0.4, 0.1), rgb(0, 1, 0));  // alpha 0.098: free
    EXPECT_TRUE(near(pixel_at(0.1, 0.4), rgb(0.2, 0.2, 0.2)));  // alpha 0.2: taken, faint white
    EXPECT_EQ(pixel_at(0.4, 0.4), rgb(1, 1, 1));  // alpha 1: taken
}

TEST(SoftwareRenderer, DrawsOnTheFrameThreadUnlessThePlayerChoseOtherwise) {
    const char* before = getenv("LP_NUM_THREADS");
    const std::string kept = before ? before : "";
    unsetenv("LP_NUM_THREADS");
    prefer_single_threaded_software_renderer();
    ASSERT_NE(getenv("LP_NUM_THREADS"), nullptr);
    EXPECT_STREQ(getenv("LP_NUM_THREADS"), "0");
    setenv("LP_NUM_THREADS", "3", 1);
    prefer_single_threaded_software_renderer();
    EXPECT_STREQ(getenv("LP_NUM_THREADS"), "3") << "the player's own setting stands";
    if (before) {
        setenv("LP_NUM_THREADS", kept.c_str(), 1);
    } else {
        unsetenv("LP_NUM_THREADS");
    }
}
