// The ten-place high-score table shared by all profiles.
#pragma once

constexpr int HIGH_SCORE_PLACES = 10;
constexpr int HIGH_SCORE_NAME_SIZE = 32;  // 31 characters and a terminator

struct HighScoreEntry {
    int score;                        // 0 in an empty place
    char name[HIGH_SCORE_NAME_SIZE];  // "EMPTY" in an empty place
    int ship;                         // 0..2, -1 for none
};

extern HighScoreEntry high_scores[HIGH_SCORE_PLACES];

// Score at 0-based `index`, or -1 outside 0..9.
int get_high_score(int index);
// Enters a finished game: above every entry with the same score.
void insert_high_score(int score, const char* name, int ship);
// 1-based place `score` would be announced at (strictly beats), or -1.
int high_score_place(int score);
