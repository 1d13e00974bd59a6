// The game's pictures: each one a named texture with the on-screen rectangle
// it is drawn over and the routine that draws it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "canvas.h"
#include "text.h"

struct Picture {
    std::string name;                  // file name under tex/
    int texture_w, texture_h;          // power-of-two texel sizes
    double screen_w, screen_h;         // the rectangle it is drawn over, window pixels
    std::function<void(Canvas&)> draw;
    bool alpha_only = false;           // written as an 8-bit mask
    bool soften = false;               // shown smaller than its texture: pre-filter
};

// Each adds its group of pictures to `out`. Called by main.
void add_text_pictures(std::vector<Picture>& out);
void add_logo_pictures(std::vector<Picture>& out);
void add_ship_pictures(std::vector<Picture>& out);
void add_world_pictures(std::vector<Picture>& out);
void add_panel_pictures(std::vector<Picture>& out);
void add_controls_pictures(std::vector<Picture>& out);

// Writes the desktop icon as DIR/hicolor/NxN/apps/korvane-arcade.png at every
// size an icon theme uses; false on a write error. Called by main for --only icons.
bool write_icons(const std::string& dir);

// A light label with a soft dark halo: the look shared by every text picture.
// `style.size` is the largest size; long texts shrink to fit `box`.
void draw_label(Canvas& c, const std::string& text, TextStyle style, const Box& box, Align align,
                float halo = 0.6f);
// The same with a custom fill.
void draw_label(Canvas& c, const std::string& text, TextStyle style, const Box& box, Align align,
                const Paint& fill_paint, float halo);

// The em size whose capitals are `cap` window pixels high.
double size_for_cap(Font font, double cap);
// The box in which draw_label stands capitals `cap` high on `baseline`
// (a label's capitals are centred on its box's middle).
Box caps_on_baseline(double left, double right, double baseline, double cap);
// The letter spacing that spreads `text` (one line, plain ASCII) over `width`.
double tracking_to_fill(const Canvas& c, const std::string& text, TextStyle style, double width);
