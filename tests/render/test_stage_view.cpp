// The stage's picture only reads the world: one game flown through the stage's
// frame routine with the GL picture and again with none steps through the same
// world in every frame, fly-out, NAV 2 and death sequence included.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/game_values.h"
#include "platform/random.h"
#include "stage/game_keys.h"
#include "stage/stage_controls.h"
#include "stage/stage_events.h"
#include "stage/stage_screen.h"
#include "stage/stage_view.h"
#include "stage/world_digest.h"
#include "stage/world_snapshot.h"

namespace {

// Stands in for the game: only an ending changes the world.
void end_games(const StageEvent& event) {
    if (event.kind == STAGE_GAME_ENDS) reset_game();
}

// Every frame's world digest of one scripted game: NAV 1 cut short, its
// fly-out, NAV 2 with its fighter, a lost hull and the death sequence.
std::vector<uint64_t> fly(const StageView* view) {
    zero_world();
    set_game_start_values();
    hud_offset = HUD_OFFSET_START;
    seed_rand15(3);
    enter_screen(STATE_NAV1, FRESH_TEXTURES | FRESH_MUSIC);
    const StageView* game_view = stage_view;
    auto game_hook = stage_event_hook;
    stage_view = view;
    stage_event_hook = end_games;
    std::vector<uint64_t> digests;
    for (int frame = 0; frame < 900 && screen_state != STATE_MAIN_MENU; ++frame) {
        if (frame == 1) nav_timer = NAV1_LENGTH_FRAMES - 60;
        if (frame % 6 == 0) stage_control_key(KEY_SPACE);
        stage_control_key(frame % 80 < 40 ? GAME_KEY_LEFT : GAME_KEY_RIGHT);
        if (frame == 420) player.hull = 0;
        frame_stage_screen();
        digests.push_back(world_digest());
    }
    stage_view = game_view;
    stage_event_hook = game_hook;
    return digests;
}

}  // namespace

TEST(StageView, TheWorldStepsAlikeWhateverDrawsIt) {
    const std::vector<uint64_t> drawn = fly(stage_view);
    ASSERT_GT(drawn.size(), 500u) << "the game must reach NAV 2 and the death sequence";
    ASSERT_LT(drawn.size(), 900u) << "and end";
    EXPECT_EQ(fly(&NULL_STAGE_VIEW), drawn);
    glFinish();
}
