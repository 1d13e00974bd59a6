// Every game is recorded: from the set-up of NAV 1 to the game's end, the seed
// of the game's generator, the settings and world values it started with, a
// digest of the world every REPLAY_CHECKPOINT_INTERVAL frames, and the input
// stream. A game whose file would outgrow REPLAY_MAX_BYTES, or whose start the
// reader would refuse, goes on unrecorded (the console says so): the player
// keeps the game, only its replay is lost. No file the reader refuses is written.
#pragma once

#include "persist/replay_file.h"

// Called first by the NAV 1 set-up: seeds the game's draws afresh and starts
// recording. While a replay plays, the replay starts its own draws instead.
void game_record_begins();
// Called by end_game before the score enters the table: closes the record with
// the final score and the world's digest, and saves it as the last game's.
int game_record_ends();  // 1 when it closed a record
// 1 between the two, unless the game outgrew its file.
int game_recording();
// The last game closed by game_record_ends.
const Replay& last_game_record();
