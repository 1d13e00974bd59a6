#include "standin_desktop.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace {

void end(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

}  // namespace

StandinDesktop::StandinDesktop(const std::string& folder) : log_(folder + "/screensaver_calls.txt") {
    int address[2];
    if (pipe(address) != 0) throw std::runtime_error("pipe");
    bus_pid_ = fork();
    if (bus_pid_ == 0) {
        close(address[0]);
        dup2(address[1], STDOUT_FILENO);
        int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, STDIN_FILENO);
        dup2(devnull, STDERR_FILENO);
        execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(address[1]);
    char c;
    while (read(address[0], &c, 1) == 1 && c != '\n') address_ += c;
    close(address[0]);
    if (address_.empty()) throw std::runtime_error("dbus-daemon did not start");

    service_pid_ = fork();
    if (service_pid_ == 0) {
        setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
        execl(STANDIN_SCREENSAVER, STANDIN_SCREENSAVER, log_.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int waited = 0; waited < 5000; waited += 10) {
        std::ifstream log(log_);
        std::string first;
        if (std::getline(log, first) && first == "ready") return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    end(service_pid_);
    end(bus_pid_);
    throw std::runtime_error("the stand-in screen saver did not take its name on the bus");
}

StandinDesktop::~StandinDesktop() {
    end(service_pid_);
    end(bus_pid_);
}

std::vector<std::string> StandinDesktop::calls() const {
    std::vector<std::string> lines;
    std::ifstream log(log_);
    std::string line;
    std::getline(log, line);  // "ready"
    while (std::getline(log, line)) lines.push_back(line);
    return lines;
}

bool StandinDesktop::wait_for_calls(size_t count, int timeout_ms) const {
    for (int waited = 0; waited <= timeout_ms; waited += 20) {
        if (calls().size() >= count) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}
