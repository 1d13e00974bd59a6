#include "app/scaled_picture.h"

#include <GL/freeglut.h>

#include <vector>

#include "app/startup.h"

int picture_scaled = 0;
int scaled_window_width = WINDOW_WIDTH;
int scaled_window_height = WINDOW_HEIGHT;

// The game's pictures use the fixed ids 0..13, 100..109 and 512..519.
constexpr GLuint FRAME_TEXTURE_ID = 1000;
// A power of two holding 800x600, for drivers without odd-sized textures.
constexpr int FRAME_TEXTURE_SIZE = 1024;
constexpr float FRAME_S = static_cast<float>(WINDOW_WIDTH) / FRAME_TEXTURE_SIZE;
constexpr float FRAME_T = static_cast<float>(WINDOW_HEIGHT) / FRAME_TEXTURE_SIZE;

PictureArea picture_area(int window_width, int window_height) {
    PictureArea area{0, 0, window_width, window_height};
    // Compare in whole numbers: width / height against 4 / 3.
    if (window_width * WINDOW_HEIGHT > window_height * WINDOW_WIDTH)
        area.width = window_height * WINDOW_WIDTH / WINDOW_HEIGHT;  // wide: bars left and right
    else
        area.height = window_width * WINDOW_HEIGHT / WINDOW_WIDTH;  // tall: bars above and below
    area.x = (window_width - area.width) / 2;
    area.y = (window_height - area.height) / 2;
    return area;
}

static void follow_window_size(int width, int height) {
    scaled_window_width = width;
    scaled_window_height = height;
}

void start_scaled_picture() {
    // Black beyond the picture's 800x600 texels: the filter blends its
    // outermost pixels with the bars' black on every side (the default wrap
    // reaches the far black texels at the left and bottom), never with leftovers.
    const std::vector<unsigned char> black(static_cast<size_t>(FRAME_TEXTURE_SIZE) * FRAME_TEXTURE_SIZE * 3, 0);
    glPushAttrib(GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, FRAME_TEXTURE_ID);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, FRAME_TEXTURE_SIZE, FRAME_TEXTURE_SIZE, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 black.data());
    glPopAttrib();

    follow_window_size(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    glutReshapeFunc(follow_window_size);  // the toolkit's own would aim the drawing at the whole window
    picture_scaled = 1;
}

void begin_picture() {
    if (picture_scaled)
        glViewport(0, 0, WINDOW_WIDTH, WINDOW_HEIGHT);
    else
        glutReshapeWindow(WINDOW_WIDTH, WINDOW_HEIGHT);
}

void finish_picture() {
    if (!picture_scaled) return;
    const PictureArea area = picture_area(scaled_window_width, scaled_window_height);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_VIEWPORT_BIT | GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, FRAME_TEXTURE_ID);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT);

    // The bars, and anything the frame drew past the picture's edges (text
    // running off the right, say), become black.
    glClear(GL_COLOR_BUFFER_BIT);
    // The copy covers the whole area: no depth rule, no alpha test, no blending.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glViewport(area.x, area.y, area.width, area.height);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(FRAME_S, 0.0f);
    glVertex2f(1.0f, 0.0f);
    glTexCoord2f(FRAME_S, FRAME_T);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, FRAME_T);
    glVertex2f(0.0f, 1.0f);
    glEnd();
    glPopMatrix();
    glPopAttrib();
}
