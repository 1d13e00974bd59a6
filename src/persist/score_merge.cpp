#include "persist/score_merge.h"

#include <algorithm>
#include <cstring>

namespace {

// The table as settings.cfg held it when this copy last read or wrote it.
HighScoreEntry table_as_saved[HIGH_SCORE_PLACES];
// This copy's games that entered the table since then, oldest first. One a
// game: a run never gathers more than a few hundred.
std::vector<HighScoreEntry> own_entries;

bool same_entry(const HighScoreEntry& a, const HighScoreEntry& b) {
    return a.score == b.score && a.ship == b.ship && strcmp(a.name, b.name) == 0;
}

}  // namespace

void high_scores_saved() {
    std::copy(high_scores, high_scores + HIGH_SCORE_PLACES, table_as_saved);
    own_entries.clear();
}

void note_own_entry(const HighScoreEntry& entry) { own_entries.push_back(entry); }

void forget_own_entries() { own_entries.clear(); }

void merge_high_scores(const HighScoreEntry file_table[HIGH_SCORE_PLACES]) {
    // Entered in their order, each lands above the equal entries before it, as
    // it did in this copy's own table.
    HighScoreEntry merged[HIGH_SCORE_PLACES];
    std::copy(file_table, file_table + HIGH_SCORE_PLACES, merged);
    for (const HighScoreEntry& entry : own_entries) insert_into_table(merged, entry.score, entry.name, entry.ship);
    std::copy(merged, merged + HIGH_SCORE_PLACES, high_scores);
}

int count_equal_entries(const HighScoreEntry* table, int size, const HighScoreEntry& entry) {
    return static_cast<int>(std::count_if(table, table + size, [&](const HighScoreEntry& e) { return same_entry(e, entry); }));
}

std::vector<KnownEntry> entries_known(const HighScoreEntry file_table[HIGH_SCORE_PLACES]) {
    std::vector<KnownEntry> known;
    auto note = [&](const HighScoreEntry& entry) {
        for (const KnownEntry& k : known)
            if (same_entry(k.entry, entry)) return;
        known.push_back({entry, 0});
    };
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) note(table_as_saved[i]);
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) note(file_table[i]);
    for (const HighScoreEntry& entry : own_entries) note(entry);

    const int own_count = static_cast<int>(own_entries.size());
    for (KnownEntry& k : known) {
        // The file's entries are those read, plus what other copies added.
        const int read = count_equal_entries(table_as_saved, HIGH_SCORE_PLACES, k.entry);
        const int in_file = count_equal_entries(file_table, HIGH_SCORE_PLACES, k.entry);
        k.count = std::max(read, in_file) + count_equal_entries(own_entries.data(), own_count, k.entry);
    }
    return known;
}
