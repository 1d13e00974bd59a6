// The replays folder beside settings.cfg: the last game's replay, and one for
// every entry of the high-score table, named after the entry, so that an entry
// that falls out of the table takes its replay with it.
#pragma once

#include <string>

#include "persist/replay_file.h"

// The folder, relative to the game's own (where settings.cfg is); nullptr
// keeps replays in memory only, as tests do. The entry point sets "replays".
extern const char* replay_folder;
constexpr const char* LAST_GAME_REPLAY = "last.kvr";

// Saves `replay` as the last game's, through the safe save; a failure is a
// console line, never more. Called by the recorder as a game ends.
void save_last_replay(const Replay& replay);
// Saves `replay` as the replay of the table entry at 0-based `place`, then
// removes the replays of entries that have left the table. Called by end_game
// right after the score entered the table.
void save_entry_replay(const Replay& replay, int place);
// The file of the entry at 0-based `place` (it may not exist); empty without a folder.
std::string entry_replay_path(int place);
// 1 when the entry at 0-based `place` has a replay file.
int entry_has_replay(int place);
// Reads and checks a replay file; on refusal false with one line of reason.
bool read_replay_file(const std::string& path, Replay* replay, std::string* why);
