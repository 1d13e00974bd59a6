// Two copies of the game may run on one profile (two clicks on the launcher,
// one copy on each of two displays), and each saves settings.cfg as it quits.
// A save therefore merges: it keeps every entry the file holds by then, those
// another copy wrote since this one read it among them, and enters this copy's
// own games into that table again by the insertion rule. An entry another copy
// pushed out stays out; the settings written are the saving copy's.
#pragma once

#include <vector>

#include "persist/high_scores.h"

// The table now matches what settings.cfg holds: none of its entries is this
// copy's own any more. Called by load_settings once it has read the file and
// by save_settings once it has written it.
void high_scores_saved();
// `entry` has just entered the table as this copy's own game. Called by
// insert_high_score.
void note_own_entry(const HighScoreEntry& entry);
// No entry is this copy's own any more. Called by reset_high_scores.
void forget_own_entries();
// The table becomes `file_table` (what settings.cfg holds now) with this
// copy's own games entered into it again, oldest first. Called by
// save_settings under the lock, before it writes.
void merge_high_scores(const HighScoreEntry file_table[HIGH_SCORE_PLACES]);

// An entry (score, name and fighter) and how many such entries there may have
// been before the merge: in the table this copy read, added by other copies
// since (in `file_table`), or entered by this copy. Equal entries cannot be
// told apart in settings.cfg; the count says how many replay files of that
// entry belong to games this save knows of.
struct KnownEntry {
    HighScoreEntry entry;
    int count;
};
// Every distinct entry of those three sources. Called by the replay store as
// the save removes the replays of entries no longer in the table.
std::vector<KnownEntry> entries_known(const HighScoreEntry file_table[HIGH_SCORE_PLACES]);
// How many entries of `table` equal `entry`.
int count_equal_entries(const HighScoreEntry* table, int size, const HighScoreEntry& entry);
