// End-to-end harness: the real engine in a scratch copy of the game folder,
// under a private Xvfb, driven with xdotool and watched through its console
// output, its files and xwd screenshots.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "xwd.h"

// The size of the test displays unless a test asks for another.
constexpr const char* DEFAULT_SCREEN = "800x600x24";

// A private X server (`screen` as Xvfb takes it, key auto-repeat after 10 s) for one test.
class VirtualDisplay {
  public:
    explicit VirtualDisplay(const std::string& screen = DEFAULT_SCREEN);
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;
    const std::string& name() const { return name_; }  // ":N"
    // Ends the server as a logout does: every client's connection breaks.
    void stop();

  private:
    pid_t pid_ = -1;
    std::string name_;
};

// Sends `window` on `display` the window manager's close request
// (WM_DELETE_WINDOW); false when the display or the window cannot be reached.
// Xvfb has no window manager, so the test plays its part. (x11_close.cpp)
bool send_close_request(const std::string& display, const std::string& window);

// 1 while the screen saver of `display` is on, 0 while off, -1 when it cannot
// be asked; a `timeout_seconds` above 0 first sets it to come on after that
// long without input. (x11_screen_saver.cpp)
int screen_saver_on(const std::string& display, int timeout_seconds = 0);

// Runs `argv` to completion with DISPLAY set to `display` (when not empty);
// returns its exit status (-1 when it did not exit normally). Its output is
// appended to `output` when given.
int run_command(const std::vector<std::string>& argv, const std::string& display,
                std::string* output = nullptr);

class GameRun {
  public:
    // A scratch copy of the game folder and a private display of the size
    // `screen` ("WIDTHxHEIGHTxDEPTH"); the game is not started.
    explicit GameRun(const std::string& screen = DEFAULT_SCREEN);
    ~GameRun();
    GameRun(const GameRun&) = delete;
    GameRun& operator=(const GameRun&) = delete;

    // The scratch game folder (the engine's working directory).
    const std::string& folder() const { return folder_; }
    const std::string& display() const { return display_.name(); }
    // A scratch folder beside the game folder for the test's own files; it is
    // removed with the run (read-only parts included).
    const std::string& scratch() const { return root_; }

    // Starts the engine with `args` after the program name. Without a display
    // the engine gets no DISPLAY at all. An engine this run started before and
    // that still runs is stopped first; the console logs start afresh.
    void start(const std::vector<std::string>& args, bool with_display = true);
    // Starts any program (`argv[0]` a path) in `working_dir` under the private
    // display, in place of the engine: the keys, screenshots, console and exit
    // status below then belong to it. Each `environment` entry "NAME=value"
    // sets a variable, a bare "NAME" removes one.
    void start_program(const std::vector<std::string>& argv, const std::string& working_dir,
                       const std::vector<std::string>& environment = {});

    // Waits until the console output (stdout or stderr) contains `text`.
    bool wait_for_output(const std::string& text, int timeout_ms = 10000) const;
    // Waits until a window whose name matches `pattern` exists; its X id or "".
    std::string wait_for_window(const std::string& pattern = "Korvane Arcade", int timeout_ms = 10000) const;
    // Presses and releases an X key (an xdotool key name such as Return, Escape,
    // Up, space, F5), holding it `hold_ms` so the game sees it in a frame.
    void key(const std::string& name, int hold_ms = 120) const;
    void key_down(const std::string& name) const;
    void key_up(const std::string& name) const;
    // From the intro, past the menus with the first fighter into NAV 1.
    void fly_into_nav1() const;
    // Lets about `frames` frames (40 ms each) pass.
    static void wait_frames(int frames);

    Screenshot screenshot() const;
    // Saves the screen as PNG (for the docs).
    void save_png(const std::string& path) const;

    // Ends the private display under the running engine.
    void end_display() { display_.stop(); }
    // Sends the engine the signal `number` (SIGTERM, say).
    void send_signal(int number) const;
    // Asks the window `window` (an X id) to close as a window manager's close
    // button does: the WM_DELETE_WINDOW message. False when it could not be sent.
    bool close_window(const std::string& window) const;

    bool running();
    // Waits for the engine to end; its exit status, or -1 on time-out.
    int wait_exit(int timeout_ms = 10000);

    std::string out() const;  // standard output so far
    std::string err() const;  // standard error so far
    std::string file(const std::string& name) const;  // a file of the game folder ("" if none)

  private:
    void launch(const std::vector<std::string>& argv, const std::string& working_dir,
                const std::vector<std::string>& environment, bool with_display);

    VirtualDisplay display_;
    std::string root_;    // scratch root: holds the game folder and the console logs
    std::string folder_;  // root_/game
    pid_t pid_ = -1;
    int status_ = -1;
};
