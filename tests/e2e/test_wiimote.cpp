// The real engine with a remote library beside it: none, a broken one, the
// libxwiimote bridge on a machine without a remote, and the scripted stand-in
// playing a remote through a whole game.
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "harness.h"

namespace fs = std::filesystem;

namespace {

const std::string SCRIPTED = SCRIPTED_WIIUSE_DIR "/scripted_wiiuse.so";
const std::string SCRIPTED_NO_ENTRY = SCRIPTED_WIIUSE_DIR "/scripted_wiiuse_no_entry.so";
const std::string SCRIPTED_API_7 = SCRIPTED_WIIUSE_DIR "/scripted_wiiuse_api7.so";

const char* const NO_LIBRARY_LINE = "Failed to load Wiiuse library. Make sure wiiuse.so is in the same directory\n";

void install(const GameRun& game, const std::string& library, const std::string& script = "") {
    fs::copy_file(library, game.folder() + "/wiiuse.so", fs::copy_options::overwrite_existing);
    std::ofstream(game.folder() + "/wiiuse_script.txt") << script;
}

// The engine's process: the one working in the game folder.
pid_t engine_pid(const GameRun& game) {
    std::error_code ignored;
    fs::path folder = fs::canonical(game.folder(), ignored);
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc", ignored)) {
        std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        fs::path cwd = fs::read_symlink(entry.path() / "cwd", ignored);
        if (!ignored && cwd == folder) return static_cast<pid_t>(std::stoi(name));
    }
    return -1;
}

// True while the engine has the game folder's wiiuse.so mapped.
bool library_mapped(const GameRun& game) {
    pid_t pid = engine_pid(game);
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::stringstream text;
    text << maps.rdbuf();
    return text.str().find(game.folder() + "/wiiuse.so") != std::string::npos;
}

// The scripted library's call log, one entry per line.
std::vector<std::string> remote_log(const GameRun& game) {
    std::vector<std::string> lines;
    std::istringstream text(game.file("wiiuse_log.txt"));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

bool wait_for_log(const GameRun& game, const std::string& line, int timeout_ms = 10000) {
    for (int waited = 0; waited < timeout_ms; waited += 20) {
        for (const std::string& logged : remote_log(game))
            if (logged == line) return true;
        usleep(20 * 1000);
    }
    return false;
}

// Leaves the logo intro and quits from the main menu with the keyboard.
void quit_with_keys(GameRun& game) {
    game.key("Escape");
    GameRun::wait_frames(3);
    game.key("Up");  // item 1 wraps to 6, quit
    GameRun::wait_frames(3);
    game.key("Return");
}

bool bluetooth_adapter_present() {
    std::error_code ignored;
    return fs::exists("/sys/class/bluetooth", ignored) && !fs::is_empty("/sys/class/bluetooth", ignored);
}

}  // namespace

TEST(RemoteGame, WithoutALibraryTheGameRunsFromTheKeyboard) {
    GameRun game;
    fs::remove(game.folder() + "/wiiuse.so");
    game.start({"pilot"});
    ASSERT_TRUE(game.wait_for_output("Wiiuse library not loaded"));  // the line after NO_LIBRARY_LINE
    EXPECT_NE(game.out().find("Wiiuse DLL Version = (null)\n"), std::string::npos) << game.out();
    EXPECT_EQ(game.err(), NO_LIBRARY_LINE + std::string("Wiiuse library not loaded: ./wiiuse.so: cannot open shared "
                                                        "object file: No such file or directory\n"));
    ASSERT_NE(game.wait_for_window(), "");

    quit_with_keys(game);
    EXPECT_EQ(game.wait_exit(5000), 0) << "the keys still reach the quit item";
}

TEST(RemoteGame, BrokenLibrariesAreRefusedAndLetGo) {
    for (const std::string& broken : {SCRIPTED_NO_ENTRY, SCRIPTED_API_7}) {
        GameRun game;
        install(game, broken);
        game.start({"pilot"});
        ASSERT_TRUE(game.wait_for_output(NO_LIBRARY_LINE)) << broken;
        EXPECT_NE(game.out().find("Wiiuse DLL Version = (null)\n"), std::string::npos);
        ASSERT_NE(game.wait_for_window(), "");
        EXPECT_FALSE(library_mapped(game)) << broken << " is still loaded";
        EXPECT_EQ(game.file("wiiuse_log.txt"), "unload\n") << "nothing of it was called";
    }
}

