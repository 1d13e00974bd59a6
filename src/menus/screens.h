// One drawing routine per menu screen, called by the display callback every
// frame in its state. Menu screens only draw; the key handlers change things.
#pragma once

extern double credits_scroll;  // vertical offset of the credits block
extern int stages_unlocked;    // the stage entry the stage select offers
extern float logo_fade;        // intro brightness, single precision
extern int logo_fade_step;     // +1 fading in, -1 fading out

void draw_logo_intro();
void draw_main_menu();
void draw_settings_menu();
void draw_controls_screen();
void draw_stage_select();
void draw_high_score_screen();
void draw_ship_select();
void draw_credits();
