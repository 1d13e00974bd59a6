#include "persist/replay_store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

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
    std::ifstream file(path, std::ios::binary);
    if (!file) return *why = "cannot open it", false;
    // Read one byte past the limit at most: a huge file is refused unread.
    std::string bytes;
    bytes.resize(REPLAY_MAX_BYTES + 1);
    file.read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(file.gcount()));
    return decode_replay(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), replay, why);
}
