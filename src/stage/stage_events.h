// What leaves the world: every sound, rumble, notice and ending that the
// stage's rules set off outside the world goes out through one hook, at the
// moment it happens and in that order. The game carries the events out
// (app/stage_link.cpp); a run with nothing attached leaves the hook empty and
// the world steps all the same. The hook is called synchronously: an ending
// resets the world in the middle of a frame, and the rest of that frame runs
// on the reset values.
#pragma once

// The four ways a game ends; each decides whether the score enters the table
// and what happens to the remote's motion sensing.
enum GameEnding {
    ENDING_DESTROYED,      // the death sequence ran out: the score enters if above 0
    ENDING_STAGE_FLOWN,    // NAV 2's fly-out ended: the score enters whatever it is
    ENDING_QUIT,           // Y in the quit overlay: the score enters if the fighter was lost
    ENDING_RESTART,        // Enter on a lost fighter: the score enters, a new game starts at NAV 1
};
constexpr int GAME_ENDING_KINDS = ENDING_RESTART + 1;

enum StageEventKind {
    STAGE_SOUND,             // `text`: the effect file to play
    STAGE_MUSIC,             // a stage's first frame of a visit: the stage's song
    STAGE_GAME_BEGINS,       // NAV 1's set-up, first of all: the game's record and its draws begin here
    STAGE_NAV_SET_UP,        // a NAV's set-up, last of all: the remote shows LEDs 1 and 4
    STAGE_HULL_HIT,          // a hit got through to the hull: the pad's short rumble
    STAGE_PLAYER_DESTROYED,  // the death sequence begins: the pad's long rumble
    STAGE_NOTICE,            // `text` on the notice line for `value` frames
    STAGE_GAME_ENDS,         // `value` is the GameEnding: the score, the reset, the next screen
    STAGE_GAME_RESET,        // reset_game's last step: the main menu's cursor, the notice line, the remote
};
constexpr int STAGE_EVENT_KINDS = STAGE_GAME_RESET + 1;

struct StageEvent {
    StageEventKind kind;
    const char* text;  // STAGE_SOUND, STAGE_NOTICE; otherwise nullptr
    int value;         // STAGE_NOTICE, STAGE_GAME_ENDS; otherwise 0
};

// Where the events go; nullptr drops them. Set by the game at start-up.
extern void (*stage_event_hook)(const StageEvent& event);

// Hands one event to the hook. Called by the stage's rules only.
void stage_event(StageEventKind kind, const char* text = nullptr, int value = 0);
// The same, by what happened.
inline void stage_sound(const char* path) { stage_event(STAGE_SOUND, path); }
inline void stage_notice(int frames, const char* text) { stage_event(STAGE_NOTICE, text, frames); }
inline void stage_game_ends(GameEnding ending) { stage_event(STAGE_GAME_ENDS, nullptr, ending); }
