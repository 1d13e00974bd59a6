#include "support/program_start.h"

#include "app/game_values.h"
#include "stage/world_snapshot.h"

namespace {

WorldSnapshot world_at_start;
GameValues game_values_at_start;

}  // namespace

void remember_program_start() {
    save_world(world_at_start);
    save_game_values(game_values_at_start);
}

void restore_program_start() {
    restore_world(world_at_start);
    restore_game_values(game_values_at_start);
}

const GameValues& program_start_game_values() { return game_values_at_start; }
