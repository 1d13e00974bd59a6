// The quit prompt over a frozen stage (state 99).
#pragma once

void draw_quit_overlay();
