// A replay checked with nothing attached: the simulation alone flies its game
// as fast as it goes, fed by the replay's records and judged by
// verify/replay_flight, with no window, sound or input device. This is what
// korvane-verify does for each file it is given.
#pragma once

#include <string>

#include "verify/replay_flight.h"

// Flies `replay` through the simulation alone and gives its verdict. A game
// that would not end by its own rules stops one frame past its recorded end.
// `after_frame`, when given, is called after each frame that leaves its game
// in progress (tests compare the world there with the window's playback).
// The stage's view and event hook are put back as they were; the world is
// left as the flight left it.
ReplayVerdict fly_replay_alone(const Replay& replay, void (*after_frame)() = nullptr);

// Reads the replay at `path`, flies it and gives the line that says how it
// came out, the path as given and the file's texts printable:
//   PATH: verified: PROFILE, FIGHTER, SCORE points, N frames
//   PATH: refused: REASON
//   PATH: parted from the recording at frame N
// *verified is set to whether it verified.
std::string verify_replay_file(const std::string& path, bool* verified);
