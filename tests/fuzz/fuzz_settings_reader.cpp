// Fuzz target: any settings.cfg must load without harm, and what the game then
// saves must load back to the same settings and table without a warning.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "persist/high_scores.h"
#include "persist/settings.h"

namespace {

struct Snapshot {
    int fullscreen, sfx, music, sfxvol, musicvol;
    HighScoreEntry table[HIGH_SCORE_PLACES];
};

Snapshot take_snapshot() {
    Snapshot s;
    memset(&s, 0, sizeof s);
    s.fullscreen = fullscreen;
    s.sfx = sfx;
    s.music = music;
    s.sfxvol = sfxvol;
    s.musicvol = musicvol;
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) {
        s.table[i].score = high_scores[i].score;
        s.table[i].ship = high_scores[i].ship;
        snprintf(s.table[i].name, sizeof s.table[i].name, "%s", high_scores[i].name);
    }
    return s;
}

bool same(const Snapshot& a, const Snapshot& b) {
    if (a.fullscreen != b.fullscreen || a.sfx != b.sfx || a.music != b.music || a.sfxvol != b.sfxvol ||
        a.musicvol != b.musicvol)
        return false;
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i)
        if (a.table[i].score != b.table[i].score || a.table[i].ship != b.table[i].ship ||
            strcmp(a.table[i].name, b.table[i].name) != 0)
            return false;
    return true;
}

void write_file(const uint8_t* data, size_t size) {
    FILE* f = fopen("settings.cfg", "wb");
    if (!f) abort();
    fwrite(data, 1, size, f);
    fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Work in a private folder: the reader and writer use ./settings.cfg.
    // In memory where the system offers it: every input is written and saved twice.
    char in_memory[] = "/dev/shm/korvane-fuzz-settings-XXXXXX";
    char on_disk[] = "/tmp/korvane-fuzz-settings-XXXXXX";
    const char* folder = mkdtemp(in_memory);
    if (!folder) folder = mkdtemp(on_disk);
    if (!folder || chdir(folder) != 0) abort();
    // The reader's warnings would flood the fuzzer's output.
    if (!freopen("/dev/null", "w", stdout)) abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Scores carried over from the last input must not leak into this one.
    for (HighScoreEntry& entry : high_scores) entry.score = 0;
    write_file(data, size);
    load_settings();
    const Snapshot loaded = take_snapshot();

    save_settings();
    load_settings();
    if (!same(loaded, take_snapshot())) abort();  // what we write, we read back unchanged
    return 0;
}
