// Playing a replay: the recorded game is flown again from its seed and its
// input stream, frame by frame, while the player only watches. No live input
// reaches the fighter: it reaches the replay's controls (Esc leaves, P pauses,
// the right arrow steps a paused replay one frame, a held Space plays at 4x).
// No score enters the table and nothing of the replay is saved: it plays under
// the settings its game started with, and the viewer's own are given back on
// every way out. Its records act only while its game is in progress; once the
// game ends, its verdict is shown for a few seconds and the replay leaves.
//
// Nothing here draws (replay_view does): a program without a window can feed a
// replay's frames, check its checkpoints and take its verdict.
#pragma once

#include <string>

#include "persist/replay_file.h"

extern int replay_playing;  // 1 from a replay's start until it has left, its verdict included
extern int replay_speed;    // frames per paced frame: 1, or REPLAY_FAST_SPEED while fast-forwarding
constexpr int REPLAY_FAST_SPEED = 4;
// Display frames the verdict stays on screen (at the normal pace: four seconds).
constexpr int REPLAY_VERDICT_FRAMES = 100;
// What the last replay came to, for the high-score screen; empty when nothing
// to say. It gives way to the screen's hint after replay_notice_frames frames
// of that screen (the screen counts them down).
extern std::string replay_notice;
extern int replay_notice_frames;
constexpr int REPLAY_NOTICE_FRAMES = 150;

// Plays the replay in the file at `path`, then returns to `return_state`. A
// file that cannot be played is refused with one console line (and in
// replay_notice); the game goes on where it was.
bool start_replay_file(const std::string& path, int return_state);
// The same for a replay already read (tests play the one just recorded).
void start_replay(const Replay& replay, int return_state);
// Plays the replay of the table entry at 0-based `place`, when it has one.
// Called by the high-score screen's digit keys.
void start_entry_replay(int place);
// Plays the last game's replay, when there is one. Called by the high-score screen's L.
void start_last_game_replay();
// 1 when the last game's replay file is there. Called by the high-score screen's hint.
int last_game_has_replay();

// Called by the recorder's hooks while a replay plays: the NAV 1 set-up puts
// back the world values and the seed of the recorded game; its end (through
// end_game, whatever ended it) stops the records and takes the verdict.
void replay_game_begins();
void replay_game_ends();
// Stops playing at once and goes back to the screen the replay started from,
// the viewer's settings as before. Called by Esc and at the verdict's end.
void leave_replay();
// Puts the viewer's settings back in place of the replay's, touching nothing
// else (no sound, no window): what every way out of the game calls before it
// saves. Does nothing while no replay plays.
void give_back_viewer_settings();

// 1 while the screen shows the replay's last picture instead of a frame of its
// game: paused, or showing its verdict. Called by display_callback each time.
int replay_holds_picture();
// Called by the view after each held picture it showed: counts the verdict's time.
void replay_picture_held();

// What the view shows: the pilot (printable, cut), the share of the game
// played (0..1), whether paused, and the verdict once the game has ended
// (empty before).
std::string replay_pilot();
double replay_progress();
int replay_paused();
const std::string& replay_verdict();
// Where the replay parted from its recording, once it has (empty before).
const std::string& replay_parting();
