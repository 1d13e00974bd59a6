// The pilot's radio: call-outs spoken by espeak-ng into a buffer and passed
// through a narrow radio band with a little crunch and squelch.
#pragma once

#include "audio.h"

// Starts and stops the synthesiser: once per run, around all call-outs.
bool voice_open();
void voice_close();

// Speaks `words` into `out` (44.1 kHz mono). False when synthesis fails.
bool speak_radio(const char* words, Samples& out);
