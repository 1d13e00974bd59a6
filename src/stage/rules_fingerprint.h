// A fingerprint of the world's rules: the hash of three fixed games flown from
// a fixed seed with fixed input (stage/scripted_pilot.h), nothing attached.
// The first (Pilvet) survives NAV 1 by dodging, flies NAV 2 against the enemy
// fighters until it is lost, and lets its death sequence run out; the other
// two (Brantor, Vesker) switch through their guns and leave by the quit
// prompt, or start again with Enter once lost. On the way they steer by keys,
// a stick and a tilt, fire every gun set, pause, get rammed and shot, and
// destroy rocks and fighters, so a change of any rule, or of how the compiler
// rounds them, changes the fingerprint. A replay carries the fingerprint of
// the game that made it and plays wherever it is the same.
#pragma once

#include <cstdint>

#include "stage/stage_events.h"

// What the fixed games met on their way: tests hold the run to reaching
// everything it is meant to cover.
struct RulesRunReport {
    long frames_flown[2];         // frames of NAV 1, NAV 2
    long frames_paused;           // frames of the quit overlay
    int heard[STAGE_EVENT_KINDS]; // stage events by kind
    int endings[GAME_ENDING_KINDS];
    int fighters_destroyed;       // enemy fighters shot down
    int gun_modes_fired;          // bit m set: a volley of gun_mode m flew
};

// The fingerprint, flown once per process when first asked for. Called by the
// replay recorder and reader.
uint64_t rules_fingerprint();
// Flies the games afresh and gives their hash; what they met goes to `report`
// when it is not nullptr. Leaves the world, the screen state, the stars, the
// game's generator, the view and the event hook as it found them.
uint64_t fly_rules_fingerprint(RulesRunReport* report);
