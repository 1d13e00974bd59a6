// Playing a replay: the recorded game is flown again from its seed and its
// input stream, frame by frame, while the player only watches. No live input
// reaches the fighter (Esc leaves, a held Space plays at 4x), no score enters
// the table and nothing is saved; the settings the replay's keys change are
// given back when it ends.
#pragma once

#include <string>

#include "persist/replay_file.h"

extern int replay_playing;  // 1 while a replay plays
extern int replay_speed;    // frames per paced frame: 1, or 4 while fast-forwarding
// What the last replay came to, for the high-score screen; empty when nothing to say.
extern std::string replay_notice;

// Plays the replay in the file at `path`, then returns to `return_state`. A
// file that cannot be played is refused with one console line (and in
// replay_notice); the game goes on where it was.
bool start_replay_file(const std::string& path, int return_state);
// The same for a replay already read (tests play the one just recorded).
void start_replay(const Replay& replay, int return_state);
// Plays the replay of the table entry at 0-based `place`, when it has one.
// Called by the high-score screen's digit keys.
void start_entry_replay(int place);

// Called by the recorder's hooks while a replay plays: the NAV 1 set-up puts
// back the world values and the seed of the recorded game; its end compares
// the world with the recorded one.
void replay_game_begins();
void replay_game_ends();
// Stops playing and goes back to the screen the replay started from, its
// settings as before. Called by end_game after the replayed game ended, by
// Esc, and by quit_game (so nothing of the replay is saved).
void leave_replay();

// The caption on every replayed frame: "REPLAY" and the pilot's name.
void draw_replay_caption();
