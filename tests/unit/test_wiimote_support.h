// Shared by the remote tests: a scratch game folder holding one of the scripted
// stand-in libraries as ./wiiuse.so, its script and its call log.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/screen_state.h"
#include "input/wiimote.h"
#include "input/wiimote_events.h"
#include "support/scratch_dir.h"
#include "stage/world.h"

namespace remote_test {

inline const std::string SCRIPTED = SCRIPTED_WIIUSE_DIR "/scripted_wiiuse.so";
inline const std::string SCRIPTED_NO_ENTRY = SCRIPTED_WIIUSE_DIR "/scripted_wiiuse_no_entry.so";
inline const std::string SCRIPTED_API_7 = SCRIPTED_WIIUSE_DIR "/scripted_wiiuse_api7.so";
// Present, but needing a libxwiimote the machine lacks.
inline const std::string SCRIPTED_NEEDS_ABSENT = SCRIPTED_WIIUSE_DIR "/scripted_wiiuse_needs_absent.so";

// Copies `library` into the working directory as the engine's ./wiiuse.so.
inline void install_library(const std::string& library) {
    std::filesystem::copy_file(library, "wiiuse.so", std::filesystem::copy_options::overwrite_existing);
}

// True while the library file at `path` is mapped into this process.
inline bool library_mapped(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (!handle) return false;
    dlclose(handle);
    return true;
}

// The lines of the scripted library's call log.
inline std::vector<std::string> log_lines(const ScratchDir& dir) {
    std::vector<std::string> lines;
    std::string text = dir.read("wiiuse_log.txt"), line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

inline bool log_has(const ScratchDir& dir, const std::string& line) {
    for (const std::string& logged : log_lines(dir))
        if (logged == line) return true;
    return false;
}

// Engine state the remote tests touch, back to a fresh run's values.
inline void reset_remote_globals() {
    tilt_active = 0;
    tilt_pitch = 0;
    tilt_roll = 0;
    steer_x = HELD_NONE;
    steer_y = HELD_NONE;
    discard_remote_notices();
}

// A scratch folder with the scripted library connected through the real
// connection sequence; the test polls it by hand (wiimote_poll_once).
struct ConnectedRemote : testing::Test {
    ScratchDir dir;
    std::string connect_output;

    // Writes `script`, connects and clears the connection's own status answer
    // from the queue unless `keep_status`.
    void connect(const std::string& script, bool keep_status = false) {
        reset_remote_globals();
        install_library(SCRIPTED);
        dir.write("wiiuse_script.txt", script);
        testing::internal::CaptureStdout();
        int result = connect_wiimote();
        connect_output = testing::internal::GetCapturedStdout();
        ASSERT_EQ(result, 0) << connect_output;
        if (!keep_status) {
            wiimote_poll_once();  // the battery answer to the connection's status request
            ASSERT_EQ(queued_remote_notices(), 1);
            discard_remote_notices();
        }
    }

    // Polls once and applies what came; returns the console output.
    std::string poll_and_apply(int polls = 1) {
        testing::internal::CaptureStdout();
        for (int i = 0; i < polls; ++i) wiimote_poll_once();
        apply_remote_events();
        return testing::internal::GetCapturedStdout();
    }

    void TearDown() override { wiimote_disconnect_and_unload(); }
};

}  // namespace remote_test
