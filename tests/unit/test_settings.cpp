// settings.cfg: what load_settings makes of a file, what save_settings writes,
// and the checksum that guards the table.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <string>

#include "persist/high_scores.h"
#include "persist/settings.h"
#include "support/scratch_dir.h"
#include "support/default_settings_file.h"

namespace {

struct SettingsTest : testing::Test {
    ScratchDir dir;

    void SetUp() override {
        // Values no default equals, so a test sees what load_settings set.
        fullscreen = 7, sfx = 7, music = 7, sfxvol = 7, musicvol = 7;
        reset_high_scores();
    }

    // Runs load_settings and returns what it printed.
    static std::string load() {
        testing::internal::CaptureStdout();
        load_settings();
        return testing::internal::GetCapturedStdout();
    }

    static void expect_defaults() {
        EXPECT_EQ(fullscreen, 0);
        EXPECT_EQ(sfx, 1);
        EXPECT_EQ(music, 1);
        EXPECT_EQ(sfxvol, 5);
        EXPECT_EQ(musicvol, 5);
    }

    static void expect_empty_table() {
        for (const HighScoreEntry& entry : high_scores) {
            SCOPED_TRACE(testing::Message() << "place " << &entry - high_scores);
            EXPECT_EQ(entry.score, 0);
            EXPECT_STREQ(entry.name, "EMPTY");
            EXPECT_EQ(entry.ship, -1);
        }
    }
};

}  // namespace

TEST_F(SettingsTest, WithoutAFileTheDefaultsStandSilently) {
    high_scores[0].score = 0;
    EXPECT_EQ(load(), "");
    expect_defaults();
    expect_empty_table();
}

TEST_F(SettingsTest, DefaultsRoundTripThroughTheExactTemplates) {
    EXPECT_EQ(load(), "");
    umask(022);
    save_settings();
    EXPECT_EQ(dir.read("settings.cfg"), DEFAULT_SETTINGS_FILE);
    struct stat written;
    ASSERT_EQ(stat("settings.cfg", &written), 0);
    EXPECT_EQ(written.st_mode & 0777, 0600u) << "a fresh file is the player's alone, whatever the umask";
    ASSERT_EQ(chmod("settings.cfg", 0644), 0);  // as earlier versions left it
    save_settings();
    ASSERT_EQ(stat("settings.cfg", &written), 0);
    EXPECT_EQ(written.st_mode & 0777, 0600u) << "an older file readable to all is tightened";

    fullscreen = 9, sfx = 9;
    EXPECT_EQ(load(), "Configuration file found, file version: 1.1\n");
    expect_defaults();
    expect_empty_table();
}

TEST_F(SettingsTest, ChecksumWeighsTopFiveByFourAndTheRestByFiveWrapping) {
    EXPECT_EQ(score_checksum(), 0);
    high_scores[0].score = 100;
    high_scores[1].score = 50;
    EXPECT_EQ(score_checksum(), 600);
    high_scores[5].score = 10;
    EXPECT_EQ(score_checksum(), 650);

    reset_high_scores();
    high_scores[0].score = INT_MAX;  // 4 * (2^31 - 1) wraps to -4
    EXPECT_EQ(score_checksum(), -4);
}

TEST_F(SettingsTest, ASavedTableAndSettingsReadBackUnchanged) {
    fullscreen = 1, sfx = 0, music = 0, sfxvol = 9, musicvol = 2;
    insert_high_score(100, "ace", 2);
    insert_high_score(50, "second pilot", 0);
    save_settings();
    std::string text = dir.read("settings.cfg");
    EXPECT_NE(text.find("1=100\n1n=ace\n1s=2\n2=50\n2n=second pilot\n2s=0\n3=0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nchecksum=600\n"), std::string::npos);

    fullscreen = 0, sfx = 1, music = 1, sfxvol = 5, musicvol = 5;
    reset_high_scores();
    load();
    EXPECT_EQ(fullscreen, 1);
    EXPECT_EQ(sfx, 0);
    EXPECT_EQ(music, 0);
    EXPECT_EQ(sfxvol, 9);
    EXPECT_EQ(musicvol, 2);
    EXPECT_EQ(high_scores[0].score, 100);
    EXPECT_STREQ(high_scores[1].name, "second pilot");
    EXPECT_EQ(high_scores[0].ship, 2);
    EXPECT_STREQ(high_scores[2].name, "EMPTY");
}

TEST_F(SettingsTest, UnknownKeysAreWarnedWithTheirLineNumber) {
    dir.write("settings.cfg",
              "[sound]\n"   // 1
              "sfx = 0\n"   // 2: the key is "sfx " with its blank
              "music= 0\n"  // 3: blanks after "=" do not bother a number
              "=5\n"        // 4: an empty key
              "SFX=0\n"     // 5: keys are case-sensitive
              "01=5\n"      // 6
              "11=5\n"      // 7
              "\n"          // 8: no "=", skipped silently
              "# comment=1\n"
              "[heading=1]\n");
    EXPECT_EQ(load(),
              "Warning: invalid property in 'settings.cfg' (line 2): sfx \n"
              "Warning: invalid property in 'settings.cfg' (line 4): \n"
              "Warning: invalid property in 'settings.cfg' (line 5): SFX\n"
              "Warning: invalid property in 'settings.cfg' (line 6): 01\n"
              "Warning: invalid property in 'settings.cfg' (line 7): 11\n");
    EXPECT_EQ(sfx, 1) << "a warned line leaves the setting alone";
    EXPECT_EQ(music, 0);
}

