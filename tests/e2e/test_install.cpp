// The installed game, both ways it is installed: `cmake --install` into a
// scratch prefix, and the Debian package built by cpack from this build tree
// and unpacked with dpkg-deb (never installed on the machine). Either way the
// launcher is started for a user whose home is a scratch folder: the game
// finds its pictures through the user's folder, and settings.cfg lands there
// while the shared, read-only installed files stay as they were.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
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

std::string read_text(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
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

// Starts `launcher` as player "pilot" with `environment`, goes past the intro
// to the main menu, checks that its pictures show and quits from the menu.
void play_to_the_menu_and_quit(GameRun& game, const std::string& launcher, const std::vector<std::string>& environment,
                               const std::string& working_dir) {
    game.start_program({launcher, "pilot"}, working_dir, environment);
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
}

// The width and height a PNG's header gives, or {0, 0}.
std::pair<int, int> png_size(const std::string& path) {
    const std::string bytes = read_text(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0) return {0, 0};
    auto be32 = [&](size_t at) {
        int v = 0;
        for (size_t i = at; i < at + 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[i]);
        return v;
    };
    return {be32(16), be32(20)};
}

// The largest icon read through pngtopam: a rounded tile (clear corners)
// with the green fighter low in the middle and the pink rock at the upper
// right, the way round the game shows them.
void check_icon_picture(const std::string& path) {
    std::string pam;
    ASSERT_EQ(run_command({"pngtopam", "-alphapam", path}, "", &pam), 0);
    const size_t header_end = pam.find("ENDHDR\n");
    ASSERT_NE(header_end, std::string::npos);
    const int side = 256;
    const std::string pixels = pam.substr(header_end + 7);
    ASSERT_EQ(pixels.size(), size_t{side} * side * 4);
    auto at = [&](int x, int y, int channel) { return static_cast<unsigned char>(pixels[(y * side + x) * 4 + channel]); };
    for (int corner : {0, side - 1}) {
        EXPECT_EQ(at(corner, 0, 3), 0) << "a corner of the tile is filled";
        EXPECT_EQ(at(corner, side - 1, 3), 0) << "a corner of the tile is filled";
    }
    EXPECT_EQ(at(side / 2, side / 2, 3), 255);
    long green = 0, green_rows = 0, pink = 0, pink_columns = 0, pink_rows = 0;  // rows count from the top
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int r = at(x, y, 0), g = at(x, y, 1), b = at(x, y, 2);
            if (at(x, y, 3) < 200) continue;
            if (g > r + 20 && g > b + 20) {
                ++green;
                green_rows += y;
            }
            if (r > g + 30 && r > b + 20) {
                ++pink;
                pink_columns += x;
                pink_rows += y;
            }
        }
    ASSERT_GT(green, side * side / 20) << "no fighter";
    ASSERT_GT(pink, side * side / 100) << "no rock";
    EXPECT_GT(green_rows / green, side / 2) << "the fighter is not low on the tile";
    EXPECT_GT(pink_columns / pink, side / 2) << "the rock is not on the right";
    EXPECT_LT(pink_rows / pink, side / 2) << "the rock is not high on the tile";
}

// The Debian package of this build tree, unpacked: cpack (which does not
// build) into `folder`, then dpkg-deb -x into `folder`/root.
struct UnpackedPackage {
    std::string deb, root, log;
    bool ok = false;

    explicit UnpackedPackage(const std::string& folder) : root(folder + "/root") {
        if (run_command({"cpack", "--config", std::string(BUILD_DIR) + "/CPackConfig.cmake", "-B", folder}, "", &log) != 0)
            return;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".deb") deb = entry.path().string();
        ok = !deb.empty() && run_command({"dpkg-deb", "-x", deb, root}, "", &log) == 0;
    }
    std::string field(const std::string& name) const {
        std::string value;
        run_command({"dpkg-deb", "-f", deb, name}, "", &value);
        return value;
    }
};

