// Frame pacing: at most one redisplay every 40 ms, without burning the processor.
#pragma once

constexpr int FRAME_INTERVAL_MS = 40;   // 25 frames a second at most
constexpr int IDLE_SLEEP_LIMIT_MS = 2;  // longest nap the idle callback takes while waiting

extern int last_frame_time;  // toolkit ms at the last posted redisplay; 0 = none yet

// 1 (default): the idle callback naps while it waits for the next frame.
// 0: it returns at once and is called again straight away (the benchmark
// compares the two).
extern int idle_gives_back_cpu;

// Pacing decision for toolkit time `now_ms`: 1 when a redisplay is due (and
// last_frame_time is then set to now_ms), 0 otherwise.
int frame_due(int now_ms);

// Toolkit idle callback: ends the game on a quit signal, applies queued remote
// events and reads the gamepad, posts a redisplay when one is due, else naps
// at most IDLE_SLEEP_LIMIT_MS.
void idle_callback();

// Toolkit visibility callback: installs the idle callback while the window is
// visible and removes it otherwise, so a hidden game stands still.
void visibility_callback(int visibility_state);
