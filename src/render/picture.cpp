#include "render/picture.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>

#include "render/visible_texels.h"

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

// True when a texel too clear to pass ALPHA_TEST_REF leaves the pixel as it
// was: texturing on, the texture's alpha carried into the fragment, and the
// alpha test at least as strict as the game sets it.
static bool clear_texels_leave_pixels_alone() {
    if (!glIsEnabled(GL_TEXTURE_2D) || !glIsEnabled(GL_ALPHA_TEST)) return false;
    GLint mode = 0, test = 0;
    GLfloat reference = 0.0f;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &test);
    glGetFloatv(GL_ALPHA_TEST_REF, &reference);
    return (mode == GL_MODULATE || mode == GL_REPLACE) && test == GL_GREATER && reference >= ALPHA_TEST_REF;
}

// How screen units become window pixels along one axis: pixel = offset + scale * unit.
struct AxisToWindow {
    double scale, offset;
};

// The window mapping of each axis under the current matrices and viewport;
// false when the matrices turn or shear the picture, so no box fits it.
static bool axes_to_window(AxisToWindow* x, AxisToWindow* y) {
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble m[16];  // projection * modelview, column-major
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            m[column * 4 + row] = 0.0;
            for (int k = 0; k < 4; ++k) m[column * 4 + row] += projection[k * 4 + row] * modelview[column * 4 + k];
        }
    if (m[1] != 0.0 || m[4] != 0.0 || m[3] != 0.0 || m[7] != 0.0 || m[15] != 1.0) return false;
    // Normalised device x = m[0] * unit + m[12]; the viewport maps -1..1 onto its pixels.
    *x = {m[0] * viewport[2] / 2.0, viewport[0] + (m[12] + 1.0) * viewport[2] / 2.0};
    *y = {m[5] * viewport[3] / 2.0, viewport[1] + (m[13] + 1.0) * viewport[3] / 2.0};
    return true;
}

// Window pixels [low, low + size) around the screen-unit span from a to b, one
// pixel wider on each side than any pixel centre the span covers.
static void pixel_span(const AxisToWindow& axis, double a, double b, GLint* low, GLint* size) {
    const double from = axis.offset + axis.scale * a, to = axis.offset + axis.scale * b;
    *low = static_cast<GLint>(std::floor(std::min(from, to))) - 1;
    *size = static_cast<GLint>(std::ceil(std::max(from, to))) + 1 - *low;
}

void draw_upright_picture(int id, double x0, double y0, double x1, double y1) {
    const Point2 corners[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    AxisToWindow x_axis, y_axis;
    if (clip_to_visible_pixels == 0 || !clear_texels_leave_pixels_alone() || !axes_to_window(&x_axis, &y_axis)) {
        draw_textured_quad(id, corners, STANDARD_MAPPING);
        return;
    }
    const VisibleArea area = visible_area(id);
    if (area.empty) return;  // not one pixel would change
    const double width = x1 - x0, height = y1 - y0;
    GLint box[4];
    pixel_span(x_axis, x0 + area.u0 * width, x0 + area.u1 * width, &box[0], &box[2]);
    pixel_span(y_axis, y0 + area.v0 * height, y0 + area.v1 * height, &box[1], &box[3]);
    glScissor(box[0], box[1], box[2], box[3]);
    glEnable(GL_SCISSOR_TEST);
    draw_textured_quad(id, corners, STANDARD_MAPPING);
    glDisable(GL_SCISSOR_TEST);
}

void draw_picture(int id, Colour colour, double x0, double y0, double x1, double y1) {
    glColor3d(colour.r, colour.g, colour.b);
    draw_upright_picture(id, x0, y0, x1, y1);
}
