#include "bench_window.h"

#include <GL/freeglut.h>

#include "app/gl_setup.h"
#include "app/screen_state.h"

void open_bench_window(int width, int height) {
    static bool open = false;
    if (open) return;
    open = true;
    int argc = 1;
    char name[] = "korvane-bench";
    char* argv[] = {name, nullptr};
    prefer_single_threaded_software_renderer();  // drawn as the game draws
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(width, height);
    glutCreateWindow("korvane bench");
    screen_state = 4;  // no picture set: gl_setup loads nothing
    gl_setup(0);
}

void draw_some_picture() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBegin(GL_QUADS);
    for (int i = 0; i < 40; ++i) {
        const float x = 0.025f * i;
        glColor3f(x, 1.0f - x, 0.5f);
        glVertex2f(x, 0.0f);
        glVertex2f(x + 0.02f, 0.0f);
        glVertex2f(x + 0.02f, 1.0f);
        glVertex2f(x, 1.0f);
    }
    glEnd();
}
