// The values outside the world, listed once: where the game starts them.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/game_values.h"
#include "support/program_start.h"

TEST(GameValues, StartValuesAreTheOnesTheProgramStartsWith) {
    GameValues before;
    save_game_values(before);
    // Every value away from its start first: one the start leaves alone shows.
#define SCRIBBLE(name, start) ::name = start + 7;
#define SCRIBBLE_TEXT(name, start) snprintf(::name, sizeof ::name, "%s", "scribbled");
    GAME_VALUES(SCRIBBLE, SCRIBBLE_TEXT, SCRIBBLE)
    set_game_start_values();
    const GameValues& at_start = program_start_game_values();
#define EXPECT_AT_START(name, start) EXPECT_EQ(::name, at_start.name) << #name;
#define EXPECT_TEXT_AT_START(name, start) EXPECT_STREQ(::name, at_start.name) << #name;
    GAME_VALUES(EXPECT_AT_START, EXPECT_TEXT_AT_START, EXPECT_AT_START)
#undef SCRIBBLE
#undef SCRIBBLE_TEXT
#undef EXPECT_AT_START
#undef EXPECT_TEXT_AT_START
    restore_game_values(before);
}
