// The ten-place table: insertion, announcement and their different tie rules,
// and the names that may enter it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "persist/high_scores.h"

namespace {

struct HighScoreTest : testing::Test {
    void SetUp() override { reset_high_scores(); }

    // Fills the table from the top with `scores`, the rest staying 0.
    static void fill(std::initializer_list<int> scores) {
        int i = 0;
        for (int s : scores) {
            high_scores[i].score = s;
            snprintf(high_scores[i].name, sizeof high_scores[i].name, "p%d", i + 1);
            high_scores[i].ship = i % 3;
            ++i;
        }
    }
};

}  // namespace

TEST_F(HighScoreTest, GetHighScoreReadsPlacesAndRejectsIndexesOutside0To9) {
    fill({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    EXPECT_EQ(get_high_score(0), 900);
    EXPECT_EQ(get_high_score(9), 50);
    EXPECT_EQ(get_high_score(10), -1);
    EXPECT_EQ(get_high_score(-1), -1);
}

TEST_F(HighScoreTest, InsertKeepsDescendingOrderAndPutsTiesAboveOlderEntries) {
    fill({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    insert_high_score(700, "new", 2);
    EXPECT_EQ(high_scores[2].score, 700);
    EXPECT_STREQ(high_scores[2].name, "new");
    EXPECT_EQ(high_scores[2].ship, 2);
    EXPECT_STREQ(high_scores[3].name, "p3") << "the older 700 moves down one place";
    EXPECT_EQ(high_scores[9].score, 100) << "the old tenth entry dropped out";

    insert_high_score(1000, "top", 0);
    EXPECT_STREQ(high_scores[0].name, "top");
    EXPECT_STREQ(high_scores[1].name, "p1");
    for (int i = 1; i < HIGH_SCORE_PLACES; ++i) EXPECT_GE(high_scores[i - 1].score, high_scores[i].score);
    EXPECT_EQ(high_scores[9].score, 200);
}

TEST_F(HighScoreTest, InsertBelowEveryEntryChangesNothing) {
    fill({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    HighScoreEntry before[HIGH_SCORE_PLACES];
    memcpy(before, high_scores, sizeof before);
    insert_high_score(49, "low", 1);
    insert_high_score(-5, "negative", 1);
    EXPECT_EQ(memcmp(before, high_scores, sizeof before), 0);
}

TEST_F(HighScoreTest, PlaceNeedsAStrictWinWhileInsertionTakesTies) {
    // 0 against an untouched table: announced as nothing, yet it takes place 1.
    EXPECT_EQ(high_score_place(0), -1);
    EXPECT_EQ(high_score_place(1), 1);
    insert_high_score(0, "zero", 1);
    EXPECT_STREQ(high_scores[0].name, "zero");

    reset_high_scores();
    fill({500, 300, 300});
    EXPECT_EQ(high_score_place(300), 4);
    insert_high_score(300, "tie", 0);
    EXPECT_STREQ(high_scores[1].name, "tie");

    // Equal to the tenth, below the ninth: no announcement, but place 10.
    fill({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    EXPECT_EQ(high_score_place(50), -1);
    insert_high_score(50, "last", 0);
    EXPECT_STREQ(high_scores[9].name, "last");
    EXPECT_STREQ(high_scores[8].name, "p9");
}

TEST_F(HighScoreTest, AnEntrySetAsideIsLeftOutOfThePlaces) {
    fill({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    high_score_set_aside = 1;
    EXPECT_EQ(high_score_place(850), 2);
    high_score_set_aside = 9;  // a full table's last place then counts as empty
    EXPECT_EQ(high_score_place(60), 10);
    EXPECT_EQ(high_score_place(0), -1);
    high_score_set_aside = -1;
}

TEST_F(HighScoreTest, InsertedNamesAreCutTo31CharactersAndLoseControlCharacters) {
    insert_high_score(10, "pilot\nfullscreen=1\r\x1b", 0);
    EXPECT_STREQ(high_scores[0].name, "pilot?fullscreen=1??");

    std::string long_name(40, 'x');
    insert_high_score(20, long_name.c_str(), 0);
    EXPECT_EQ(std::string(high_scores[0].name), std::string(31, 'x'));

    // A two-byte character straddling the cut is dropped whole, not halved.
    std::string accented = std::string(30, 'a') + "\xc3\xa9" + "b";
    insert_high_score(30, accented.c_str(), 0);
    EXPECT_EQ(std::string(high_scores[0].name), std::string(30, 'a'));
    std::string fits = std::string(29, 'a') + "\xc3\xa9";
    insert_high_score(40, fits.c_str(), 0);
    EXPECT_EQ(std::string(high_scores[0].name), fits);

    insert_high_score(50, nullptr, 0);
    EXPECT_STREQ(high_scores[0].name, "");
}

TEST_F(HighScoreTest, ResettingGivesEmptyPlacesWithoutShips) {
    fill({5, 4});
    reset_high_scores();
    for (const HighScoreEntry& entry : high_scores) {
        SCOPED_TRACE(testing::Message() << "place " << &entry - high_scores);
        EXPECT_EQ(entry.score, 0);
        EXPECT_STREQ(entry.name, "EMPTY");
        EXPECT_EQ(entry.ship, -1);
    }
}
