// The real engine against what a player's machine may hand it: a game folder
// without its pictures, sounds and music, a damaged or absurd settings.cfg,
// profile names that are too long, hold a line break or look like format
// directives, and full-screen mode on a display that cannot switch modes.
// Each run starts, plays a little, goes back to the menu, quits through the
// menu's quit item, and leaves a settings.cfg that the next start reads
// without a warning and writes back unchanged.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"
#include "support/default_settings_file.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

// The part of a line before its first "=" (the whole line when there is none).
std::string key_of(const std::string& line) { return line.substr(0, line.find('=')); }

// The value of `key` in a settings file ("<none>" when the key is missing).
std::string value_of(const std::string& text, const std::string& key) {
    for (const std::string& line : lines_of(text))
        if (line.find('=') != std::string::npos && key_of(line) == key) return line.substr(key.size() + 1);
    return "<none>";
}

// A file the engine wrote has the default file's lines in the same order:
// the same headings, blanks and keys, only the values may differ.
void expect_well_formed(const std::string& text) {
    const std::vector<std::string> lines = lines_of(text);
    const std::vector<std::string> expected = lines_of(DEFAULT_SETTINGS_FILE);
    ASSERT_EQ(lines.size(), expected.size()) << text;
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(key_of(lines[i]), key_of(expected[i])) << "line " << i + 1;
    EXPECT_EQ(text.back(), '\n');
}

// Pressing a key, then two frames for the game to act on it.
void press(const GameRun& game, const std::string& key) {
    game.key(key);
    GameRun::wait_frames(2);
}

// Waits up to `timeout_ms` for the screen to satisfy `test`.
template <typename Test>
bool wait_for_screen(const GameRun& game, Test test, int timeout_ms = 10000) {
    for (int waited = 0; waited <= timeout_ms; waited += 200) {
        if (test(game.screenshot())) return true;
        GameRun::wait_frames(5);
    }
    return false;
}

// The HUD panel on the right: drawn in every stage frame, textured or not;
// no menu screen fills that strip.
bool stage_shown(const Screenshot& shot) {
    const int lit = shot.lit(0.90, 0.30, 0.99, 0.70);
    return shot.valid() && lit > 0.6 * (0.09 * 800) * (0.40 * 600);
}

// The game-over notice: its bright pink (white tinted 1, 0.7, 0.7) across the
// middle of the playfield; the rocks are darker and the stars dimmer.
bool game_over_shown(const Screenshot& shot) {
    if (!shot.valid()) return false;
    int pink = 0;
    for (int y = 600 - static_cast<int>(0.52 * 600); y < 600 - static_cast<int>(0.47 * 600); ++y)
        for (int x = static_cast<int>(0.26 * 800); x < static_cast<int>(0.58 * 800); ++x) {
            const Pixel p = shot.at_px(x, y);
            pink += p.r >= 235 && std::abs(p.g - 178) <= 15 && std::abs(p.b - 178) <= 15;
        }
    return pink > 150;
}

// Starts the engine as `profile` and waits for its window to take keys.
void start(GameRun& game, const std::string& profile) {
    game.start({profile});
    ASSERT_NE(game.wait_for_window(), "") << game.out() << game.err();
    GameRun::wait_frames(5);
}

// Skips the intro, takes the first fighter into NAV 1, fires and steers a
// little (ending where it started) and, when `until_lost`, waits for the rocks
// to ram it off the bottom of the screen; then Esc, Y back to the main menu
// (a lost game enters the table there).
void play_a_little(GameRun& game, bool until_lost) {
    for (const char* key : {"Escape", "Return", "Return"}) press(game, key);
    ASSERT_TRUE(wait_for_screen(game, stage_shown)) << "no stage after Esc, Enter, Enter\n" << game.out();
    for (const char* key : {"space", "Left", "Right", "space"}) press(game, key);
    if (until_lost) {
        ASSERT_TRUE(wait_for_screen(game, game_over_shown, 30000)) << "the fighter was never lost";
    }
    press(game, "Escape");
    press(game, "y");
    ASSERT_TRUE(wait_for_screen(game, [](const Screenshot& s) { return s.valid() && !stage_shown(s); }))
        << "still in the stage after Esc, Y";
    EXPECT_TRUE(game.running());
}

