// The keys that act on the world in stage play and in the quit overlay: fire,
// the guns, the pause, a new game after a loss, steering, Y and N. They take
// game keys (stage/game_keys.h) whoever sent them: the keyboard, the remote,
// a pad or a replay.
#pragma once

// Frames the gun and missile notices stay on screen.
constexpr int MESSAGE_FRAMES_GUNS = 50;

// A key pressed in stage play (2..98): Space fires while the NAV runs; G and F
// choose guns and M finds none, each with its notice; Esc pauses (the quit
// overlay); Enter after a loss starts a new game; the arrows steer, the latest
// pressed direction of an axis winning. Returns 1 for these keys, 0 for any
// other (the sound and star switches are input's). Called by stage_screen_key.
int stage_control_key(int key);
// An arrow let go of in stage play stops its axis while it is still that
// axis's direction. Called by stage_screen_key in stage play only.
void stage_control_key_released(int key);
// The quit overlay (99): N plays on with the steering cleared, Y ends the game.
// Called by stage_screen_key.
void quit_overlay_key(int key);
// A game key pressed (down 1) or let go of (down 0) on a stage screen, by
// screen_state: stage play's controls above, or the quit overlay's Y and N
// (which hears no releases). Returns 1 when they act on that key there, 0 for
// any other key and outside those screens. Called by the screens' key routines
// and by apply_stage_record: the one way a key reaches the world.
int stage_screen_key(int key, int down);