// The files a player needs, where Debian keeps them, with Debian's modes; no
// file anyone but root may change, none of a player's own.
void check_files(const std::string& root) {
    const struct {
        std::string path;
        fs::perms mode;
    } files[] = {
        {"/usr/games/korvane-arcade", fs::perms(0755)},
        {"/usr/games/korvane-verify", fs::perms(0755)},
        {"/usr/share/man/man6/korvane-verify.6.gz", fs::perms(0644)},
        {"/usr/lib/games/korvane-arcade/korvane", fs::perms(0755)},
        {"/usr/share/games/korvane-arcade/tex/tex_logo_kro.tga", fs::perms(0644)},
        {"/usr/share/games/korvane-arcade/sfx/sfx_explosion.mp3", fs::perms(0644)},
        {"/usr/share/games/korvane-arcade/mus/mus_menu.mid", fs::perms(0644)},
        {"/usr/share/applications/korvane-arcade.desktop", fs::perms(0644)},
        {"/usr/share/metainfo/example.korvane.arcade.metainfo.xml", fs::perms(0644)},
        {"/usr/share/man/man6/korvane-arcade.6.gz", fs::perms(0644)},
        {"/usr/share/doc/korvane-arcade/copyright", fs::perms(0644)},
        {"/usr/share/doc/korvane-arcade/changelog.gz", fs::perms(0644)},
    };
    for (const auto& f : files) {
        ASSERT_TRUE(fs::is_regular_file(root + f.path)) << f.path;
        EXPECT_EQ(fs::status(root + f.path).permissions(), f.mode) << f.path;
    }
    EXPECT_EQ(fs::exists(root + "/usr/lib/games/korvane-arcade/wiiuse.so"), fs::exists(GAME_DIR "/wiiuse.so"));
    EXPECT_FALSE(fs::exists(root + "/usr/bin")) << "the launcher belongs in /usr/games";
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const fs::perms mode = entry.symlink_status().permissions();
        EXPECT_EQ(mode & (fs::perms::group_write | fs::perms::others_write), fs::perms::none) << entry.path();
        if (entry.is_directory()) {
            EXPECT_EQ(mode, fs::perms(0755)) << entry.path();
        }
        EXPECT_NE(entry.path().filename(), "settings.cfg") << "a player's file in the package";
    }

    // Shipped without symbols: the build tree keeps them.
    std::string sections;
    run_command({"readelf", "-S", root + "/usr/lib/games/korvane-arcade/korvane"}, "", &sections);
    EXPECT_NE(sections.find(".text"), std::string::npos) << sections;
    EXPECT_EQ(sections.find(".symtab"), std::string::npos) << "the engine is not stripped";

    for (const char* size : {"16", "22", "24", "32", "48", "64", "128", "256"}) {
        const std::string icon = root + "/usr/share/icons/hicolor/" + size + "x" + size + "/apps/korvane-arcade.png";
        EXPECT_EQ(png_size(icon), std::make_pair(std::stoi(size), std::stoi(size))) << icon;
    }
    check_icon_picture(root + "/usr/share/icons/hicolor/256x256/apps/korvane-arcade.png");
}

// The control data: root owns every file, and the libraries come from
// dpkg-shlibdeps, which gives each its least version; the remote's library is
// only recommended, since the game plays without the remote.
void check_control(const UnpackedPackage& package) {
    std::string listing;
    run_command({"dpkg-deb", "-c", package.deb}, "", &listing);
    std::istringstream lines(listing);
    std::string line;
    for (int n = 0; n < 10000 && std::getline(lines, line); ++n) {
        std::string mode, owner;
        std::istringstream(line) >> mode >> owner;
        EXPECT_EQ(owner, "root/root") << line;
    }

    const std::string depends = package.field("Depends");
    for (const char* library :
         {"libc6 (>=", "libglut3.12 (>=", "libsdl2-mixer-2.0-0 (>=", "libstdc++6 (>=", "libxss1", "libdbus-1-3 (>="})
        EXPECT_NE(depends.find(library), std::string::npos) << library << " not in: " << depends;
    EXPECT_EQ(depends.find("libxwiimote"), std::string::npos) << depends;
    if (fs::exists(GAME_DIR "/wiiuse.so")) {
        const std::string recommends = package.field("Recommends");
        EXPECT_NE(recommends.find("libxwiimote2 (>="), std::string::npos) << recommends;
    }
    EXPECT_NE(depends.find("timgm6mb-soundfont"), std::string::npos) << depends;
    EXPECT_EQ(package.field("Package"), "korvane-arcade\n");
    EXPECT_EQ(package.field("Section"), "games\n");
}

// The desktop entry starts the launcher by name and shows the icon, the
// desktop's validators accept it and the metainfo, and the metainfo shows the
// game's own screenshots and the package's version.
void check_desktop_files(const UnpackedPackage& package) {
    const std::string entry_path = package.root + "/usr/share/applications/korvane-arcade.desktop";
    const std::string entry = read_text(entry_path);
    EXPECT_NE(entry.find("\nExec=korvane-arcade\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=korvane-arcade\n"), std::string::npos) << entry;
    std::string verdict;
    EXPECT_EQ(run_command({"desktop-file-validate", entry_path}, "", &verdict), 0) << verdict;
    const std::string metainfo_path = package.root + "/usr/share/metainfo/example.korvane.arcade.metainfo.xml";
    EXPECT_EQ(run_command({"appstreamcli", "validate", "--no-net", metainfo_path}, "", &verdict), 0) << verdict;

    const std::string metainfo = read_text(metainfo_path);
    const std::regex image("/screenshots/([a-z0-9_]+\\.png)</image>");
    int shown = 0;
    for (auto it = std::sregex_iterator(metainfo.begin(), metainfo.end(), image); it != std::sregex_iterator(); ++it) {
        ++shown;
        EXPECT_TRUE(fs::exists(std::string(SOURCE_DIR "/docs/screenshots/") + (*it)[1].str())) << (*it)[1];
    }
    EXPECT_GE(shown, 3);
    const std::string version = package.field("Version");
    EXPECT_NE(metainfo.find("<release version=\"" + version.substr(0, version.find('\n')) + "\""), std::string::npos)
        << "the metainfo's release is not the package's version " << version;
}

}  // namespace

