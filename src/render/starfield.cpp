#include "render/starfield.h"

#include <GL/freeglut.h>

void draw_stars() {
    if (!stars_shown()) return;
    glPointSize(2.0f);
    glColor3f(0.7f, 0.5f, 0.5f);
    glBegin(GL_POINTS);
    for (const Star& star : starfield) glVertex2f(static_cast<float>(star.x), static_cast<float>(star.y));
    glEnd();
}

void draw_starfield(int vertical) {
    move_starfield(vertical);
    draw_stars();
}
