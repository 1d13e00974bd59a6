// Elements shared by the menu screens.
#pragma once

// Texture id 0 dimmed, across the top of the screen.
void draw_logo_banner();
// "active profile: ..." and the version text at the bottom; texturing off.
void draw_status_line();
