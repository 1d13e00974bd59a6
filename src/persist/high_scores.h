// The ten-place high-score table shared by all profiles. It stays in
// descending order of score because the insertion rule is the only way in:
// insert_high_score during a run, and a save's merge, which enters this
// copy's games into what settings.cfg holds (load_settings fills it at start-up).
#pragma once

constexpr int HIGH_SCORE_PLACES = 10;
constexpr int HIGH_SCORE_NAME_SIZE = 32;  // 31 characters and a terminator

struct HighScoreEntry {
    int score;                        // 0 in an empty place
    char name[HIGH_SCORE_NAME_SIZE];  // "EMPTY" in an empty place
    int ship;                         // 0..2, -1 for none
};

extern const char* const EMPTY_PLACE_NAME;  // "EMPTY"
constexpr int NO_SHIP = -1;

extern HighScoreEntry high_scores[HIGH_SCORE_PLACES];

// Score at 0-based `index`, or -1 outside 0..9. Called by the screens that
// show or announce scores.
int get_high_score(int index);
// Enters a finished game: above every entry with the same score; a score below
// all ten changes nothing. The name is stored as set_entry_name does. An
// entry that enters is this copy's own until the next save (persist/score_merge).
// Called by end_game, before reset_game.
void insert_high_score(int score, const char* name, int ship);
// The same rule on any ten-place table; returns the 0-based place the entry
// took, or -1. Called by insert_high_score and by the save's merge.
int insert_into_table(HighScoreEntry table[HIGH_SCORE_PLACES], int score, const char* name, int ship);
// 1-based place `score` would be announced at (it must strictly beat the
// entry), or -1. Called by the stage screens to announce a new high score.
int high_score_place(int score);
// The entry high_score_place leaves out, or -1. A replay sets aside the entry
// its own game made, so that it announces the place that game took, not the
// one below its own entry.
extern int high_score_set_aside;
// The first place (0-based) holding `score` flown in `ship`, or -1.
int high_score_entry_of(int score, int ship);

// Gives every place name "EMPTY" and ship -1; scores are left alone.
// Called by load_settings before it reads the file.
void clear_high_score_names();
// Every place back to score 0, "EMPTY", ship -1, and no entry this copy's own
// any more. Called when the start values are given.
void reset_high_scores();
// Every place of `table` back to score 0, "EMPTY", ship -1. Called by
// reset_high_scores and by the settings reader (a table that fails its checksum).
void empty_table(HighScoreEntry table[HIGH_SCORE_PLACES]);
// Copies `text` into the entry's name store, cut to 31 characters, with
// control characters replaced: whatever a name holds, it stays one line of
// settings.cfg and reads back as it was written.
// Called by insert_into_table, and by the settings reader for the name keys.
void set_entry_name(HighScoreEntry* entry, const char* text);
