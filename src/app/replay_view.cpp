#include "app/replay_view.h"

#include <GL/freeglut.h>

#include <string>

#include "app/replay_player.h"
#include "app/scaled_picture.h"
#include "app/startup.h"
#include "input/gamepad.h"
#include "input/wiimote.h"
#include "render/text.h"
#include "render/text_fit.h"

namespace {

// The last picture of the replayed game, kept for a pause and the verdict.
// The game's pictures use the fixed ids 0..13, 100..109 and 512..519, the
// scaled picture 1000.
constexpr GLuint HELD_PICTURE_ID = 1001;
// A power of two holding 800x600, for drivers without odd-sized textures.
constexpr int HELD_PICTURE_SIZE = 1024;
constexpr float HELD_S = static_cast<float>(WINDOW_WIDTH) / HELD_PICTURE_SIZE;
constexpr float HELD_T = static_cast<float>(WINDOW_HEIGHT) / HELD_PICTURE_SIZE;
int held_picture_made = 0;  // the texture exists (made on the first replayed frame)

// The texts at the top left of the playfield, the bar between the caption and the keys.
void* const CAPTION_FONT = GLUT_BITMAP_HELVETICA_12;
void* const SMALL_FONT = GLUT_BITMAP_HELVETICA_10;
constexpr float TEXT_X = 0.02f;
constexpr float CAPTION_Y = 0.972f;
constexpr float BAR_X0 = 0.02f, BAR_X1 = 0.82f, BAR_Y0 = 0.953f, BAR_Y1 = 0.958f;
constexpr float KEYS_Y = 0.933f;
constexpr float LINE_STEP = 0.02f;  // the small lines below it: a pad's and a remote's keys, the parting
constexpr int PLAYFIELD_PIXELS = 656;  // what text may take from TEXT_X to the HUD panel

// The verdict: a line in a dark box across the playfield, below the middle,
// where the game's own last words (GAME OVER, the results) stay readable.
constexpr float VERDICT_X0 = 0.04f, VERDICT_X1 = 0.80f, VERDICT_Y0 = 0.255f, VERDICT_Y1 = 0.36f;
constexpr float VERDICT_TEXT_X = 0.06f, VERDICT_Y = 0.315f, VERDICT_HINT_Y = 0.28f;
constexpr int VERDICT_PIXELS = 576;

const char* const KEYS_PLAYING = "P: pause    hold Space: 4x    Esc: leave";
const char* const KEYS_PAUSED = "P: play on    Right: one frame    Esc: leave";
const char* const PAD_KEYS = "Pad: Y pause, D-pad right one frame, hold A 4x, Start leave";
const char* const REMOTE_KEYS = "Wii-mote: 1 pause, D-pad down one frame, hold 2 4x, Home leave";
const char* const VERDICT_HINT = "Esc: back at once";

void draw_line(float x, float y, void* font, const std::string& text, int pixels) {
    draw_text(x, y, font, text_fitting(text, font, pixels).c_str());
}

void rectangle(GLenum mode, float x0, float y0, float x1, float y1) {
    glBegin(mode);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
}

void keep_picture() {
    glPushAttrib(GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, HELD_PICTURE_ID);
    if (!held_picture_made) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, HELD_PICTURE_SIZE, HELD_PICTURE_SIZE, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     nullptr);
        held_picture_made = 1;
    }
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT);
    glPopAttrib();
}

// The kept picture over the whole 800x600, texel for pixel. It writes no
// depth, so the texts drawn after it stay in front.
void draw_held_picture() {
    if (!held_picture_made) return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, HELD_PICTURE_ID);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(HELD_S, 0.0f);
    glVertex2f(1.0f, 0.0f);
    glTexCoord2f(HELD_S, HELD_T);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, HELD_T);
    glVertex2f(0.0f, 1.0f);
    glEnd();
    glPopAttrib();
}

// Every primitive is drawn at one depth and the first drawn wins, so each
// text comes before what lies behind it.
void draw_replay_texts() {
    glDisable(GL_TEXTURE_2D);
    const int holding_verdict = !replay_verdict().empty();
    std::string caption = "REPLAY   " + replay_pilot();
    if (replay_paused()) caption += "   PAUSED";
    else if (replay_speed > 1) caption += "   4x";
    glColor3f(1.0f, 0.85f, 0.3f);
    draw_line(TEXT_X, CAPTION_Y, CAPTION_FONT, caption, PLAYFIELD_PIXELS);

    if (holding_verdict) {
        glColor3f(1.0f, 1.0f, 1.0f);
        draw_line(VERDICT_TEXT_X, VERDICT_Y, CAPTION_FONT, replay_verdict(), VERDICT_PIXELS);
        glColor3f(1.0f, 0.7f, 0.7f);
        draw_line(VERDICT_TEXT_X, VERDICT_HINT_Y, SMALL_FONT, VERDICT_HINT, VERDICT_PIXELS);
        glColor3f(1.0f, 0.85f, 0.3f);
        rectangle(GL_LINE_LOOP, VERDICT_X0, VERDICT_Y0, VERDICT_X1, VERDICT_Y1);
        glColor4f(0.05f, 0.05f, 0.12f, 0.85f);
        rectangle(GL_QUADS, VERDICT_X0, VERDICT_Y0, VERDICT_X1, VERDICT_Y1);
    } else {
        glColor3f(1.0f, 0.7f, 0.7f);
        float y = KEYS_Y;
        draw_line(TEXT_X, y, SMALL_FONT, replay_paused() ? KEYS_PAUSED : KEYS_PLAYING, PLAYFIELD_PIXELS);
        for (const char* device : {gamepad_connected() ? PAD_KEYS : nullptr, wiimote_polling() ? REMOTE_KEYS : nullptr})
            if (device) draw_line(TEXT_X, y -= LINE_STEP, SMALL_FONT, device, PLAYFIELD_PIXELS);
        if (!replay_parting().empty()) {
            glColor3f(1.0f, 0.4f, 0.3f);
            draw_line(TEXT_X, y - LINE_STEP, SMALL_FONT, replay_parting(), PLAYFIELD_PIXELS);
        }
    }

    // The bar: the part played bright, the rest dim.
    const float played_x = BAR_X0 + static_cast<float>(replay_progress()) * (BAR_X1 - BAR_X0);
    glColor3f(1.0f, 0.85f, 0.3f);
    rectangle(GL_QUADS, BAR_X0, BAR_Y0, played_x, BAR_Y1);
    glColor3f(0.3f, 0.3f, 0.3f);
    rectangle(GL_QUADS, played_x, BAR_Y0, BAR_X1, BAR_Y1);
}

}  // namespace

void draw_replay_view() {
    if (replay_holds_picture()) {
        // The game ended in this frame: what it drew after its end is no picture of it.
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw_held_picture();
    } else {
        keep_picture();
        glClear(GL_DEPTH_BUFFER_BIT);  // the texts go in front of the whole picture
    }
    draw_replay_texts();
}

void show_held_replay_picture() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    begin_picture();
    draw_held_picture();
    draw_replay_texts();
    finish_picture();
    glFlush();
    glutSwapBuffers();
    replay_picture_held();
}
