// Small sound files made by the audio tests, and a fixture that starts the
// sound back end on SDL's dummy driver with the output meter on.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scratch_dir.h"

// A mono 16-bit 44.1 kHz WAV: a square wave of `amplitude` (0 gives silence).
std::string square_wave_wav(int milliseconds, int amplitude);
// A one-track MIDI file at one tick per millisecond: one note of `program`
// (in `bank`, when not 0) from 0 to `note_ms`, the track ending at `end_ms`.
std::string single_note_midi(int program, int note_ms, int end_ms, int bank = 0);
// A Standard MIDI File of `format` at 480 ticks a beat holding `tracks`, each
// its events with their delta times, the end-of-track added.
std::string midi_file(int format, const std::vector<std::string>& tracks);

// Loudest output sample over the next `milliseconds` (earlier output is dropped).
int output_peak_over(int milliseconds);
// Loudest output sample from now until it passes `wanted` or `milliseconds`
// have gone by: a sound that starts softly is still caught on a busy machine.
int output_peak_reaching(int wanted, int milliseconds);

// Output louder than this is sound; quieter is silence (synth tails die away below it).
constexpr int AUDIBLE_PEAK = 200;

struct SoundTest : testing::Test {
    ScratchDir dir;
    void SetUp() override;     // every game value at its start, back end started, meter on
    void TearDown() override;  // back end closed
};
