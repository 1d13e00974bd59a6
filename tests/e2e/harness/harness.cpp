#include "harness.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<char*> c_argv(const std::vector<std::string>& argv) {
    std::vector<char*> result;
    for (const std::string& arg : argv) result.push_back(const_cast<char*>(arg.c_str()));
    result.push_back(nullptr);
    return result;
}

// Waits up to `timeout_ms` for `pid`; true and its status once it ended.
bool wait_child(pid_t pid, int timeout_ms, int* status) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        pid_t done = waitpid(pid, status, WNOHANG);
        if (done == pid) return true;
        if (done < 0) return false;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void stop_child(pid_t pid) {
    if (pid <= 0) return;
    int status;
    kill(pid, SIGTERM);
    if (!wait_child(pid, 3000, &status)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
}

// Removes a tree, first giving back write permission where a test took it away.
void remove_tree(const std::string& root) {
    std::error_code ignored;
    if (!fs::exists(root, ignored)) return;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(root, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root, ignored);
}

}  // namespace

VirtualDisplay::VirtualDisplay(const std::string& screen) {
    int ready[2];
    if (pipe(ready) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) {
        close(ready[0]);
        int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, STDIN_FILENO);
        dup2(devnull, STDOUT_FILENO);
        dup2(devnull, STDERR_FILENO);
        std::string fd = std::to_string(ready[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-ardelay", "10000",
               "-nolisten", "tcp", "-ac", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    char c;
    while (read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    close(ready[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    name_ = ":" + number;
}

VirtualDisplay::~VirtualDisplay() { stop(); }

void VirtualDisplay::stop() {
    stop_child(pid_);
    pid_ = -1;
}

int run_command(const std::vector<std::string>& argv, const std::string& display, std::string* output) {
    int out[2];
    if (pipe(out) != 0) return -1;
    pid_t pid = fork();
    if (pid == 0) {
        close(out[0]);
        dup2(out[1], STDOUT_FILENO);
        close(out[1]);  // else a program left running in the background holds the pipe open
        int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, STDIN_FILENO);
        dup2(devnull, STDERR_FILENO);
        if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
        std::vector<char*> args = c_argv(argv);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(out[1]);
    char buffer[65536];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0)
        if (output) output->append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

GameRun::GameRun(const std::string& screen) : display_(screen) {
    char templ[] = "/tmp/korvane-e2e-XXXXXX";
    if (!mkdtemp(templ)) throw std::runtime_error("mkdtemp");
    root_ = templ;
    folder_ = root_ + "/game";
    fs::copy(GAME_DIR, folder_, fs::copy_options::recursive);
    fs::remove(folder_ + "/settings.cfg");
}

GameRun::~GameRun() {
    if (pid_ > 0 && status_ == -1) stop_child(pid_);
    remove_tree(root_);
}

void GameRun::start(const std::vector<std::string>& args, bool with_display) {
    std::vector<std::string> argv{"./korvane"};
    argv.insert(argv.end(), args.begin(), args.end());
    launch(argv, folder_, {}, with_display);
}

void GameRun::start_program(const std::vector<std::string>& argv, const std::string& working_dir,
                            const std::vector<std::string>& environment) {
    launch(argv, working_dir, environment, true);
}

void GameRun::launch(const std::vector<std::string>& argv, const std::string& working_dir,
                     const std::vector<std::string>& environment, bool with_display) {
    // One program per run: an earlier one still running would hold the display and the folder.
    if (pid_ > 0 && status_ == -1) stop_child(pid_);
    status_ = -1;
    pid_ = fork();
    if (pid_ == 0) {
        if (chdir(working_dir.c_str()) != 0) _exit(126);
        int devnull = open("/dev/null", O_RDWR);
        int out = open((root_ + "/stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open((root_ + "/stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(devnull, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        if (with_display)
            setenv("DISPLAY", display_.name().c_str(), 1);
        else
            unsetenv("DISPLAY");
        for (const std::string& entry : environment) {
            const size_t equals = entry.find('=');
            if (equals == std::string::npos)
                unsetenv(entry.c_str());
            else
                setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
        }
        std::vector<char*> c = c_argv(argv);
        execv(c[0], c.data());
        _exit(127);
    }
}

bool GameRun::wait_for_output(const std::string& text, int timeout_ms) const {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    do {
        if (out().find(text) != std::string::npos || err().find(text) != std::string::npos) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (Clock::now() < deadline);
    return false;
}

std::string GameRun::wait_for_window(const std::string& pattern, int timeout_ms) const {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    do {
        std::string ids;
        if (run_command({"xdotool", "search", "--name", pattern}, display(), &ids) == 0 && !ids.empty())
            return ids.substr(0, ids.find('\n'));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (Clock::now() < deadline);
    return "";
}

void GameRun::key_down(const std::string& name) const { run_command({"xdotool", "keydown", name}, display()); }

void GameRun::key_up(const std::string& name) const { run_command({"xdotool", "keyup", name}, display()); }

void GameRun::key(const std::string& name, int hold_ms) const {
    key_down(name);
    std::this_thread::sleep_for(std::chrono::milliseconds(hold_ms));
    key_up(name);
}

void GameRun::fly_into_nav1() const {
    for (const char* name : {"Escape", "Return", "Return"}) {
        key(name);
        wait_frames(3);
    }
}

void GameRun::wait_frames(int frames) { std::this_thread::sleep_for(std::chrono::milliseconds(40 * frames)); }

Screenshot GameRun::screenshot() const {
    std::string dump;
    run_command({"xwd", "-root", "-silent"}, display(), &dump);
    return decode_xwd(dump);
}

void GameRun::save_png(const std::string& path) const {
    std::string command = "xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > '" + path + "'";
    run_command({"sh", "-c", command}, display());
}

void GameRun::send_signal(int number) const {
    if (pid_ > 0 && status_ == -1) kill(pid_, number);
}

bool GameRun::close_window(const std::string& window) const { return send_close_request(display(), window); }

bool GameRun::running() {
    if (pid_ <= 0 || status_ != -1) return false;
    int status;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    return true;
}

int GameRun::wait_exit(int timeout_ms) {
    if (status_ != -1) return status_;
    int status;
    if (!wait_child(pid_, timeout_ms, &status)) return -1;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return status_;
}

std::string GameRun::out() const { return read_file(root_ + "/stdout.txt"); }
std::string GameRun::err() const { return read_file(root_ + "/stderr.txt"); }
std::string GameRun::file(const std::string& name) const { return read_file(folder_ + "/" + name); }
