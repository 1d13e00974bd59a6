#include "persist/replay_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "persist/file_replace.h"
#include "persist/score_merge.h"

const char* replay_folder = nullptr;

namespace {

constexpr const char* ENTRY_PREFIX = "entry-";
constexpr const char* REPLAY_SUFFIX = ".kvr";
// Before equal entries each kept a file, "KEY.kvr" was an entry's only one;
// it counts as older than every file with a stamp.
constexpr long long UNSTAMPED = -1;

// What an entry's file names begin with: its score, fighter and name (hashed:
// a name may hold any character). Equal entries share it.
std::string entry_key(const HighScoreEntry& entry) {
    uint32_t hash = 2166136261u;  // FNV-1a over the name as the table holds it
    for (const char* c = entry.name; *c; ++c) hash = (hash ^ static_cast<unsigned char>(*c)) * 16777619u;
    char key[64];
    snprintf(key, sizeof key, "%s%d-%d-%08x", ENTRY_PREFIX, entry.score, entry.ship, hash);
    return key;
}

struct EntryFile {
    std::string name;
    long long stamp;  // orders the files of equal entries: a later game's is larger
};

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The folder's file names. The high-score screen asks after every place in
// every frame, and reading a folder costs far more than looking at its
// modification time: the names are read again only when the folder is another
// one or has changed. A change within the same tick of the file system's clock
// (two seconds on some) as the last one would leave that time as it was, so
// names read that soon after a change are not trusted for later calls.
struct FolderListing {
    dev_t device = 0;
    ino_t inode = 0;
    struct timespec changed = {0, 0};
    bool trusted = false;
    std::vector<std::string> names;
};
FolderListing listing;
constexpr time_t LISTING_SETTLE_SECONDS = 3;

bool same_time(const struct timespec& a, const struct timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

const std::vector<std::string>& folder_names() {
    struct stat folder;
    if (stat(replay_folder, &folder) != 0) {
        listing = FolderListing{};
        return listing.names;
    }
    if (listing.trusted && listing.device == folder.st_dev && listing.inode == folder.st_ino &&
        same_time(listing.changed, folder.st_mtim))
        return listing.names;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    listing = FolderListing{folder.st_dev, folder.st_ino, folder.st_mtim,
                            now.tv_sec - folder.st_mtim.tv_sec > LISTING_SETTLE_SECONDS, {}};
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(replay_folder, error))
        listing.names.push_back(item.path().filename().string());
    return listing.names;
}

// The files of the entries equal to `entry`, newest first: "KEY-STAMP-SEED.kvr",
// then an old "KEY.kvr".
std::vector<EntryFile> files_of(const HighScoreEntry& entry) {
    std::vector<EntryFile> files;
    if (!replay_folder) return files;
    const std::string key = entry_key(entry);
    for (const std::string& name : folder_names()) {
        if (name == key + REPLAY_SUFFIX) {
            files.push_back({name, UNSTAMPED});
        } else if (name.compare(0, key.size() + 1, key + "-") == 0 && ends_with(name, REPLAY_SUFFIX)) {
            const char* stamp_text = name.c_str() + key.size() + 1;
            char* after = nullptr;
            const long long stamp = strtoll(stamp_text, &after, 10);
            if (isdigit(static_cast<unsigned char>(*stamp_text)) && *after == '-') files.push_back({name, stamp});
        }
    }
    std::sort(files.begin(), files.end(), [](const EntryFile& a, const EntryFile& b) {
        return a.stamp != b.stamp ? a.stamp > b.stamp : a.name > b.name;
    });
    return files;
}

// How many entries above `place` equal its own: the newest of equal entries
// stands highest, so this is the entry's rank among their files too.
size_t rank_among_equals(int place) {
    return static_cast<size_t>(count_equal_entries(high_scores, place, high_scores[place]));
}

bool save_replay_as(const Replay& replay, const std::string& file_name) {
    if (!replay_folder) return false;
    if (mkdir(replay_folder, 0700) != 0 && errno != EEXIST) {
        printf("Could not save the replay: cannot make the folder '%s' (%s)\n", replay_folder, strerror(errno));
        return false;
    }
    const std::string path = std::string(replay_folder) + "/" + file_name;
    const std::string bytes = encode_replay(replay);
    const int error = replace_file(path.c_str(), bytes.data(), bytes.size());
    if (error == 0) return true;
    printf("Could not save the replay '%s': %s\n", path.c_str(), strerror(error));
    return false;
}

}  // namespace

void save_last_replay(const Replay& replay) { save_replay_as(replay, LAST_GAME_REPLAY); }

void save_entry_replay(const Replay& replay, int place) {
    if (!replay_folder || place < 0 || place >= HIGH_SCORE_PLACES) return;
    const HighScoreEntry& entry = high_scores[place];
    // The game's end time orders it after its equals; two games ending in one
    // second (or a clock set back) still come in the order they ended.
    const std::vector<EntryFile> equals = files_of(entry);
    long long stamp = std::max<long long>(replay.date, 0);
    if (!equals.empty() && equals.front().stamp >= stamp) stamp = equals.front().stamp + 1;
    char game[64];  // the seed keeps two copies' games of one second apart
    snprintf(game, sizeof game, "-%lld-%08x%s", stamp, replay.seed, REPLAY_SUFFIX);
    save_replay_as(replay, entry_key(entry) + game);
}

void remove_replays_of_lost_entries(const HighScoreEntry file_table[HIGH_SCORE_PLACES]) {
    if (!replay_folder) return;
    for (const KnownEntry& known : entries_known(file_table)) {
        const std::vector<EntryFile> files = files_of(known.entry);
        const size_t kept = static_cast<size_t>(count_equal_entries(high_scores, HIGH_SCORE_PLACES, known.entry));
        const size_t belonging = std::min(files.size(), static_cast<size_t>(known.count));
        std::error_code error;
        for (size_t i = kept; i < belonging; ++i)
            std::filesystem::remove(std::string(replay_folder) + "/" + files[i].name, error);
    }
}

std::string entry_replay_path(int place) {
    if (!replay_folder || place < 0 || place >= HIGH_SCORE_PLACES) return std::string();
    const std::vector<EntryFile> files = files_of(high_scores[place]);
    const size_t rank = rank_among_equals(place);
    return rank < files.size() ? std::string(replay_folder) + "/" + files[rank].name : std::string();
}

int entry_has_replay(int place) {
    const std::string path = entry_replay_path(place);
    return !path.empty() && access(path.c_str(), R_OK) == 0;
}

