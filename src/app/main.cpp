// Korvane Arcade engine: entry point.
//
// Start-up runs in a fixed order: the argument check, the Wii Remote link and
// its poll thread, the display mode, the settings file, the window (or game
// mode), the OpenGL state with the start values, the callbacks and the watch
// for quit requests, then the toolkit's main loop. From then on every
// redisplay is one frame of the whole game (display_callback), paced by
// idle_callback; the key callbacks and the queued remote reports change the
// game between frames. The loop returns only when the window is closed, and
// the game then ends as the main menu's quit item ends it.

#include <GL/freeglut.h>

#include <cstdio>
#include <cstring>

#include "app/frame_pacing.h"
#include "app/gl_setup.h"
#include "app/quit_requests.h"
#include "app/replay_player.h"
#include "app/screen_state.h"
#include "app/startup.h"
#include "input/input_stream.h"
#include "input/wiimote.h"
#include "persist/replay_store.h"
#include "persist/settings.h"
#include "platform/os.h"
#include "platform/quit_signals.h"

int main(int argc, char** argv) {
    keep_heap_trimmed();
    // Console lines must appear as they happen, also into a pipe or a file.
    setvbuf(stdout, nullptr, _IOLBF, 0);

    // The launcher passes the profile name; without it there is nothing to play as.
    if (argc < 2) {
        printf("ERROR: Do not run the engine directly, run kro.exe instead\n");
        return 0;
    }
    profile_name = argv[1];
    printf("Loading: Korvane Arcade - Wii-mote controlled - Please wait...\n\n");

    // From here the quit signals only ask the game to end; every thread started
    // from now on leaves them to the toolkit thread.
    os_hold_quit_signals();
    if (connect_wiimote() != -1) os_start_thread(poll_thread);

#ifdef KORVANE_SPINNING_IDLE
    idle_gives_back_cpu = 0;  // benchmark build only: the busy-waiting loop to compare against
#endif

    // The toolkit gets no engine arguments: the profile name is not a toolkit option.
    int toolkit_argc = 1;
    char* toolkit_argv[] = {argv[0], nullptr};
    prefer_single_threaded_software_renderer();
    glutInit(&toolkit_argc, toolkit_argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);

    load_settings();
    open_display();
    gl_setup(1);
    replay_folder = "replays";  // beside settings.cfg
    // `--replay FILE` after the profile plays that replay, then the main menu follows.
    if (argc >= 4 && strcmp(argv[2], "--replay") == 0) start_replay_file(argv[3], STATE_MAIN_MENU);

    glutIgnoreKeyRepeat(1);  // a held key is one press and one release
    // Keys reach the handlers through the input stream, as the remote's and the pad's do.
    glutKeyboardFunc(stream_keyboard_callback);
    glutKeyboardUpFunc(stream_keyboard_up_callback);
    glutSpecialUpFunc(stream_special_up_callback);
    glutSpecialFunc(stream_special_callback);
    glutDisplayFunc(display_callback);
    glutVisibilityFunc(visibility_callback);
    os_hide_cursor();
    watch_quit_requests();  // the close button and the signals end the game as the quit item does

    glutMainLoop();  // returns only once the window was closed
    quit_game();
    return 0;
}
