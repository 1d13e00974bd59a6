// Menu items, settings labels and values, digits, captions and stage messages:
// light text on transparency, so the drawing colour (the menus' dim grey, the
// pinkish-red of the stage messages) gives it its final colour.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace {

// The on-screen rows the menus stack their pictures in are 30 window pixels
// high; the textures are 32 texels high.
const double ROW_H = 30;

// Capitals of the menu rows: a little over half the row.
const double MENU_SIZE = 19;
const double MENU_TRACKING = 1.5;

// The settings menu draws a volume digit over its row's band from 0.01 to 0.03
// above the band's bottom: 6 to 18 of the row's 30 pixels, 16 x 12 pixels in
// all. Every word of that menu stands on the digits' baseline at their height,
// so a row reads on one line and the value column lines up.
const double DIGIT_BOTTOM_IN_ROW = 6, DIGIT_H = 12, DIGIT_W = 16;
const double SETTINGS_BASELINE = DIGIT_BOTTOM_IN_ROW + 0.5;  // half a pixel clear of the digit's edges
const double SETTINGS_CAP = DIGIT_H - 1;

Paint vertical_sheen(const Box& box) {
    return [box](double, double y) {
        const double t = (y - box.y0) / (box.y1 - box.y0);
        const float v = static_cast<float>(0.80 + 0.20 * std::clamp(t, 0.0, 1.0));
        return grey(v);
    };
}

Picture row_label(const std::string& name, const std::string& text, int texture_w, double screen_w, double left,
                  double right, double size = MENU_SIZE) {
    return Picture{name, texture_w, 32, screen_w, ROW_H, [=](Canvas& c) {
                       TextStyle s{Font::Bold, size, MENU_TRACKING, 0};
                       draw_label(c, text, s, Box{left, 0, right, ROW_H}, Align::Left);
                   }};
}

// A word of the settings menu, on the digits' baseline at their height.
Picture settings_word(const std::string& name, const std::string& text, int texture_w, double screen_w, double left,
                      double right) {
    return Picture{name, texture_w, 32, screen_w, ROW_H, [=](Canvas& c) {
                       TextStyle s{Font::Bold, size_for_cap(Font::Bold, SETTINGS_CAP), MENU_TRACKING, 0};
                       draw_label(c, text, s, caps_on_baseline(left, right, SETTINGS_BASELINE, SETTINGS_CAP),
                                  Align::Left);
                   }};
}

Picture centred_caption(const std::string& name, const std::string& text, int texture_w, int texture_h,
                        double screen_w, double screen_h, double size, double tracking) {
    return Picture{name, texture_w, texture_h, screen_w, screen_h, [=](Canvas& c) {
                       TextStyle s{Font::Bold, size, tracking, 0};
                       draw_label(c, text, s, Box{6, 0, screen_w - 6, screen_h}, Align::Centre);
                   }};
}

// Ship-select caption: the name in large capitals over a line on its role.
Picture ship_caption(const std::string& name, const std::string& ship, const std::string& role) {
    const double w = 512, h = 66;  // 0.64 x 0.11 of the window
    return Picture{name, 512, 64, w, h, [=](Canvas& c) {
                       TextStyle big{Font::Bold, 36, 8, 0};
                       draw_label(c, ship, big, Box{20, 26, w - 20, h - 2}, Align::Centre);
                       TextStyle small{Font::Condensed, 15, 2.5, 0};
                       draw_label(c, role, small, Box{20, 3, w - 20, 22}, Align::Centre, 0.5f);
                   }};
}

}  // namespace

double size_for_cap(Font font, double cap) { return cap / cap_height(TextStyle{font, 1, 0, 0}); }

Box caps_on_baseline(double left, double right, double baseline, double cap) {
    return Box{left, baseline, right, baseline + cap};
}

double tracking_to_fill(const Canvas& c, const std::string& text, TextStyle style, double width) {
    style.tracking = 0;
    return text.size() > 1 ? (width - text_width(c, text, style)) / static_cast<double>(text.size() - 1) : 0;
}

void draw_label(Canvas& c, const std::string& text, TextStyle style, const Box& box, Align align,
                const Paint& fill_paint, float halo) {
    Mask m = text_in_box(c, text, style, box, align);
    if (halo > 0) {
        Mask shadow = m;
        const int radius = std::max(1, static_cast<int>(std::lround(style.size * 0.06 * c.texels_per_unit_x())));
        blur_mask(shadow, c.width, c.height, radius);
        paint_mask(c, shadow, grey(0.0f, halo), 2.2f);
    }
    paint_mask(c, m, fill_paint);
}

void draw_label(Canvas& c, const std::string& text, TextStyle style, const Box& box, Align align, float halo) {
    draw_label(c, text, style, box, align, vertical_sheen(box), halo);
}

