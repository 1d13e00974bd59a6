#include "render/hud.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>

#include "render/picture.h"
#include "render/text.h"
#include "render/textures.h"
#include "stage/world.h"

namespace {

void* const HEADING_FONT = GLUT_BITMAP_HELVETICA_12;
void* const READOUT_FONT = GLUT_BITMAP_HELVETICA_10;

// Raster positions of the texts (left end of the baseline).
constexpr float SCORE_X = 0.88f, SCORE_Y = 0.87f;
constexpr float NOTICE_X = 0.01f, NOTICE_Y = 0.02f;
constexpr float DAMAGE_X = 0.89f, DAMAGE_Y = 0.22f;
constexpr float ENERGY_TEXT_X = 0.959f, ENERGY_TEXT_Y = 0.414f;
constexpr float GUN_NAME_X = 0.91f, GUN_LINE1_Y = 0.72f, GUN_LINE2_Y = 0.705f;
constexpr float MISSILES_Y = 0.68f;

// Shield read-outs around the fighter picture, indexed by side code.
const float SHIELD_TEXT_X[5] = {0, 0.925f, 0.925f, 0.905f, 0.945f};
const float SHIELD_TEXT_Y[5] = {0, 0.32f, 0.25f, 0.285f, 0.285f};

// Shield pips: one segment for each threshold the shield value exceeds,
// shorter and further out for the higher ones. Each is (x0, y0, x1, y1).
constexpr int PIP_LEVELS = 3;
const double PIP_THRESHOLDS[PIP_LEVELS] = {10, 100, 200};
const double PIP_SEGMENTS[5][PIP_LEVELS][4] = {
    {},
    {{0.907, 0.34, 0.967, 0.34}, {0.917, 0.345, 0.957, 0.345}, {0.927, 0.35, 0.947, 0.35}},  // front
    {{0.907, 0.24, 0.967, 0.24}, {0.917, 0.235, 0.957, 0.235}, {0.927, 0.23, 0.947, 0.23}},  // rear
    {{0.9, 0.26, 0.9, 0.32}, {0.895, 0.27, 0.895, 0.31}, {0.89, 0.28, 0.89, 0.30}},          // left
    {{0.975, 0.26, 0.975, 0.32}, {0.98, 0.27, 0.98, 0.31}, {0.985, 0.28, 0.985, 0.30}},      // right
};

// The NAV progress marker: two 1-pixel lines growing up the map.
constexpr double MARKER_X1 = 0.9, MARKER_X2 = 0.898;
constexpr double MARKER_BOTTOM = 0.455, MARKER_SPAN = 0.19;
const Colour MARKER_COLOUR = {1.0, 0.3, 0.3};

// The gun energy bar and its colours by the energy fraction.
constexpr double ENERGY_BAR_X = 0.875, ENERGY_BAR_WIDTH = 0.12;
constexpr double ENERGY_BAR_Y0 = 0.405, ENERGY_BAR_Y1 = 0.435;
constexpr double ENERGY_HIGH = 0.6, ENERGY_LOW = 0.3;
const Colour ENERGY_HIGH_COLOUR = {0.5, 0.5, 0.3};
const Colour ENERGY_MID_COLOUR = {0.8, 0.5, 0.3};
const Colour ENERGY_LOW_COLOUR = {0.7, 0.3, 0.3};

// The fighter picture: dull red when fresh, brighter as the hull goes.
constexpr double FIGHTER_PICTURE_X = 0.91, FIGHTER_PICTURE_Y = 0.25;
const Colour DESTROYED_COLOUR = {0.1, 0.1, 0.1};
const double HULL_THRESHOLDS[3] = {0.3, 0.5, 0.7};
const Colour HULL_COLOURS[4] = {{1.0, 0.1, 0.1}, {0.8, 0.15, 0.15}, {0.65, 0.2, 0.2}, {0.5, 0.3, 0.3}};

constexpr double MAP_X0 = 0.91, MAP_Y0 = 0.47, MAP_X1 = 0.99, MAP_Y1 = 0.63;
const Colour MAP_COLOUR = {0.8, 0.8, 0.8};

const Colour PANEL_TINTS[3] = {{0.2, 0.7, 0.2}, {0.9, 0.7, 0.1}, {0.7, 0.2, 0.2}};
constexpr double HUD_PANEL_RIGHT = 1.0;

const char* const GUN_LINE1[GUN_MODE_COUNT] = {"Laser Guns", "Ion Guns", "Neutron Guns", "Laser Guns", "Laser Guns"};
const char* const GUN_LINE2[GUN_MODE_COUNT] = {nullptr, nullptr, nullptr, "Ion Guns", "Neutron Guns"};

void set_colour(Colour c) { glColor3d(c.r, c.g, c.b); }

// Guarded ratio: a record not yet filled in (maximum 0) reads as empty.
double fraction(double value, double maximum) { return maximum != 0 ? value / maximum : 0.0; }

void draw_number(float x, float y, void* font, const char* format, int value) {
    char text[32];
    snprintf(text, sizeof text, format, value);
    draw_text(x, y, font, text);
}

void draw_line(double x0, double y0, double x1, double y1) {
    glVertex2d(x0, y0);
    glVertex2d(x1, y1);
}

void draw_readouts() {
    draw_number(DAMAGE_X, DAMAGE_Y, READOUT_FONT, "dmg:           %d%%",
                hud_percent(player.hull_max - player.hull, player.hull_max));
    for (int side = SIDE_FRONT; side <= SIDE_RIGHT; ++side)
        if (player.shield[side] > 0)
            draw_number(SHIELD_TEXT_X[side], SHIELD_TEXT_Y[side], READOUT_FONT, "%d%%",
                        hud_percent(player.shield[side], player.shield_max[side]));
    glColor3d(1, 1, 1);
    draw_number(ENERGY_TEXT_X, ENERGY_TEXT_Y, READOUT_FONT, "%d%%",
                hud_percent(player.gun_energy, player.gun_energy_max));

    const int mode = is_gun_mode(gun_mode) ? gun_mode : GUN_MODE_LASER;
    draw_text(GUN_NAME_X, GUN_LINE1_Y, READOUT_FONT, GUN_LINE1[mode]);
    if (GUN_LINE2[mode] != nullptr) draw_text(GUN_NAME_X, GUN_LINE2_Y, READOUT_FONT, GUN_LINE2[mode]);
    draw_text(GUN_NAME_X, MISSILES_Y, READOUT_FONT, "No Missiles");
}

void draw_shield_pips() {
    glLineWidth(1.0f);
    glColor3d(1, 1, 1);
    glBegin(GL_LINES);
    for (int side : {SIDE_LEFT, SIDE_RIGHT, SIDE_FRONT, SIDE_REAR})
        for (int level = 0; level < PIP_LEVELS; ++level)
            if (player.shield[side] > PIP_THRESHOLDS[level]) {
                const double* s = PIP_SEGMENTS[side][level];
                draw_line(s[0], s[1], s[2], s[3]);
            }
    glEnd();
}

void draw_progress_marker() {
    const double top = MARKER_BOTTOM + nav_timer * (1.0 / NAV1_LENGTH_FRAMES) * MARKER_SPAN;
    glLineWidth(1.0f);
    set_colour(MARKER_COLOUR);
    glBegin(GL_LINES);
    draw_line(MARKER_X1, MARKER_BOTTOM, MARKER_X1, top);
    draw_line(MARKER_X2, MARKER_BOTTOM, MARKER_X2, top);
    glEnd();
}

void draw_energy_bar(double energy_fraction) {
    if (energy_fraction >= ENERGY_HIGH)
        set_colour(ENERGY_HIGH_COLOUR);
    else if (energy_fraction >= ENERGY_LOW)
        set_colour(ENERGY_MID_COLOUR);
    else
        set_colour(ENERGY_LOW_COLOUR);
    const double right = ENERGY_BAR_X + ENERGY_BAR_WIDTH * energy_fraction;
    glBegin(GL_QUADS);
    glVertex2d(ENERGY_BAR_X, ENERGY_BAR_Y0);
    glVertex2d(right, ENERGY_BAR_Y0);
    glVertex2d(right, ENERGY_BAR_Y1);
    glVertex2d(ENERGY_BAR_X, ENERGY_BAR_Y1);
    glEnd();
}

Colour fighter_picture_colour() {
    if (player_destroyed == 1) return DESTROYED_COLOUR;
    const double hull = fraction(player.hull, player.hull_max);
    for (int band = 0; band < 3; ++band)
        if (hull < HULL_THRESHOLDS[band]) return HULL_COLOURS[band];
    return HULL_COLOURS[3];
}

// Texts and gauges first, pictures after: the depth rule keeps the first in front.
void draw_content(double energy_fraction) {
    glColor3d(1, 1, 1);
    draw_number(SCORE_X, SCORE_Y, HEADING_FONT, "%d", score);
    if (message_timer > 0) {
        draw_text(NOTICE_X, NOTICE_Y, HEADING_FONT, message_text);
        message_timer -= 1;
    }
    if (player_destroyed == 0) draw_readouts();
    if (player_destroyed == 0) draw_shield_pips();
    draw_progress_marker();
    if (player_destroyed == 0) draw_energy_bar(energy_fraction);

    glEnable(GL_TEXTURE_2D);
    draw_picture(selected_ship, fighter_picture_colour(), FIGHTER_PICTURE_X, FIGHTER_PICTURE_Y,
                 FIGHTER_PICTURE_X + player.width * PIXEL_WIDTH, FIGHTER_PICTURE_Y + player.height * PIXEL_HEIGHT);
    draw_picture(TEX_NAV_MAP, MAP_COLOUR, MAP_X0, MAP_Y0, MAP_X1, MAP_Y1);
}

}  // namespace

char message_text[MESSAGE_TEXT_SIZE] = "";
int message_timer = 0;

void show_message(int frames, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(message_text, sizeof message_text, format, arguments);
    va_end(arguments);
    message_timer = frames;
}

int hud_percent(double value, double maximum) {
    if (maximum == 0) return 0;
    // Multiplying first keeps whole values exact: 29 of 100 reads 29, not 28.
    return static_cast<int>(value * 100.0 / maximum);
}

void draw_hud() {
    const double energy_fraction = fraction(player.gun_energy, player.gun_energy_max);

    if (hud_offset == 0.0) draw_content(energy_fraction);

    glEnable(GL_TEXTURE_2D);
    const Colour tint = selected_ship >= 0 && selected_ship < PLAYER_SHIP_COUNT ? PANEL_TINTS[selected_ship] : Colour{1, 1, 1};
    draw_picture(TEX_HUD_PANEL, tint, hud_offset + HUD_PANEL_LEFT, 0.0, hud_offset + HUD_PANEL_RIGHT, 1.0);
    glDisable(GL_TEXTURE_2D);
}
