#include "persist/high_scores.h"

HighScoreEntry high_scores[HIGH_SCORE_PLACES];

// Not built yet: the high-score issue fills these in.
int get_high_score(int) { return -1; }
void insert_high_score(int, const char*, int) {}
int high_score_place(int) { return -1; }
