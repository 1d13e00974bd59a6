// The one way into the game from outside a frame. The keyboard, the remote and
// the pad feed it, a replay being played feeds it from its file, and the
// recorder listens to it: every key-handler call with its key, every steering
// value a device writes on its polls, and a device's loss that stops its
// steering pass through here in the order they take effect, each tagged with
// the frame before which it acts. Frames are counted in display steps (a
// window expose is a frame like any other), never in time.
#pragma once

// The records, their handlers and steering values. A record's frame is
// frames_run when it took effect: it acts before that frame.
#include "stage/stage_input.h"

// The steering values as the world holds them now.
SteeringValues current_steering();

// ---- Feeding: the live devices ----
// While a replay plays, live input reaches only the replay's controls.
void input_key(unsigned char key);
void input_special(int key);
void input_special_up(int key);
void input_steer_axes(int x, int y);
// A device's game key pressed (down 1) or let go of (down 0). A character
// becomes an INPUT_KEY record, and its release none (nothing in the game heeds
// it; a playing replay's controls hear it); a special key an
// INPUT_DEVICE_SPECIAL or INPUT_DEVICE_SPECIAL_UP record with its toolkit
// code, as the replay files have always stored them.
void input_device_key(int key, int down);
void input_stick(double x, double y);
void input_tilt(int active, int pitch, int roll);
// The toolkit's key callbacks (the mouse position is ignored).
void stream_keyboard_callback(unsigned char key, int x, int y);
void stream_special_callback(int key, int x, int y);
void stream_special_up_callback(int key, int x, int y);
// The toolkit's key-release callback: only a replay's controls heed it.
void stream_keyboard_up_callback(unsigned char key, int x, int y);

// ---- Feeding: a replay ----
// Applies one record as if its device had sent it now: the values it sets
// through the stage's own apply_stage_record, a key through the toolkit's
// callbacks or the screens' key routines, as its device sent it.
void apply_input_record(const InputRecord& record);

// ---- Frames ----
// Display steps run since start-up.
extern long frames_run;
// Called by display_callback first and last in every frame. A frame that only
// shows a paused replay's picture again begins but never ends: it is no frame
// of the game, and the count does not move.
void input_stream_frame_begins();
void input_stream_frame_ends();

// ---- Listening ----
// One listener hears every record that reaches the game, live or replayed:
// the recorder. nullptr for none.
extern void (*input_listener)(const InputRecord& record);
// The replay player: told of each frame's start (to feed that frame's records)
// and given live input instead of the game while it plays (nullptr otherwise);
// `down` is 0 for a key's release.
extern void (*replay_frame_hook)();
extern void (*live_input_diversion)(int handler, int key, int down);
// Told of each frame's end, before the count moves on, where the world's
// checkpoints are taken: the recorder while it records, the replay player while
// it plays. nullptr for none.
extern void (*frame_end_hook)();
