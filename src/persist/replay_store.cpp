#include "persist/replay_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "persist/file_replace.h"
#include "persist/high_scores.h"

const char* replay_folder = nullptr;

namespace {

constexpr const char* ENTRY_PREFIX = "entry-";

// A table entry's file: its score, fighter and name (hashed: a name may hold
// any character) make it, so the file follows its entry wherever it moves.
std::string entry_file_name(const HighScoreEntry& entry) {
    uint32_t hash = 2166136261u;  // FNV-1a over the name as the table holds it
    for (const char* c = entry.name; *c; ++c) hash = (hash ^ static_cast<unsigned char>(*c)) * 16777619u;
    char name[64];
    snprintf(name, sizeof name, "%s%d-%d-%08x.kvr", ENTRY_PREFIX, entry.score, entry.ship, hash);
    return name;
}

bool save_replay_as(const Replay& replay, const std::string& file_name) {
    if (!replay_folder) return false;
    if (mkdir(replay_folder, 0700) != 0 && errno != EEXIST) {
        printf("Could not save the replay: cannot make the folder '%s' (%s)\n", replay_folder, strerror(errno));
        return false;
    }
    const std::string path = std::string(replay_folder) + "/" + file_name;
    const std::string bytes = encode_replay(replay);
    if (replace_file(path.c_str(), bytes.data(), bytes.size())) return true;
    printf("Could not save the replay '%s'\n", path.c_str());
    return false;
}

// Replays of entries no longer in the table go.
void remove_replays_of_lost_entries() {
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(replay_folder, error)) {
        const std::string name = item.path().filename().string();
        if (name.rfind(ENTRY_PREFIX, 0) != 0) continue;
        bool kept = false;
        for (const HighScoreEntry& entry : high_scores) kept = kept || entry_file_name(entry) == name;
        if (!kept) std::filesystem::remove(item.path(), error);
    }
}

}  // namespace

void save_last_replay(const Replay& replay) { save_replay_as(replay, LAST_GAME_REPLAY); }

void save_entry_replay(const Replay& replay, int place) {
    if (!replay_folder || place < 0 || place >= HIGH_SCORE_PLACES) return;
    save_replay_as(replay, entry_file_name(high_scores[place]));
    remove_replays_of_lost_entries();
}

std::string entry_replay_path(int place) {
    if (!replay_folder || place < 0 || place >= HIGH_SCORE_PLACES) return std::string();
    return std::string(replay_folder) + "/" + entry_file_name(high_scores[place]);
}

int entry_has_replay(int place) {
    const std::string path = entry_replay_path(place);
    return !path.empty() && access(path.c_str(), R_OK) == 0;
}

bool read_replay_file(const std::string& path, Replay* replay, std::string* why) {
    // Without waiting: opening a FIFO for reading would wait for a writer that
    // may never come. Only a regular file is read; a FIFO, a device or a
    // folder is refused before a byte of it is read.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return *why = std::string("cannot open it (") + strerror(errno) + ")", false;
    struct stat about;
    std::string bytes;
    bool readable = fstat(fd, &about) == 0 && S_ISREG(about.st_mode);
    if (!readable) {
        *why = "not a regular file";
    } else if (static_cast<uint64_t>(about.st_size) > REPLAY_MAX_BYTES) {
        *why = "too large to be a replay";
        readable = false;
    } else {
        // One byte more than it claims, to see a file that grew since.
        bytes.resize(static_cast<size_t>(about.st_size) + 1);
        size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = read(fd, &bytes[got], bytes.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;  // its end, or a fault: what was read is judged
            got += static_cast<size_t>(n);
        }
        bytes.resize(got);
    }
    close(fd);
    if (!readable) return false;
    return decode_replay(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), replay, why);
}
