// The quit prompt over a frozen stage (state 99). Its frame (the HUD, this
// picture, the falling stars) is the stage's: frame_quit_overlay.
#pragma once

// The prompt's picture: centred on the playfield once the HUD panel is fully
// in, on the whole screen before. Texturing is on while it draws and off after.
// Called by the quit overlay's frame, after the HUD.
void draw_quit_overlay();
