// The signals a desktop session or a terminal sends to ask a program to end
// (SIGTERM, SIGHUP, SIGINT). They must not kill the game on the spot, or the
// settings and scores of the run would be lost: their handler only notes that
// they came, and the toolkit thread ends the game the ordinary way.
#pragma once

// Installs the noting handler for the three signals and blocks them in the
// calling thread, so every thread started from now on inherits the block and
// never sees them (no surprise EINTR in the remote's or the sound's threads).
// Called once by start-up, before any thread is started.
void os_hold_quit_signals();

// Unblocks the three signals in the calling thread, the toolkit's: from now
// on they (and any that came while held) are noted here. Called by start-up
// just before the main loop.
void os_take_quit_signals();

// 1 once one of the three signals has arrived. Read by the toolkit thread.
int os_quit_signal_arrived();
