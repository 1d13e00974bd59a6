// One drawing routine per menu screen, called by the display callback every
// frame in its state. Menu screens only draw; the key handlers change things
// (the intro and the credits also advance their own counters).
#pragma once

extern double credits_scroll;  // vertical offset of the credits block, screen units; 0.0 at start-up
extern int stages_unlocked;    // the stage entry the stage select offers; 1 for the whole run
extern float logo_fade;        // intro brightness, single precision; 0.0 at load, never reset
extern int logo_fade_step;     // +1 fading in, -1 fading out

void draw_logo_intro();         // STATE_LOGO_INTRO: one intro frame, advances logo_fade
void draw_main_menu();          // STATE_MAIN_MENU
void draw_settings_menu();      // STATE_SETTINGS
void draw_controls_screen();    // STATE_CONTROLS
void draw_stage_select();       // STATE_STAGE_SELECT
void draw_high_score_screen();  // STATE_HIGH_SCORES
void draw_ship_select();        // STATE_SHIP_SELECT
void draw_credits();            // STATE_CREDITS: one frame, advances credits_scroll

// Leaves the intro for the main menu: stops and frees the intro music, state 0,
// music_started cleared. Called by the intro's last frame and by its skip keys.
void end_logo_intro();
