// The installed game: `cmake --install` into a scratch prefix, then the
// launcher in its bin/ started for a user whose home is a scratch folder. The
// game finds its pictures through the user's folder, and settings.cfg lands
// there while the shared game folder, made read-only, stays as installed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "harness.h"
#include "support/default_settings_file.h"

namespace {

namespace fs = std::filesystem;

// Every entry under `root` with its size and modification time.
std::map<std::string, std::string> snapshot(const std::string& root) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        struct stat info {};
        lstat(entry.path().c_str(), &info);
        entries[entry.path().string()] = std::to_string(info.st_size) + " " + std::to_string(info.st_mtim.tv_sec) +
                                         "." + std::to_string(info.st_mtim.tv_nsec);
    }
    return entries;
}

// Takes write permission from everyone on the whole tree.
void make_read_only(const std::string& root) {
    const auto no_write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (!entry.is_symlink()) fs::permissions(entry.path(), no_write, fs::perm_options::remove);
    fs::permissions(root, no_write, fs::perm_options::remove);
}

// The main menu's banner across the top: a picture lights part of it in many
// shades, where a missing one would leave it black or one flat grey.
bool banner_pictured(const Screenshot& shot) {
    if (!shot.valid()) return false;
    std::set<int> shades;
    int lit = 0, total = 0;
    for (int y = 600 - static_cast<int>(0.85 * 600); y < 600 - static_cast<int>(0.75 * 600); ++y)
        for (int x = static_cast<int>(0.18 * 800); x < static_cast<int>(0.82 * 800); ++x) {
            const Pixel p = shot.at_px(x, y);
            ++total;
            if (p.r || p.g || p.b) ++lit;
            shades.insert(p.r << 16 | p.g << 8 | p.b);
        }
    return lit > total / 5 && lit < total * 9 / 10 && shades.size() > 50;
}

}  // namespace

TEST(Install, TheLauncherPlaysFromTheUsersFolderAndLeavesTheSharedFolderAlone) {
    GameRun game;  // for its display and scratch folder; its own game copy is not used
    const std::string prefix = game.scratch() + "/prefix";
    const std::string home = game.scratch() + "/home";
    fs::create_directories(home);

    std::string log;
    ASSERT_EQ(run_command({"cmake", "--install", BUILD_DIR, "--prefix", prefix}, "", &log), 0) << log;
    const std::string shared = prefix + "/share/korvane-arcade";
    ASSERT_TRUE(fs::exists(prefix + "/bin/korvane-arcade")) << log;
    ASSERT_TRUE(fs::exists(shared + "/korvane")) << log;
    ASSERT_TRUE(fs::exists(shared + "/tex/tex_logo_kro.tga")) << log;
    EXPECT_FALSE(fs::exists(shared + "/settings.cfg"));
    make_read_only(shared);
    const auto installed = snapshot(shared);

    // A user with nothing but a home: no data folder of their own chosen.
    game.start_program({prefix + "/bin/korvane-arcade", "pilot"}, home, {"HOME=" + home, "XDG_DATA_HOME"});
    ASSERT_NE(game.wait_for_window(), "") << game.out() << game.err();
    EXPECT_TRUE(game.wait_for_output("Loading: Korvane Arcade")) << game.out();
    GameRun::wait_frames(5);
    game.key("Escape");  // past the intro to the main menu

    bool pictured = banner_pictured(game.screenshot());
    for (int waited = 0; !pictured && waited < 100; waited += 5) {
        GameRun::wait_frames(5);
        pictured = banner_pictured(game.screenshot());
    }
    EXPECT_TRUE(pictured) << "the main menu's pictures were not found";

    game.key("Up");  // item 6: quit
    GameRun::wait_frames(2);
    game.key("Return");
    ASSERT_EQ(game.wait_exit(10000), 0) << game.out() << game.err();

    const std::string user_folder = home + "/.local/share/korvane-arcade";
    std::ifstream saved(user_folder + "/settings.cfg");
    std::ostringstream text;
    text << saved.rdbuf();
    EXPECT_EQ(text.str(), DEFAULT_SETTINGS_FILE);
    EXPECT_TRUE(fs::is_symlink(user_folder + "/tex"));
    EXPECT_EQ(snapshot(shared), installed) << "the shared game folder changed";
    EXPECT_FALSE(fs::exists(shared + "/settings.cfg"));
}