TEST_F(SettingsTest, KeysCountWhereverTheyStandAndTheLastOneWins) {
    dir.write("settings.cfg",
              "[scores]\nfullscreen=1\nsfxvol=3\nsfxvol=8\n3n=\n3s=2\n3n=x=y\n4n=\n");
    EXPECT_EQ(load(), "");
    EXPECT_EQ(fullscreen, 1);
    EXPECT_EQ(sfxvol, 8);
    EXPECT_STREQ(high_scores[2].name, "x=y") << "only the first = splits the line";
    EXPECT_EQ(high_scores[2].ship, 2);
    EXPECT_STREQ(high_scores[3].name, "") << "an empty value gives an empty name";
}

TEST_F(SettingsTest, NumbersFollowTheStandardConversionAndAreNotRangeChecked) {
    dir.write("settings.cfg",
              "sfx= \t7\nmusic=+3\nsfxvol=-2x\nmusicvol=loud\nfullscreen=99999999999999999999\n"
              "1=-99999999999999999999\nchecksum=-99999999999999999999\n");
    load();
    EXPECT_EQ(sfx, 7);
    EXPECT_EQ(music, 3);
    EXPECT_EQ(sfxvol, -2);
    EXPECT_EQ(musicvol, 0);
    EXPECT_EQ(fullscreen, INT_MAX) << "an overflowing number saturates";
    // INT_MIN * 4 wraps to 0, which is not the stored INT_MIN: the table resets.
    EXPECT_EQ(high_scores[0].score, 0);
}

TEST_F(SettingsTest, AHandEditedScoreResetsTheTableButNotTheSettings) {
    insert_high_score(100, "ace", 2);
    insert_high_score(50, "bee", 1);
    musicvol = 3;
    save_settings();
    std::string text = dir.read("settings.cfg");

    // Names and ships do not enter the checksum.
    std::string renamed = text;
    renamed.replace(renamed.find("1n=ace"), 6, "1n=eve");
    renamed.replace(renamed.find("2s=1"), 4, "2s=0");
    dir.write("settings.cfg", renamed);
    load();
    EXPECT_STREQ(high_scores[0].name, "eve");
    EXPECT_EQ(high_scores[1].ship, 0);

    std::string edited = text;
    edited.replace(edited.find("2=50"), 4, "2=99");
    dir.write("settings.cfg", edited);
    EXPECT_EQ(load(), "Configuration file found, file version: 1.1\n");
    expect_empty_table();
    EXPECT_EQ(musicvol, 3);
}

TEST_F(SettingsTest, LinesLongerThan79CharactersAreReadAndCountedInPieces) {
    std::string comment = "#" + std::string(78, 'x');  // exactly one read
    dir.write("settings.cfg", comment + "bogus=1\n" + "sfx=0\n" + "other=2\n");
    EXPECT_EQ(load(),
              "Warning: invalid property in 'settings.cfg' (line 2): bogus\n"
              "Warning: invalid property in 'settings.cfg' (line 4): other\n");
    EXPECT_EQ(sfx, 0);

}

TEST_F(SettingsTest, NamesReadBackAreCutAndCleanedSoTheyWriteBackAsTheyRead) {
    std::string long_name(100, 'n');
    dir.write("settings.cfg", "1n=" + long_name + "\n2n=tab\there\r\r\n3n=" + std::string(30, 'c') + "\rtail\n");
    EXPECT_EQ(load(), "");
    EXPECT_EQ(std::string(high_scores[0].name), std::string(31, 'n'));
    EXPECT_STREQ(high_scores[1].name, "tab?here?") << "only the one line-ending CR is dropped";
    EXPECT_EQ(std::string(high_scores[2].name), std::string(30, 'c') + "?");

    save_settings();
    const std::string saved = dir.read("settings.cfg");
    reset_high_scores();
    load();
    save_settings();
    EXPECT_EQ(dir.read("settings.cfg"), saved);
    EXPECT_STREQ(high_scores[1].name, "tab?here?");
}

TEST_F(SettingsTest, TheVersionIsPrintedWhateverItHolds) {
    dir.write("settings.cfg", "id=\nid=2.0 beta %s\n");
    EXPECT_EQ(load(),
              "Configuration file found, file version: \n"
              "Configuration file found, file version: 2.0 beta %s\n");
}

TEST_F(SettingsTest, WithoutAChecksumLineTheTableIsCheckedAgainstZero) {
    dir.write("settings.cfg", "sfxvol=2\n1n=kept\n1s=1\n");
    load();
    EXPECT_STREQ(high_scores[0].name, "kept") << "an all-zero table passes";
    EXPECT_EQ(sfxvol, 2);

    dir.write("settings.cfg", "1=10\n1n=lost\n");
    load();
    expect_empty_table();
}

TEST_F(SettingsTest, CarriageReturnLineEndsLeaveNoTraceInValues) {
    dir.write("settings.cfg",
              "[ver]\r\nid=1.1\r\n\r\n[sound]\r\nsfx=0\r\n[scores]\r\n1=100\r\n1n=ace\r\n1s=2\r\nchecksum=400\r\n");
    EXPECT_EQ(load(), "Configuration file found, file version: 1.1\n");
    EXPECT_EQ(sfx, 0);
    EXPECT_EQ(high_scores[0].score, 100);
    EXPECT_STREQ(high_scores[0].name, "ace");
    EXPECT_EQ(high_scores[0].ship, 2);
}
