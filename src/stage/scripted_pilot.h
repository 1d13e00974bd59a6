// A pilot for runs with nobody at the controls: the rules' fingerprint flies
// its fixed games with it, and the benchmarks record long games with it. It
// reads the world and presses what a player would, as input records handed to
// `send`: the stage's own apply_stage_record, or the game's input stream (so
// that the game records them). Its arrows come from the keyboard, a stick or
// a tilt by turns, so every way of steering is flown.
#pragma once

#include "stage/stage_input.h"

// Where the pilot takes the fighter.
enum PilotAim {
    PILOT_DODGES,      // the clearest place under the rocks and shots, high enough that a ram cannot push it off the bottom
    PILOT_FIGHTS,      // under the enemy fighter, low
    PILOT_TAKES_FIRE,  // close under the enemy fighter's guns
    PILOT_RAMS,        // into the lowest rock, on the bottom line
};

struct ScriptedPilot {
    void (*send)(const InputRecord& record);
    int held_x, held_y;  // the arrow each axis holds (a game key), 0 none
    int device;          // whose turn it is to steer: keys, stick, tilt
};

// The pilot's input before frame `frame`: the arrows toward where `aim` wants
// the fighter, by the device whose turn it is then, and Space when `fire`.
// Called before each frame of stage play while the fighter is intact.
void fly_scripted_pilot(ScriptedPilot* pilot, long frame, PilotAim aim, bool fire);
// Lets go of the arrow held across. Called in the quit prompt, which ignores it.
void pilot_lets_go_across(ScriptedPilot* pilot, long frame);
