// The stage's picture drawn with GL: the view the game attaches to the stage's
// frames (stage/stage_view.h).
#pragma once

#include "stage/stage_view.h"

// Attached by attach_stage_to_game (app/stage_link) at start-up.
extern const StageView GL_STAGE_VIEW;
