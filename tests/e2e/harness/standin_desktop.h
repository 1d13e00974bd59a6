// What a desktop has around the game, for one test: a session bus with the
// stand-in screen saver service on it (tests/support/standin_screensaver),
// another program's window, and the display's screen saver.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class StandinDesktop {
  public:
    // Starts the bus and the service, which logs into `folder`; throws when
    // either does not come up.
    explicit StandinDesktop(const std::string& folder);
    ~StandinDesktop();
    StandinDesktop(const StandinDesktop&) = delete;
    StandinDesktop& operator=(const StandinDesktop&) = delete;

    // "DBUS_SESSION_BUS_ADDRESS=...", for a program's environment.
    std::string bus_variable() const { return "DBUS_SESSION_BUS_ADDRESS=" + address_; }
    // The calls the service received, one line each ("Inhibit APP: REASON -> N", "UnInhibit N").
    std::vector<std::string> calls() const;
    // Waits until the service has received `count` calls; false on time-out.
    bool wait_for_calls(size_t count, int timeout_ms = 5000) const;

  private:
    pid_t bus_pid_ = -1, service_pid_ = -1;
    std::string address_, log_;
};

// The private display's screen saver (x11_desktop.cpp): set to come on
// after `seconds` without input (false when the display cannot be reached);
// 1 while it is on, 0 while off, -1 when it cannot be asked.
bool set_screen_saver_timeout(const std::string& display, int seconds);
int screen_saver_on(const std::string& display);

// A window of another program on `display`, mapped at (x, y) and ready to take
// the keyboard (the window Alt+Tab goes to). x11_desktop.cpp.
class OtherWindow {
  public:
    OtherWindow(const std::string& display, int x, int y);
    ~OtherWindow();
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    const std::string& id() const { return id_; }  // its X id, for xdotool; "" when it could not be made

  private:
    void* connection_ = nullptr;
    std::string id_;
};
