// The head-up display panel at the right edge of a stage.
#pragma once

// Drawn first in every stage and quit-overlay frame; slides the panel in.
// Entered and left with texturing off.
void draw_hud();
