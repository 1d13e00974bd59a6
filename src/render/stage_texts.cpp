#include "render/stage_texts.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "persist/high_scores.h"
#include "render/text.h"
#include "stage/frames.h"
#include "stage/world.h"

namespace {

constexpr int TEXT_SIZE = 64;
void* const SMALL_FONT = GLUT_BITMAP_HELVETICA_10;
void* const LARGE_FONT = GLUT_BITMAP_HELVETICA_12;

void draw_white_text(float x, float y, void* font, const char* text) {
    glColor3f(1.0f, 1.0f, 1.0f);
    draw_text(x, y, font, text);
}

void draw_high_score_place(float x, float y) {
    int place = high_score_place(score);
    if (place == -1) return;
    char text[TEXT_SIZE];
    snprintf(text, sizeof text, "You Have A New Highscore! Place: %d", place);
    draw_white_text(x, y, SMALL_FONT, text);
}

}  // namespace

void draw_kills_left() {
    if (nav_kills_left <= 0) return;
    char text[TEXT_SIZE];
    snprintf(text, sizeof text, "Enemies left to destroy in this NAV: %d", nav_kills_left);
    draw_white_text(0.59f, 0.02f, LARGE_FONT, text);
}

void draw_new_high_score() { draw_high_score_place(0.31f, 0.45f); }

void draw_results(bool last_nav) {
    char text[TEXT_SIZE];
    const NavResults results = nav_results();
    snprintf(text, sizeof text, "ACCURACY: %.2f%%", results.accuracy);
    draw_white_text(0.435f, 0.45f, SMALL_FONT, text);
    if (results.no_damage) draw_white_text(0.405f, 0.42f, SMALL_FONT, "NO DAMAGE BONUS: + 1.000");
    if (results.accuracy_bonus == HIGH_ACCURACY_BONUS)
        draw_white_text(0.405f, 0.39f, SMALL_FONT, "ACCURACY BONUS: + 1.000");
    else if (results.accuracy_bonus == GOOD_ACCURACY_BONUS)
        draw_white_text(0.405f, 0.39f, SMALL_FONT, "ACCURACY BONUS:   + 500");
    snprintf(text, sizeof text, "TOTAL SCORE: %d", score);
    draw_white_text(0.435f, 0.35f, SMALL_FONT, text);
    if (last_nav && bonus_pending == 0) draw_high_score_place(0.395f, 0.30f);
}
