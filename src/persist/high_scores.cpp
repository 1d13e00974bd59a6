#include "persist/high_scores.h"

#include <cstdio>

#include "persist/score_merge.h"

HighScoreEntry high_scores[HIGH_SCORE_PLACES];
const char* const EMPTY_PLACE_NAME = "EMPTY";

// A stand-in for a control character in a name: visible, and harmless in a
// line of settings.cfg.
constexpr char CONTROL_CHARACTER_STAND_IN = '?';

int get_high_score(int index) {
    if (index < 0 || index >= HIGH_SCORE_PLACES) return -1;
    return high_scores[index].score;
}

constexpr int UTF8_LONGEST_CHARACTER = 4;  // bytes

static bool is_control_character(unsigned char c) { return c < 0x20 || c == 0x7f; }

// Bytes a UTF-8 character takes, judged by its first byte (1 for anything else).
static int utf8_length(unsigned char first) {
    if ((first & 0xe0) == 0xc0) return 2;
    if ((first & 0xf0) == 0xe0) return 3;
    if ((first & 0xf8) == 0xf0) return 4;
    return 1;
}

// Drops a last character that the cut at `length` bytes left incomplete.
static void drop_split_character(char* name, int length) {
    for (int start = length - 1; start >= 0 && start >= length - UTF8_LONGEST_CHARACTER; --start) {
        unsigned char c = static_cast<unsigned char>(name[start]);
        if ((c & 0xc0) == 0x80) continue;  // inside a character: look further back for its start
        if (start + utf8_length(c) > length) name[start] = '\0';
        return;
    }
}

void set_entry_name(HighScoreEntry* entry, const char* text) {
    char* name = entry->name;
    int length = snprintf(name, HIGH_SCORE_NAME_SIZE, "%s", text ? text : "");
    if (length >= HIGH_SCORE_NAME_SIZE) drop_split_character(name, HIGH_SCORE_NAME_SIZE - 1);
    for (char* c = name; *c; ++c)
        if (is_control_character(static_cast<unsigned char>(*c))) *c = CONTROL_CHARACTER_STAND_IN;
}

int insert_into_table(HighScoreEntry table[HIGH_SCORE_PLACES], int score, const char* name, int ship) {
    // Ties go above the older entry: the first place whose score does not exceed the new one.
    int place = 0;
    while (place < HIGH_SCORE_PLACES && table[place].score > score) ++place;
    if (place == HIGH_SCORE_PLACES) return -1;

    for (int i = HIGH_SCORE_PLACES - 1; i > place; --i) table[i] = table[i - 1];

    HighScoreEntry& entry = table[place];
    entry.score = score;
    entry.ship = ship;
    set_entry_name(&entry, name);
    return place;
}

void insert_high_score(int score, const char* name, int ship) {
    const int place = insert_into_table(high_scores, score, name, ship);
    if (place >= 0) note_own_entry(high_scores[place]);
}

int high_score_set_aside = -1;

int high_score_place(int score) {
    // Announcing needs a strict win over the entry, unlike insertion. An entry
    // set aside is out of the table and the places below it move up; the last
    // place then counts as empty, as whatever that entry pushed out is gone.
    int place = 0;
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) {
        if (i == high_score_set_aside) continue;
        ++place;
        if (high_scores[i].score < score) return place;
    }
    return high_score_set_aside >= 0 && score > 0 ? HIGH_SCORE_PLACES : -1;
}

int high_score_entry_of(int score, int ship) {
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i)
        if (high_scores[i].score == score && high_scores[i].ship == ship) return i;
    return -1;
}

void clear_high_score_names() {
    for (HighScoreEntry& entry : high_scores) {
        set_entry_name(&entry, EMPTY_PLACE_NAME);
        entry.ship = NO_SHIP;
    }
}

void empty_table(HighScoreEntry table[HIGH_SCORE_PLACES]) {
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) {
        table[i].score = 0;
        set_entry_name(&table[i], EMPTY_PLACE_NAME);
        table[i].ship = NO_SHIP;
    }
}

void reset_high_scores() {
    empty_table(high_scores);
    forget_own_entries();
}
