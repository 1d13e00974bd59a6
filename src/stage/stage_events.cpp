#include "stage/stage_events.h"

void (*stage_event_hook)(const StageEvent& event) = nullptr;

void stage_event(StageEventKind kind, const char* text, int value) {
    if (stage_event_hook) stage_event_hook(StageEvent{kind, text, value});
}
