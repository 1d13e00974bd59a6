// Saving never loses the old settings.cfg: not to an unwritable folder, not to
// a full disk, not to a process killed in the middle of a save; nor what
// another copy of the game saved meanwhile; nor the link a player keeps it as.
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <utility>

#include "persist/high_scores.h"
#include "persist/replay_store.h"
#include "persist/save_lock.h"
#include "persist/settings.h"
#include "stage/rules_fingerprint.h"
#include "support/scratch_dir.h"

namespace {

constexpr uid_t NOBODY = 65534;

// Runs `body` in a child process and returns its exit status.
int in_child(const std::function<void()>& body) {
    fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        body();
        fflush(nullptr);
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every file of the folder but settings.cfg: leftovers of a failed save.
std::vector<std::string> stray_files(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename() != "settings.cfg") names.push_back(entry.path().filename());
    return names;
}

// A copy of the game on this profile: it reads settings.cfg, ends a game as
// end_game does (its score enters the table, its replay is kept) and saves;
// `stopped`, it first waits for SIGCONT. Unless stopped it has saved on return.
pid_t copy_ending_a_game(int score, uint32_t seed, bool stopped = false) {
    fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        load_settings();
        Replay game;
        game.game_version = this_game_version();
        game.rules_fingerprint = rules_fingerprint();
        game.final_score = score;
        game.seed = seed;
        insert_high_score(score, "pilot", 0);
        save_entry_replay(game, high_score_entry_of(score, 0));
        if (stopped) raise(SIGSTOP);
        save_settings();
        _exit(0);
    }
    waitpid(pid, nullptr, WUNTRACED);
    return pid;
}

struct SettingsSaveTest : testing::Test {
    ScratchDir dir;
    const std::string old_file = "[sound]\nsfx=0\n";

    void SetUp() override {
        fullscreen = 1, sfx = 1, music = 1, sfxvol = 5, musicvol = 5;
        reset_high_scores();
        insert_high_score(1234, "pilot", 0);
        dir.write("settings.cfg", old_file);
    }
};

}  // namespace

TEST_F(SettingsSaveTest, AnUnwritableFolderKeepsTheOldFileAndGainsNothing) {
    chmod(dir.path().c_str(), 0555);
    testing::internal::CaptureStdout();
    int status = in_child([] {
        // Root writes anywhere: become nobody, for whom the folder is read-only.
        if (geteuid() == 0 && (setgid(NOBODY) != 0 || setuid(NOBODY) != 0)) _exit(2);
        if (access(".", W_OK) == 0) _exit(3);
        save_settings();
    });
    chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Could not save 'settings.cfg': Permission denied\n");
    ASSERT_EQ(status, 0);
    EXPECT_EQ(dir.read("settings.cfg"), old_file);
    EXPECT_TRUE(stray_files(dir.path()).empty());
}

TEST_F(SettingsSaveTest, AFullDiskKeepsTheOldFileAndLeavesNoTemporary) {
    testing::internal::CaptureStdout();
    int status = in_child([] {
        // A file-size limit stands in for a full disk: writes past it fail.
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {150, 150};  // room for the lines it prints, not for a save
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
        save_settings();
        replay_folder = ".";
        save_last_replay(Replay{});
    });
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Could not save 'settings.cfg': File too large\nCould not save the replay './last.kvr': File too large\n");
    ASSERT_EQ(status, 0);
    EXPECT_EQ(dir.read("settings.cfg"), old_file);
    EXPECT_TRUE(stray_files(dir.path()).empty());

    save_settings();  // and without the limit the same save goes through
    EXPECT_NE(dir.read("settings.cfg").find("1=1234\n"), std::string::npos);
}

TEST_F(SettingsSaveTest, AWriterKilledMidSaveLeavesTheOldFileOrTheNewOneNeverATornOne) {
    // Two complete versions a saving loop alternates between.
    fullscreen = 0;
    save_settings();
    const std::string version_a = dir.read("settings.cfg");
    fullscreen = 1;
    save_settings();
    const std::string version_b = dir.read("settings.cfg");
    ASSERT_NE(version_a, version_b);

    int saw_a = 0, saw_b = 0;
    for (int round = 0; round < 40; ++round) {
        fflush(nullptr);
        pid_t writer = fork();
        if (writer == 0) {
            for (int i = 0;; ++i) {
                fullscreen = i % 2;
                save_settings();
            }
        }
        usleep(static_cast<useconds_t>(200 + round * 397 % 5000));  // varied moments in the loop
        kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);

        std::string text = dir.read("settings.cfg");
        ASSERT_TRUE(text == version_a || text == version_b) << "round " << round << ":\n" << text;
        (text == version_a ? saw_a : saw_b)++;
    }
    RecordProperty("rounds_ending_on_a", saw_a);
    RecordProperty("rounds_ending_on_b", saw_b);
}