void add_text_pictures(std::vector<Picture>& out) {
    // Main menu: items over x 0.34..0.66; the pointer covers their first 0.04,
    // so the words start past it.
    const char* main_items[] = {"START GAME", "STAGE SELECT", "SETTINGS", "HIGH SCORES", "CREDITS", "QUIT"};
    for (int i = 0; i < 6; ++i)
        out.push_back(row_label("tex_menu_main" + std::to_string(i + 1) + ".tga", main_items[i], 256, 256, 40, 252));

    // Settings: short labels over 0.16 of the width, long ones over 0.32,
    // on/off over 0.08; the video value and the notice run past the window's
    // right edge (x 1.02), so their words keep to the visible 240 pixels.
    out.push_back(settings_word("tex_menu_settings_sound.tga", "SOUND", 128, 128, 6, 124));
    out.push_back(settings_word("tex_menu_settings_music.tga", "MUSIC", 128, 128, 6, 124));
    out.push_back(settings_word("tex_menu_settings_video.tga", "VIDEO", 128, 128, 6, 124));
    out.push_back(settings_word("tex_menu_settings_sound_volume.tga", "SOUND VOLUME", 256, 256, 6, 250));
    out.push_back(settings_word("tex_menu_settings_music_volume.tga", "MUSIC VOLUME", 256, 256, 6, 250));
    out.push_back(settings_word("tex_menu_settings_controls.tga", "CONTROLS", 256, 256, 6, 250));
    // The values start where the digits do, at the left edge of their rectangles.
    out.push_back(settings_word("tex_menu_settings_on.tga", "ON", 64, 64, 1, 62));
    out.push_back(settings_word("tex_menu_settings_off.tga", "OFF", 64, 64, 1, 62));
    out.push_back(settings_word("tex_menu_settings_windowed.tga", "WINDOWED", 256, 256, 1, 232));
    out.push_back(settings_word("tex_menu_settings_full_screen.tga", "FULL SCREEN", 256, 256, 1, 232));
    out.push_back(Picture{"tex_menu_settings_restart.tga", 256, 32, 256, ROW_H, [](Canvas& c) {
                              TextStyle s{Font::Condensed, size_for_cap(Font::Condensed, SETTINGS_CAP), 1, 0.18};
                              draw_label(c, "restart the game to apply", s,
                                         caps_on_baseline(1, 234, SETTINGS_BASELINE, SETTINGS_CAP), Align::Left);
                          }});

    // Volume digits: 0.02 x 0.02 of the window, 16 x 12 pixels, their capitals
    // on the settings words' baseline.
    for (int d = 0; d <= 9; ++d)
        out.push_back(Picture{"tex_alfa_" + std::to_string(d) + ".tga", 16, 16, DIGIT_W, DIGIT_H, [d](Canvas& c) {
                                  TextStyle s{Font::Bold, size_for_cap(Font::Bold, SETTINGS_CAP), 0, 0};
                                  const double baseline = SETTINGS_BASELINE - DIGIT_BOTTOM_IN_ROW;
                                  draw_label(c, std::to_string(d), s,
                                             caps_on_baseline(1, DIGIT_W, baseline, SETTINGS_CAP), Align::Left, 0.45f);
                              }});

    // Ship select: heading 0.64 x 0.06, captions 0.64 x 0.11.
    out.push_back(centred_caption("tex_text_select_ship.tga", "SELECT YOUR SHIP", 512, 32, 512, 36, 24, 5));
    out.push_back(ship_caption("tex_text_ship_pilvet.tga", "PILVET", "FAST INTERCEPTOR  -  LASER AND ION GUNS"));
    out.push_back(ship_caption("tex_text_ship_vesker.tga", "VESKER", "STRIKE FIGHTER  -  LASER AND ION GUNS"));
    out.push_back(ship_caption("tex_text_ship_brantor.tga", "BRANTOR", "HEAVY GUNSHIP  -  LASER AND NEUTRON GUNS"));

    // Stage messages: the title 0.64 x 0.06 (0.66 wide in the stage select),
    // the others 0.32 or 0.16 x 0.05. The title's letters are spread over the
    // whole picture: the stage select puts it just right of the pointer, the
    // stage centres it on the playfield, and either way it fills its line.
    out.push_back(Picture{"tex_text_message_stage1.tga", 512, 32, 512, 36, [](Canvas& c) {
                              const std::string title = "STAGE 1: THE OUTER BELT";
                              TextStyle s{Font::Bold, 27, 0, 0.12};
                              const Box box{4, 0, 506, 36};  // the slant leans the tops 2 pixels right
                              s.tracking = tracking_to_fill(c, title, s, box.x1 - box.x0);
                              draw_label(c, title, s, box, Align::Centre);
                          }});
    out.push_back(centred_caption("tex_text_message_nav_complete.tga", "NAV COMPLETE", 256, 32, 256, ROW_H, 21, 3));
    out.push_back(centred_caption("tex_text_message_game_over.tga", "GAME OVER", 256, 32, 256, ROW_H, 22, 4));
    out.push_back(Picture{"tex_text_message_quit.tga", 128, 32, 128, ROW_H, [](Canvas& c) {
                              TextStyle s{Font::CondensedBold, 17, 0.5, 0};
                              draw_label(c, "QUIT?  Y / N", s, Box{3, 0, 125, ROW_H}, Align::Centre);
                          }});
}