// From the main menu with the cursor on item 1: up to item 6 and Enter.
void quit_through_menu(GameRun& game) {
    press(game, "Up");
    game.key("Return");
    ASSERT_EQ(game.wait_exit(10000), 0) << game.out() << game.err();
}

// The file the engine left is read at the next start without a warning,
// and written back unchanged when that run quits at once.
void expect_clean_restart(GameRun& game, const std::string& profile) {
    const std::string written = game.file("settings.cfg");
    ASSERT_NO_FATAL_FAILURE(start(game, profile));
    press(game, "Escape");
    ASSERT_NO_FATAL_FAILURE(quit_through_menu(game));
    EXPECT_NE(game.out().find("Configuration file found, file version: 1.1\n"), std::string::npos) << game.out();
    EXPECT_EQ(game.out().find("Warning:"), std::string::npos) << game.out();
    EXPECT_EQ(game.file("settings.cfg"), written);
}

// The whole round: start, play, back to the menu, quit, start again and quit.
// Returns the settings.cfg of the first run; `console` gets its standard output.
std::string play_round(GameRun& game, const std::string& profile, bool until_lost = false,
                       std::string* console = nullptr) {
    start(game, profile);
    if (testing::Test::HasFatalFailure()) return "";
    play_a_little(game, until_lost);
    if (testing::Test::HasFatalFailure()) return "";
    quit_through_menu(game);
    if (console) *console = game.out();
    if (testing::Test::HasFatalFailure()) return "";
    const std::string written = game.file("settings.cfg");
    expect_well_formed(written);
    expect_clean_restart(game, profile);
    return written;
}

// Lit pixels of the main menu's status line, left of the version text.
int status_line_pixels(const Screenshot& shot) {
    int lit = 0;
    for (int y = 600 - static_cast<int>(0.04 * 600); y < 600; ++y)
        for (int x = 0; x < static_cast<int>(0.83 * 800); ++x) {
            const Pixel p = shot.at_px(x, y);
            const bool star = std::abs(p.r - 178) <= 2 && std::abs(p.g - 128) <= 2 && std::abs(p.b - 128) <= 2;
            lit += (p.r || p.g || p.b) && !star;
        }
    return lit;
}

}  // namespace

TEST(BadInput, WithoutPicturesSoundsAndMusicTheGameRunsUntexturedAndSilent) {
    GameRun game;
    for (const char* folder : {"tex", "sfx", "mus"}) fs::remove_all(game.folder() + "/" + folder);

    const std::string written = play_round(game, "pilot");
    EXPECT_EQ(written, DEFAULT_SETTINGS_FILE);
}

TEST(BadInput, SettingsOfRandomBytesGiveWarningsAndAreReplacedByAWellFormedFile) {
    GameRun game;
    std::mt19937 bytes(7);
    std::string junk(8192, '\0');
    for (char& c : junk) c = static_cast<char>(bytes() & 0xff);
    // Now and then a line break and an equals sign, so that some pieces are read as settings.
    for (size_t i = 0; i < junk.size(); i += 37) junk[i] = (i / 37) % 3 ? '=' : '\n';
    std::ofstream(game.folder() + "/settings.cfg", std::ios::binary) << junk;

    std::string console;
    const std::string written = play_round(game, "pilot", false, &console);
    EXPECT_NE(console.find("Warning: invalid property in 'settings.cfg' (line "), std::string::npos) << console;
    EXPECT_EQ(value_of(written, "checksum"), "0") << written;
}

