#include "menus/screens.h"

#include <GL/freeglut.h>

#include "menus/menu_elements.h"
#include "render/starfield.h"
#include "render/text.h"

double credits_scroll = 0.0;

// The block rises this much a frame; once its offset reaches the top it
// re-enters from below the screen: 1,050 frames a round.
constexpr double CREDITS_SCROLL_STEP = 0.002;
constexpr double CREDITS_SCROLL_TOP = 1.5;
constexpr double CREDITS_SCROLL_RESTART = -0.6;

constexpr int TEX_STUDIO_LOGO = 0;
// The logo's rectangle, relative to the offset.
constexpr double LOGO_X0 = 0.25, LOGO_X1 = 0.75;
constexpr double LOGO_Y0 = 0.35, LOGO_Y1 = 0.65;

constexpr float CREDIT_X = 0.35f;  // headings and credit lines start here

enum CreditKind { HEADING, CREDIT, CLOSING };

// One text of the block: its height relative to the offset, its kind (which
// gives its font and colour) and, for the closing lines, its own x.
struct CreditLine {
    double y;
    CreditKind kind;
    const char* text;
    float x;
};

static const CreditLine CREDIT_LINES[] = {
    {0.30, HEADING, "CODING (ENGINE AND GRAPHICS)", CREDIT_X},
    {0.28, CREDIT, "Korvane Studio engine crew", CREDIT_X},
    {0.23, HEADING, "GAME DESIGN AND TEXTURE COMPILER", CREDIT_X},
    {0.21, CREDIT, "Korvane Studio design desk", CREDIT_X},
    {0.16, HEADING, "TEXTURES / MUSIC / SFX", CREDIT_X},
    {0.14, CREDIT, "Korvane Studio asset forge (every one made in code)", CREDIT_X},
    {0.09, HEADING, "BIG 'PILVET' MODEL (MENU)", CREDIT_X},
    {0.07, CREDIT, "Korvane Studio hangar artists", CREDIT_X},
    {0.02, HEADING, "BIG 'VESKER' MODEL (MENU)", CREDIT_X},
    {0.00, CREDIT, "Korvane Studio hangar artists", CREDIT_X},
    {-0.05, HEADING, "KORVANE FONT", CREDIT_X},
    {-0.07, CREDIT, "DejaVu Sans, lettered by the Korvane Studio sign shop", CREDIT_X},
    {-0.12, HEADING, "GAMEPLAY TESTERS", CREDIT_X},
    {-0.14, CREDIT, "The Night Shift test squadron", CREDIT_X},
    {-0.16, CREDIT, "Outer Belt rock counters", CREDIT_X},
    {-0.18, CREDIT, "The frame-by-frame test harness", CREDIT_X},
    {-0.20, CREDIT, "Every early pilot of the demo", CREDIT_X},
    {-0.25, HEADING, "LIBRARIES USED", CREDIT_X},
    {-0.27, CREDIT, "OpenGL graphics with freeglut", CREDIT_X},
    {-0.29, CREDIT, "SDL2_mixer with FluidSynth for sound and music", CREDIT_X},
    {-0.31, CREDIT, "libxwiimote for the Wii Remote, through our own wiiuse-style bridge", CREDIT_X},
    {-0.36, HEADING, "SPECIAL THANKS TO", CREDIT_X},
    {-0.38, CREDIT, "The free software authors whose libraries we stand on", CREDIT_X},
    {-0.40, CREDIT, "The Korvane Studio coffee machine", CREDIT_X},
    {-0.42, CREDIT, "You, for playing", CREDIT_X},
    {-0.47, CLOSING, "Korvane Studio", 0.42f},
    {-0.49, CLOSING, "Korvane Arcade, its fighters and its worlds are original creations of Korvane Studio.", 0.22f},
    {-0.51, CLOSING, "All pictures, sounds and music were made for this game.", 0.32f},
    {-0.53, CLOSING, "korvane.example", 0.43f},
};

static void draw_credit_line(const CreditLine& line, double scroll) {
    switch (line.kind) {
        case HEADING:
        case CLOSING: glColor3f(MENU_TEXT_RED, MENU_TEXT_GREEN, MENU_TEXT_BLUE); break;
        case CREDIT: glColor3f(1.0f, 0.0f, 0.0f); break;
    }
    void* font = line.kind == CLOSING ? GLUT_BITMAP_TIMES_ROMAN_10 : GLUT_BITMAP_HELVETICA_12;
    // A line whose baseline has left the screen is not drawn at all, so lines
    // vanish whole at the edges.
    draw_text(line.x, static_cast<float>(scroll + line.y), font, line.text);
}

void draw_credits() {
    glEnable(GL_TEXTURE_2D);
    glColor3f(MENU_BRIGHT, MENU_BRIGHT, MENU_BRIGHT);
    draw_textured_rect(TEX_STUDIO_LOGO, LOGO_X0, static_cast<float>(credits_scroll + LOGO_Y0), LOGO_X1,
                       static_cast<float>(credits_scroll + LOGO_Y1));
    glDisable(GL_TEXTURE_2D);

    // The texts use the advanced offset: they stand one step above the logo.
    credits_scroll += CREDITS_SCROLL_STEP;
    for (const CreditLine& line : CREDIT_LINES) draw_credit_line(line, credits_scroll);
    if (credits_scroll >= CREDITS_SCROLL_TOP) credits_scroll = CREDITS_SCROLL_RESTART;

    draw_starfield(0);
}