// Two copies on one profile each end a game, then save one after the other:
// both scores and replays stay, beside an entry from before.
TEST_F(SettingsSaveTest, TwoCopiesOnOneProfileLoseNoScoreWhicheverSavesFirst) {
    for (const auto& scores : {std::pair{1650, 1200}, std::pair{1200, 1650}, std::pair{700, 700}}) {
        SCOPED_TRACE(testing::Message() << scores.second << " saved first, then " << scores.first);
        ScratchDir profile;
        replay_folder = "replays";
        reset_high_scores();
        copy_ending_a_game(500, 9);
        const pid_t last = copy_ending_a_game(scores.first, 1, true);
        copy_ending_a_game(scores.second, 2);
        kill(last, SIGCONT);
        waitpid(last, nullptr, 0);

        load_settings();
        std::set<std::pair<int, uint32_t>> games;  // each place's score and its replay's game
        for (int place = 0; place < 3; ++place) {
            Replay replay;
            std::string why;
            EXPECT_TRUE(read_replay_file(entry_replay_path(place), &replay, &why)) << place << ": " << why;
            games.insert({high_scores[place].score, replay.seed});
        }
        EXPECT_EQ(games, (std::set<std::pair<int, uint32_t>>{{500, 9}, {scores.first, 1}, {scores.second, 2}}));
        replay_folder = nullptr;
    }
}

// The save waits for another copy's save and merges what it wrote: what it
// added stays, what it dropped stays dropped with its replay; a second save
// changes nothing.
TEST_F(SettingsSaveTest, ASaveWaitsForAnotherCopysSaveAndMergesWhatItWrote) {
    dir.write("settings.cfg", "1=700\n1n=other\n1s=1\n2=300\n2n=dropped\n2s=0\nchecksum=4000\n");
    load_settings();
    replay_folder = "replays";
    save_entry_replay(Replay{}, 1);
    const std::string dropped_replay = entry_replay_path(1);
    ASSERT_TRUE(entry_has_replay(1));
    insert_high_score(1650, "pilot", 0);
    const int held = take_save_lock("settings.cfg");
    std::thread other_copy([&] {
        usleep(300000);
        dir.write("settings.cfg", "1=900\n1n=elsewhere\n1s=2\n2=700\n2n=other\n2s=1\nchecksum=6400\n");
        release_save_lock(held, "settings.cfg");
    });
    save_settings();
    other_copy.join();
    const std::string saved = dir.read("settings.cfg");
    EXPECT_NE(saved.find("1=1650\n1n=pilot\n1s=0\n2=900\n2n=elsewhere\n2s=2\n3=700\n3n=other\n3s=1\n4=0\n4n=EMPTY"),
              std::string::npos) << saved;
    EXPECT_FALSE(std::filesystem::exists(dropped_replay));
    save_settings();
    EXPECT_EQ(dir.read("settings.cfg"), saved);
    replay_folder = nullptr;
}

// A lock held on and on: the save gives up, says so and saves unmerged.
TEST_F(SettingsSaveTest, ASaveDoesNotWaitForeverForALock) {
    const int stuck = take_save_lock("settings.cfg");
    dir.write("settings.cfg", "1=900\n1n=elsewhere\n1s=2\nchecksum=3600\n");
    testing::internal::CaptureStdout();
    save_settings();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Could not lock 'settings.cfg': another copy of the game held it for 2000 ms; saving without merging\n");
    EXPECT_NE(dir.read("settings.cfg").find("1=1234\n1n=pilot\n1s=0\n2=0\n"), std::string::npos);
    release_save_lock(stuck, "settings.cfg");
}

// A link stays one: its target takes the save, and nothing is left beside it.
TEST_F(SettingsSaveTest, ALinkedSettingsFileStaysALinkAndItsTargetTakesTheSave) {
    std::filesystem::create_directory("dotfiles");
    std::filesystem::rename("settings.cfg", "dotfiles/settings.cfg");
    std::filesystem::create_symlink("dotfiles/settings.cfg", "settings.cfg");
    save_settings();
    EXPECT_TRUE(std::filesystem::is_symlink("settings.cfg"));
    EXPECT_NE(dir.read("dotfiles/settings.cfg").find("1=1234\n"), std::string::npos);
    EXPECT_TRUE(stray_files(dir.path() + "/dotfiles").empty());
}
