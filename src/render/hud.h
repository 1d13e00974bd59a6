// The head-up display: a panel along the right edge of a stage, tinted in the
// chosen fighter's colour, with the score, the fighter's damage and shields,
// the gun energy and names, the NAV map and progress, and the notice line.
#pragma once

// Where the panel rests when fully in (hud_offset is its slide to the right,
// which the stage's frames move: stage/world.h).
constexpr double HUD_PANEL_LEFT = 0.84;
// Texture id of the NAV map picture on the panel.
constexpr int TEX_NAV_MAP = 7;

// The stage's one line of notice: written by the keys through show_message,
// drawn and counted down by draw_hud.
// Frames a notice stays on screen.
constexpr int MESSAGE_FRAMES_SOUND = 100;
constexpr int MESSAGE_FRAMES_VOLUME = 120;

constexpr int MESSAGE_TEXT_SIZE = 32;
extern char message_text[MESSAGE_TEXT_SIZE];
extern int message_timer;  // frames the notice is still shown

// Puts a formatted notice on screen for `frames` frames, cut to the buffer.
// Called by the stage keys.
void show_message(int frames, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Drawn first in every stage and quit-overlay frame, so that it stays in front;
// draws the content only while the panel is fully in (hud_offset exactly 0)
// and counts the notice down with it. Entered and left with texturing off.
void draw_hud();

// value / maximum as a whole percentage truncated toward zero, as the read-outs
// show it (0 when the maximum is 0). Used by draw_hud.
int hud_percent(double value, double maximum);