TEST(RemoteGame, TheBridgeFindsNoRemoteWithoutWaitingOnAMachineWithoutBluetooth) {
    if (!fs::exists(GAME_DIR "/wiiuse.so")) GTEST_SKIP() << "the bridge is built only where libxwiimote is installed";
    if (bluetooth_adapter_present()) GTEST_SKIP() << "this machine has a Bluetooth adapter: find waits for a remote";
    GameRun game;
    auto started = std::chrono::steady_clock::now();
    game.start({"pilot"});
    ASSERT_TRUE(game.wait_for_output("No Wiimotes could be found!\n"));
    auto took = std::chrono::steady_clock::now() - started;
    EXPECT_LT(took, std::chrono::milliseconds(2500)) << "the 5-second time-out is not waited out";
    EXPECT_NE(game.out().find("wiiuse v1.0 (libxwiimote bridge) loaded\n"
                              "Wiiuse DLL Version = 1.0 (libxwiimote bridge)\n"
                              "No Wiimotes could be found!\n"),
              std::string::npos)
        << game.out();
    EXPECT_EQ(game.err(), "");
    ASSERT_NE(game.wait_for_window(), "");
    EXPECT_TRUE(library_mapped(game)) << "a library that loaded stays loaded without a remote";
}

TEST(RemoteGame, AScriptedRemoteConnectsReportsItsBatteryAndCanGoAway) {
    GameRun game;
    install(game, SCRIPTED, "battery 0.64\nsleep 1500\ndisconnect\n");
    game.start({"pilot"});
    ASSERT_TRUE(game.wait_for_output("Battery status: 64 %\n"));
    EXPECT_NE(game.out().find("wiiuse v1.0 (scripted) loaded\n"
                              "Wiiuse DLL Version = 1.0 (scripted)\n"
                              "Connection to Wiimote estabished!\n"),
              std::string::npos)
        << game.out();
    EXPECT_EQ(remote_log(game), (std::vector<std::string>{"initialise 1 id=1", "find max=1 timeout=5 -> 1",
                                                          "connect -> 1", "leds 144", "rumble 1", "rumble 0",
                                                          "status request", "motion 0"}));

    ASSERT_TRUE(game.wait_for_output("\n\n--- DISCONNECTED [wiimote id 1] ---\n"));
    EXPECT_TRUE(game.running());
    quit_with_keys(game);
    EXPECT_EQ(game.wait_exit(5000), 0) << "the game goes on from the keyboard";
}

TEST(RemoteGame, ARemotePlaysAGameFromTheIntroToQuitting) {
    GameRun game;
    install(game,
            SCRIPTED,
            "wait go\n"
            "buttons A\nbuttons\nsleep 300\n"       // leave the logo intro
            "buttons TWO\nbuttons\nsleep 300\n"     // main menu item 1: ship select
            "buttons TWO\nbuttons\n"                // choose the ship: the game starts
            "wait_motion on\nsleep 600\n"
            "tilt pitch=-10.7 roll=3.2\nsleep 300\n"
            "buttons HOME\nbuttons\nsleep 300\n"    // the quit overlay
            "buttons PLUS\nbuttons\n"               // yes: back to the main menu
            "wait_motion off\nsleep 300\n"
            "buttons RIGHT\nbuttons\nsleep 300\n"   // cursor up from item 1 wraps to quit
            "buttons TWO\nbuttons\n");
    game.start({"pilot"});
    ASSERT_NE(game.wait_for_window(), "");
    std::ofstream(game.folder() + "/go") << "";

    ASSERT_TRUE(wait_for_log(game, "motion 1")) << game.file("wiiuse_log.txt");
    EXPECT_EQ(game.wait_exit(15000), 0) << game.file("wiiuse_log.txt");

    // After the greeting: the game switched motion sensing on at its start and
    // off at its end, and reset_game set the LEDs and stopped the rumble; the
    // quit let the remote go and unloaded the library.
    std::vector<std::string> log = remote_log(game);
    std::vector<std::string> after_greeting(log.begin() + 8, log.end());
    std::string joined;
    for (const std::string& line : after_greeting) joined += line + "\n";
    EXPECT_NE(joined.find("motion 1\n"), std::string::npos) << joined;
    EXPECT_NE(joined.find("leds 144\nrumble 0\n"), std::string::npos) << joined;
    EXPECT_LT(joined.find("motion 1\n"), joined.find("motion 0\n")) << joined;
    EXPECT_GE(after_greeting.size(), 2u);
    EXPECT_EQ(after_greeting.back(), "unload");
    EXPECT_EQ(after_greeting[after_greeting.size() - 2], "disconnect");
}