TEST(BadInput, ALineOf100000CharactersIsReadInPiecesAndTheLinesAfterItStillCount) {
    GameRun game;
    std::string line = "musicvol=7";
    while (line.size() < 100000) line += "=abcdefghi";
    ASSERT_EQ(line.size(), 100000u);
    // 100 001 characters with the line feed: 1266 reads of at most 79.
    std::ofstream(game.folder() + "/settings.cfg") << line << "\nsfxvol=3\nbogus=1\n";

    std::string console;
    const std::string written = play_round(game, "pilot", false, &console);
    EXPECT_NE(console.find("Warning: invalid property in 'settings.cfg' (line 1268): bogus\n"), std::string::npos)
        << console.substr(0, 2000);
    EXPECT_EQ(value_of(written, "musicvol"), "7");
    EXPECT_EQ(value_of(written, "sfxvol"), "3");
}

TEST(BadInput, AMillionLinesAreReadToTheEnd) {
    GameRun game;
    {
        std::ofstream file(game.folder() + "/settings.cfg");
        const char* const FILLERS[] = {"# a comment", "", "[section]", "no equals sign here"};
        for (int line = 1; line <= 999998; ++line) file << (line % 100000 == 0 ? "junk=1" : FILLERS[line % 4]) << '\n';
        file << "sfxvol=4\nbogus=1\n";  // lines 999 999 and 1 000 000
    }
    std::string console;
    const std::string written = play_round(game, "pilot", false, &console);
    EXPECT_NE(console.find("Warning: invalid property in 'settings.cfg' (line 1000000): bogus\n"), std::string::npos)
        << console.substr(0, 2000);
    EXPECT_NE(console.find("(line 900000): junk\n"), std::string::npos);
    EXPECT_EQ(value_of(written, "sfxvol"), "4");
}

TEST(BadInput, AProfileNameOf10000CharactersIsCutTo31InTheTable) {
    GameRun game;
    std::string name;
    while (name.size() < 10000) name += "abcdefghij";

    const std::string written = play_round(game, name, true);
    EXPECT_EQ(value_of(written, "1n"), name.substr(0, 31)) << written;
    EXPECT_EQ(value_of(written, "1s"), "0");
}

TEST(BadInput, AProfileNameWithALineBreakStaysOneLineOfTheFile) {
    GameRun game;
    const std::string written = play_round(game, "ace\npilot", true);
    EXPECT_EQ(value_of(written, "1n"), "ace?pilot") << written;
    for (const std::string& line : lines_of(written)) EXPECT_NE(line, "pilot");
}

TEST(BadInput, AProfileNameLikeAFormatIsShownAndStoredAsItIs) {
    // The same four characters in another order draw the same glyphs: the
    // status lines must light the same number of pixels.
    GameRun game, anagram;
    start(game, "%s%n");
    start(anagram, "n%s%");
    ASSERT_FALSE(HasFatalFailure());
    game.key("Escape");
    anagram.key("Escape");
    const auto status_line_shown = [](const Screenshot& s) { return s.valid() && status_line_pixels(s) > 100; };
    ASSERT_TRUE(wait_for_screen(game, status_line_shown));
    ASSERT_TRUE(wait_for_screen(anagram, status_line_shown));
    const int shown = status_line_pixels(game.screenshot());
    const int expected = status_line_pixels(anagram.screenshot());
    EXPECT_NEAR(shown, expected, 4) << "the name is not drawn as the characters it holds";
    quit_through_menu(anagram);
    quit_through_menu(game);

    const std::string written = play_round(game, "%s%n", true);
    EXPECT_EQ(value_of(written, "1n"), "%s%n") << written;
}

TEST(BadInput, FullScreenOnADisplayWithoutModesPlaysInTheWindowAndKeepsTheSetting) {
    GameRun game;
    std::ofstream(game.folder() + "/settings.cfg") << "[ver]\nid=1.1\n\n[video]\nfullscreen=1\n";

    std::string console;
    const std::string written = play_round(game, "pilot", false, &console);
    EXPECT_NE(console.find("Full-screen mode 800x600:16@60 is not available"), std::string::npos) << console;
    EXPECT_EQ(value_of(written, "fullscreen"), "1");
    EXPECT_NE(game.out().find("Full-screen mode 800x600:16@60 is not available"), std::string::npos)
        << "the next start asks for full screen again\n" << game.out();
}
