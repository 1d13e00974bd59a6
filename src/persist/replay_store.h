// The replays folder beside settings.cfg: the last game's replay, and one for
// every entry of the high-score table. An entry's files are named after it
// (score, fighter, name) and its game (when it ended, its seed), so equal
// entries each keep their own; an entry that falls out of the table takes its
// own file with it at the next save.
#pragma once

#include <string>

#include "persist/high_scores.h"
#include "persist/replay_file.h"

// The folder, relative to the game's own (where settings.cfg is); nullptr
// keeps replays in memory only, as tests do. The entry point sets "replays".
extern const char* replay_folder;
constexpr const char* LAST_GAME_REPLAY = "last.kvr";

// Saves `replay` as the last game's, through the safe save; a failure is a
// console line naming the file and the reason, never more. Called by the
// recorder as a game ends.
void save_last_replay(const Replay& replay);
// Saves `replay` as the replay of the table entry at 0-based `place`, after
// every file of the entries equal to it. Nothing is removed here: another copy
// of the game may be keeping entries this one has never seen.
// Called by end_game right after the score entered the table.
void save_entry_replay(const Replay& replay, int place);
// Removes the files of entries no longer in the table: of each entry the save
// knows of, the files beyond those its equals in the table take. Files of
// entries it does not know (another copy's games not yet saved) stay.
// Called by save_settings under the lock, once the merged table is written.
void remove_replays_of_lost_entries(const HighScoreEntry file_table[HIGH_SCORE_PLACES]);
// The file of the entry at 0-based `place`: equal entries take their files
// newest first, as the table holds them. Empty when it has none, or without a folder.
std::string entry_replay_path(int place);
// 1 when the entry at 0-based `place` has a replay file.
int entry_has_replay(int place);
