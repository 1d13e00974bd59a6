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
