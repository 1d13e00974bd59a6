// The texts of the stage frames, drawn in white over the playfield.
#pragma once

// NAV 2: "Enemies left to destroy in this NAV: N" while fighters are left.
// Called by the NAV 2 frame right after the HUD.
void draw_kills_left();
// A lost fighter: "You Have A New Highscore! Place: N" when the score would
// enter the table. Called by the stage frames while the player is destroyed.
void draw_new_high_score();
// A completed NAV's accuracy, its bonuses and the total score; the last NAV's
// also shows the new place once the bonus is counted in. Called by the stage
// frames every frame of a completed NAV, after its bonuses were granted.
void draw_results(bool last_nav);
