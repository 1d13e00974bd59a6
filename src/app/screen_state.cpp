#include "app/screen_state.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/replay_player.h"
#include "app/replay_view.h"
#include "app/scaled_picture.h"
#include "audio/sound.h"
#include "input/input_stream.h"
#include "menus/screens.h"
#include "render/textures.h"
#include "stage/stage_screen.h"

char music_path[32] = "";

static const char* const LOGO_MUSIC = "./mus/mus_logo.mp3";
static const char* const MENU_MUSIC = "./mus/mus_menu.mid";
static const char* const CREDITS_MUSIC = "./mus/mus_cred.mid";

// First frame of a visit: the state's pictures.
static void load_textures_once(int state) {
    if (textures_loaded == 0) {
        load_state_textures(state);
        textures_loaded = 1;
    }
}

void start_music_once(const char* path) {
    if (music_started == 0) {
        snprintf(music_path, sizeof music_path, "%s", path);
        play_music(music_path);
        music_started = 1;
    }
}

// The menu screens in the order the frame checks them: each loads its
// pictures on its first frame, starts its own song if it has one, and draws.
struct MenuScreen {
    int state;
    const char* music;  // nullptr: whatever plays goes on
    void (*draw)();
};
static const MenuScreen MENU_SCREENS[] = {
    {STATE_MAIN_MENU, MENU_MUSIC, draw_main_menu},
    {STATE_SETTINGS, nullptr, draw_settings_menu},
    {STATE_CONTROLS, nullptr, draw_controls_screen},
    {STATE_STAGE_SELECT, nullptr, draw_stage_select},
    {STATE_HIGH_SCORES, nullptr, draw_high_score_screen},
    {STATE_CREDITS, CREDITS_MUSIC, draw_credits},
    {STATE_SHIP_SELECT, nullptr, draw_ship_select},
};

// One frame. Each check re-reads screen_state, so a screen that moves on to a
// state checked later is drawn in this same frame (the intro ending shows the
// main menu at once); a move to a state checked earlier shows next frame.
void display_callback() {
    input_stream_frame_begins();  // a replay feeds this frame's input here
    // A paused replay, or its verdict, shows its game's last picture: no frame runs.
    if (replay_holds_picture()) return show_held_replay_picture();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    begin_picture();  // the window held at 800x600, or the scaled picture's corner

    if (screen_state == STATE_LOGO_INTRO) {
        if (music_started == 0) {
            play_sound(LOGO_MUSIC);  // an MP3 played as an effect: it takes the first ring slot
            music_started = 1;
        }
        draw_logo_intro();
    }
    for (const MenuScreen& menu : MENU_SCREENS) {
        if (screen_state != menu.state) continue;
        load_textures_once(menu.state);
        if (menu.music) start_music_once(menu.music);
        menu.draw();
    }
    frame_stage_screen();  // a NAV, or the quit overlay over the frozen stage
    if (replay_playing) draw_replay_view();

    finish_picture();  // scaled up when full screen could not switch modes
    glFlush();
    glutSwapBuffers();
    input_stream_frame_ends();
}
