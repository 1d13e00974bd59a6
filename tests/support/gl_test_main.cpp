// Test main: one 800x600 double-buffered window with a depth buffer, in the
// engine's GL state, so drawing code runs against real GL. Tests read pixels
// from the back buffer before any swap.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/gl_setup.h"
#include "app/screen_state.h"
#include "support/program_start.h"

void wait_for_display();  // display_wait.cpp (kept apart: X11's macros clash with gtest)

int main(int argc, char** argv) {
    remember_program_start();
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests (as the build does to register them) needs no display.
    if (!testing::GTEST_FLAG(list_tests)) {
        wait_for_display();
        int toolkit_argc = 1;
        char* toolkit_argv[] = {argv[0], nullptr};
        glutInit(&toolkit_argc, toolkit_argv);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowPosition(0, 0);
        glutInitWindowSize(800, 600);
        glutCreateWindow("korvane tests");
        screen_state = 4;  // a state without pictures: gl_setup loads nothing
        gl_setup(0);
    }
    const int result = RUN_ALL_TESTS();
    // Close GL before the static destructors run: the software renderer compiles
    // any drawing still pending when its context goes, and its compiler's own
    // statics would be gone by the time the toolkit's exit handler got there.
    if (!testing::GTEST_FLAG(list_tests)) {
        glFinish();
        glutExit();
    }
    return result;
}
