#include "app/startup.h"

#include <GL/freeglut.h>

#include <malloc.h>

#include <cstdio>

#include "app/scaled_picture.h"
#include "persist/settings.h"

const char* profile_name = "";
const char* const WINDOW_TITLE = "Korvane Arcade [Playable Demo, Wii-mote controlled]";
const char* const GAME_MODE_STRING = "800x600:16@60";

static void open_window(int width, int height) {
    glutInitWindowPosition(0, 0);  // screenshots and tests expect the window at the origin
    glutInitWindowSize(width, height);
    glutCreateWindow(WINDOW_TITLE);
}

// The scaled picture is drawn at 800x600 inside the window first: a screen
// smaller than that has no room for it.
static int screen_holds_picture() {
    return glutGet(GLUT_SCREEN_WIDTH) >= WINDOW_WIDTH && glutGet(GLUT_SCREEN_HEIGHT) >= WINDOW_HEIGHT;
}

void keep_heap_trimmed() {
    mallopt(M_MMAP_THRESHOLD, HEAP_RETURN_THRESHOLD);
    mallopt(M_TRIM_THRESHOLD, HEAP_RETURN_THRESHOLD);
}

void open_display() {
    if (fullscreen != 0) {
        glutGameModeString(GAME_MODE_STRING);
        if (glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)) {
            glutEnterGameMode();
            if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE)) {
                printf("Playing in full-screen mode %s\n", GAME_MODE_STRING);
                return;
            }
        }
        // Most monitors and every virtual display cannot switch modes: fill the
        // screen all the same, with the picture scaled up.
        if (screen_holds_picture()) {
            printf("Full-screen mode %s is not available; playing in a full-screen window, the picture scaled to fit\n",
                   GAME_MODE_STRING);
            // Made at the screen's size, it never shows as a small window first.
            open_window(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
            glutFullScreen();
            start_scaled_picture();
            return;
        }
        printf("Full-screen mode %s is not available; playing in an %dx%d window\n", GAME_MODE_STRING,
               WINDOW_WIDTH, WINDOW_HEIGHT);
    }
    open_window(WINDOW_WIDTH, WINDOW_HEIGHT);
}
