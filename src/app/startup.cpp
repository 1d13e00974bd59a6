#include "app/startup.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "persist/settings.h"

const char* profile_name = "";
const char* const WINDOW_TITLE = "Korvane Arcade [Playable Demo, Wii-mote controlled]";
const char* const GAME_MODE_STRING = "800x600:16@60";

static void open_window() {
    glutInitWindowPosition(0, 0);  // screenshots and tests expect the window at the origin
    glutInitWindowSize(WINDOW_WIDTH, WINDOW_HEIGHT);
    glutCreateWindow(WINDOW_TITLE);  // the toolkit exits the process when the window closes
}

void open_display() {
    if (fullscreen != 0) {
        glutGameModeString(GAME_MODE_STRING);
        if (glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)) {
            glutEnterGameMode();
            if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE)) return;
        }
        // A display that cannot switch modes (a virtual one, say) still gets a game.
        printf("Full-screen mode %s is not available; playing in an %dx%d window\n", GAME_MODE_STRING,
               WINDOW_WIDTH, WINDOW_HEIGHT);
    }
    open_window();
}
