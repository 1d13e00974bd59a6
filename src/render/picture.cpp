#include "render/picture.h"

#include <GL/freeglut.h>

const Point2 STANDARD_MAPPING[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

void draw_textured_quad(int id, const Point2 corners[4], const Point2 coords[4]) {
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(id));
    glBegin(GL_QUADS);
    for (int corner = 0; corner < 4; ++corner) {
        glTexCoord2d(coords[corner].x, coords[corner].y);
        glVertex2d(corners[corner].x, corners[corner].y);
    }
    glEnd();
}

void draw_picture_quad(int id, Colour colour, const Point2 corners[4], const Point2 coords[4]) {
    glColor3d(colour.r, colour.g, colour.b);
    draw_textured_quad(id, corners, coords);
}

void draw_picture(int id, Colour colour, double x0, double y0, double x1, double y1) {
    const Point2 corners[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    draw_picture_quad(id, colour, corners, STANDARD_MAPPING);
}
