// Copies of the game on one profile take turns at settings.cfg: a save reads,
// merges and writes it under an advisory lock on a file beside it, removed
// again once the save is done.
#pragma once

#include <string>

// How long a save waits for another copy's save before it goes on without the
// lock. A save takes milliseconds; the wait must stay short, since a save may
// run as the session ends (a signal, a lost display).
constexpr int SAVE_LOCK_WAIT_MS = 2000;

// The lock beside `file` (its name and ".lock"), taken within SAVE_LOCK_WAIT_MS.
// Returns its descriptor, or -1 with errno: EWOULDBLOCK when another copy held
// it all that time, else why the lock file could not be made.
// Called by save_settings before it reads the file.
int take_save_lock(const std::string& file);
// Removes the lock file and lets go. Called by save_settings once it is done.
void release_save_lock(int lock, const std::string& file);
