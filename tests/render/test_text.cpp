// Bitmap text: drawn at its raster position in the colour current at the call.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "render/text.h"
#include "support/gl_pixels.h"

TEST(Text, TakesTheColourCurrentAtTheCall) {
    begin_frame();
    glColor3f(1, 0, 0);
    draw_text(0.1f, 0.5f, GLUT_BITMAP_HELVETICA_12, "MMMM");
    glColor3f(0, 1, 0);  // set after the call: does not recolour the text
    draw_text(0.5f, 0.5f, GLUT_BITMAP_HELVETICA_12, "MMMM");

    int red = 0, green = 0;
    for (int px = 80; px < 160; ++px)
        for (int py = 300; py < 312; ++py)
            if (pixel_at_px(px, py) == rgb(1, 0, 0)) ++red;
    for (int px = 400; px < 480; ++px)
        for (int py = 300; py < 312; ++py)
            if (pixel_at_px(px, py) == rgb(0, 1, 0)) ++green;
    EXPECT_GT(red, 20);
    EXPECT_GT(green, 20);
}

TEST(Text, EmptyTextLeavesNoTrace) {
    begin_frame();
    draw_text(0.5f, 0.5f, GLUT_BITMAP_HELVETICA_12, "");
    EXPECT_EQ(lit_pixels(0, 0, 800, 600), 0);
}

TEST(Text, AStartOutsideTheScreenDrawsNothing) {
    begin_frame();
    draw_text(0.5f, -0.01f, GLUT_BITMAP_HELVETICA_12, "MMMM");  // just below the bottom
    draw_text(0.5f, 1.01f, GLUT_BITMAP_HELVETICA_12, "MMMM");
    draw_text(-0.01f, 0.5f, GLUT_BITMAP_HELVETICA_12, "MMMM");
    EXPECT_EQ(lit_pixels(0, 0, 800, 600), 0);
}

TEST(Text, ARunPastTheRightEdgeIsCutThere) {
    begin_frame();
    draw_text(0.98f, 0.5f, GLUT_BITMAP_HELVETICA_12, "MMMMMMMMMM");
    EXPECT_GT(lit_pixels(784, 295, 800, 315), 0);
}

TEST(Text, TextDrawnFirstStaysInFrontOfALaterPicture) {
    begin_frame();
    glColor3f(1, 1, 1);
    draw_text(0.4f, 0.5f, GLUT_BITMAP_HELVETICA_12, "MMMM");
    int text_pixels = lit_pixels(320, 300, 400, 312);
    glColor3f(0, 0, 1);
    glRectf(0.3f, 0.4f, 0.7f, 0.6f);
    int white = 0;
    for (int px = 320; px < 400; ++px)
        for (int py = 300; py < 312; ++py)
            if (pixel_at_px(px, py) == rgb(1, 1, 1)) ++white;
    EXPECT_EQ(white, text_pixels);
}
