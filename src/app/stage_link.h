// The game attached to the stage: the GL picture of its frames, and whatever
// leaves the world carried out here, at once and in its order.
#pragma once

#include "stage/stage_events.h"

// Attaches the GL view (render/stage_view.h) and carry_stage_event to the
// stage. Called by gl_setup, before any frame.
void attach_stage_to_game();
// Carries out one event of the stage: its sound, the stage's song, the start
// of the game's record, the remote's LEDs, the pad's rumble, a notice, the
// game's end, what a reset game resets outside the world.
void carry_stage_event(const StageEvent& event);