TEST(Install, TheLauncherPlaysFromTheUsersFolderAndLeavesTheSharedFolderAlone) {
    GameRun game;  // for its display and scratch folder; its own game copy is not used
    const std::string prefix = game.scratch() + "/prefix";
    const std::string home = game.scratch() + "/home";
    fs::create_directories(home);

    std::string log;
    ASSERT_EQ(run_command({"cmake", "--install", BUILD_DIR, "--prefix", prefix}, "", &log), 0) << log;
    const std::string engine_dir = prefix + "/lib/games/korvane-arcade";
    const std::string data_dir = prefix + "/share/games/korvane-arcade";
    ASSERT_TRUE(fs::exists(prefix + "/bin/korvane-arcade")) << log;
    ASSERT_TRUE(fs::exists(engine_dir + "/korvane")) << log;
    ASSERT_TRUE(fs::exists(data_dir + "/tex/tex_logo_kro.tga")) << log;
    make_read_only(prefix);
    const auto installed = snapshot(prefix);

    // A user with nothing but a home: no data folder of their own chosen.
    play_to_the_menu_and_quit(game, prefix + "/bin/korvane-arcade", {"HOME=" + home, "XDG_DATA_HOME"}, home);

    const std::string user_folder = home + "/.local/share/korvane-arcade";
    EXPECT_EQ(read_text(user_folder + "/settings.cfg"), DEFAULT_SETTINGS_FILE);
    EXPECT_TRUE(fs::is_symlink(user_folder + "/tex"));
    // The player's folder and file are theirs alone.
    EXPECT_EQ(fs::status(user_folder).permissions(), fs::perms(0700));
    EXPECT_EQ(fs::status(user_folder + "/settings.cfg").permissions(), fs::perms(0600));
    EXPECT_EQ(snapshot(prefix), installed) << "the installed files changed";

    // Nowhere to make the player's folder: one line on what is missing and what to set, and no game.
    const std::pair<std::vector<std::string>, std::string> nowhere[] = {
        {{"HOME", "XDG_DATA_HOME"}, "HOME is not set; set XDG_DATA_HOME (or HOME) to a folder you can write"},
        {{"XDG_DATA_HOME=/dev/null"},
         "cannot make /dev/null/korvane-arcade (Not a directory); set XDG_DATA_HOME to a folder you can write"},
    };
    for (const auto& [environment, says] : nowhere) {
        game.start_program({prefix + "/bin/korvane-arcade", "pilot"}, home, environment);
        EXPECT_EQ(game.wait_exit(5000), 1) << says;
        EXPECT_EQ(game.err(), "korvane-arcade: no folder for your settings and scores: " + says + "\n");
    }
}

// One package for all the checks: packing it is the slow part.
TEST(Package, UnpackedItHoldsTheGameAndItsDesktopFilesAndItsLauncherPlays) {
    GameRun game;  // for its display and scratch folder; its own game copy is not used
    const UnpackedPackage package(game.scratch() + "/package");
    ASSERT_TRUE(package.ok) << package.log;
    check_files(package.root);
    check_control(package);
    check_desktop_files(package);

    // The launcher where dpkg-deb left it, for a player with a data folder of
    // their own choice.
    const std::string data_home = game.scratch() + "/data";
    // ... holding a real copy of the pictures from an earlier install.
    const std::string user_folder = data_home + "/korvane-arcade";
    fs::create_directories(user_folder + "/tex");
    std::ofstream(user_folder + "/tex/old.txt") << "mine";
    make_read_only(package.root);
    const auto unpacked = snapshot(package.root);
    play_to_the_menu_and_quit(game, package.root + "/usr/games/korvane-arcade",
                              {"HOME=" + game.scratch(), "XDG_DATA_HOME=" + data_home}, game.scratch());

    EXPECT_EQ(read_text(user_folder + "/settings.cfg"), DEFAULT_SETTINGS_FILE);
    for (const char* item : {"tex", "sfx", "mus"})
        EXPECT_EQ(fs::read_symlink(user_folder + "/" + item),
                  fs::canonical(package.root + "/usr/share/games/korvane-arcade/" + item))
            << item;
    // The old copy kept aside whole, where the player was told.
    const std::string said = game.err();
    std::smatch aside;
    const std::regex told("moved it aside to (" + user_folder + "/tex\\.old-[0-9-]+)\n");
    ASSERT_TRUE(std::regex_search(said, aside, told)) << said;
    EXPECT_EQ(read_text(aside[1].str() + "/old.txt"), "mine");
    EXPECT_EQ(snapshot(package.root), unpacked) << "the unpacked package changed";
}
