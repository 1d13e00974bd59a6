// Frame pacing: at most one redisplay every 40 ms, without burning the processor.
#pragma once

constexpr int FRAME_INTERVAL_MS = 40;   // 25 frames a second at most
constexpr int IDLE_SLEEP_LIMIT_MS = 2;  // longest nap while a pad or the remote must be polled
constexpr int LAST_MS_NAP_US = 250;     // nap in a frame's last millisecond (see idle_wait_us)

extern int last_frame_time;  // toolkit ms at the last posted redisplay; 0 = none yet

// 1 (default): the idle callback waits for input or the next frame.
// 0: it returns at once and is called again straight away (the benchmark
// compares the two).
extern int idle_gives_back_cpu;

// Pacing decision for toolkit time `now_ms`: 1 when a redisplay is due (and
// last_frame_time is then set to now_ms), 0 otherwise.
int frame_due(int now_ms);

// How long, in microseconds, the idle callback waits with the next frame due in
// `until_due_ms` (toolkit milliseconds): up to the frame's last millisecond, since
// window-system input ends the wait early; at most IDLE_SLEEP_LIMIT_MS when
// `must_poll` (a pad or the remote is read by polling); LAST_MS_NAP_US in the
// last millisecond; nothing when the frame is due.
int idle_wait_us(int until_due_ms, int must_poll);

// Toolkit idle callback: ends the game on a quit signal, applies queued remote
// events and reads the gamepad; when a redisplay is due, releases the arrows
// let go in another window and posts it, else waits as idle_wait_us says.
void idle_callback();

// Toolkit visibility callback: installs the idle callback while the window is
// visible and removes it otherwise, so a hidden game stands still; holds the
// screen saver off while the window is visible and lets it run otherwise.
void visibility_callback(int visibility_state);
