// The scaled picture of a full-screen window: the 800x600 frame stretched over
// the largest centred 4:3 area, black bars around it, and the frame's GL state
// left as it was (the next frame's depth rule, alpha test and blending rely on it).
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/scaled_picture.h"
#include "support/gl_pixels.h"

TEST(ScaledPicture, TheLargestCentred4To3AreaOfTheWindow) {
    struct Case {
        int window_width, window_height;
        PictureArea expected;
    };
    const Case cases[] = {
        {1280, 1024, {0, 32, 1280, 960}},   // 5:4: bars above and below
        {1920, 1080, {240, 0, 1440, 1080}},  // 16:9: bars left and right
        {1366, 768, {171, 0, 1024, 768}},    // an odd margin: the extra pixel on the right
        {800, 600, {0, 0, 800, 600}},        // exactly 4:3: no bars
        {1600, 1200, {0, 0, 1600, 1200}},
        {1001, 601, {100, 0, 801, 601}},     // not a whole 4:3: rounded down, never past the window
        {600, 800, {0, 175, 600, 450}},      // portrait
    };
    for (const Case& c : cases) {
        const PictureArea a = picture_area(c.window_width, c.window_height);
        SCOPED_TRACE(testing::Message() << c.window_width << "x" << c.window_height);
        EXPECT_EQ(a.x, c.expected.x);
        EXPECT_EQ(a.y, c.expected.y);
        EXPECT_EQ(a.width, c.expected.width);
        EXPECT_EQ(a.height, c.expected.height);
    }
}

// The test window is 800x600, so the frame is scaled down here, into a window
// said to be 800x450: the picture 600x450 at x 100, bars of 100 left and right.
// The copy and the stretch are the same whichever way the scale goes.
TEST(ScaledPicture, TheFrameIsStretchedOverTheAreaBetweenBlackBarsAndTheStateIsKept) {
    start_scaled_picture();
    scaled_window_width = 800;
    scaled_window_height = 450;

    begin_frame();
    begin_picture();
    glColor3f(1, 0, 0);
    draw_quad(0.0, 0.0, 0.5, 0.5);  // lower-left quarter of the frame: red
    glColor3f(0, 1, 0);
    draw_quad(0.5, 0.5, 1.0, 1.0);  // upper-right quarter: green
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, 7);
    GLint viewport_before[4];
    glGetIntegerv(GL_VIEWPORT, viewport_before);

    finish_picture();

    EXPECT_EQ(pixel_at_px(250, 112), rgb(1, 0, 0)) << "lower-left quarter of the picture";
    EXPECT_EQ(pixel_at_px(550, 337), rgb(0, 1, 0)) << "upper-right quarter of the picture";
    EXPECT_EQ(pixel_at_px(550, 112), rgb(0, 0, 0));
    EXPECT_EQ(pixel_at_px(250, 337), rgb(0, 0, 0));
    EXPECT_EQ(lit_pixels(0, 0, 98, 450), 0) << "left bar, where the frame had drawn red";
    EXPECT_EQ(lit_pixels(702, 0, 800, 450), 0) << "right bar";
    EXPECT_GT(lit_pixels(102, 2, 398, 223), 290 * 220) << "red fills its quarter";

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0, mode = 0, viewport[4];
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(bound, 7);
    EXPECT_EQ(mode, GL_MODULATE);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(viewport[i], viewport_before[i]);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.25f);
    EXPECT_FLOAT_EQ(colour[2], 0.75f);

    // Back to the plain window for the tests that follow.
    picture_scaled = 0;
    glutReshapeFunc(nullptr);
    glViewport(0, 0, 800, 600);
}
