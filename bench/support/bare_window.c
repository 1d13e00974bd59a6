/* The floor under every figure bench/run takes: a freeglut window of the
 * game's size and buffers, cleared and swapped 25 times a second and nothing
 * else. Under Xvfb, with Mesa's software renderer, this is what the driver
 * costs in processor time, memory and start-up before the game does anything. */
#include <GL/freeglut.h>

static void display(void) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

static void next_frame(int unused) {
    (void)unused;
    glutPostRedisplay();
    glutTimerFunc(40, next_frame, 0);
}

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("bare window");
    glEnable(GL_DEPTH_TEST);
    glutDisplayFunc(display);
    glutTimerFunc(40, next_frame, 0);
    glutMainLoop();
    return 0;
}
