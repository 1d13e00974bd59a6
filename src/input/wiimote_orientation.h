// How a remote library turns accelerometer readings into the roll and pitch it
// reports: angles from gravity over the calibrated axes, smoothed, and handed
// out only when they moved by at least a threshold. Used by the bridge library;
// kept here beside the interface it serves so that it is tested with the engine.
#pragma once

#include <cstdint>

// Accelerometer units per g as the kernel's driver reports them (raw reading
// less its 0x200 zero point).
constexpr float ACCEL_ONE_G = 100.0f;
// Readings much weaker than gravity (free fall, a throw) say nothing about tilt.
constexpr float ACCEL_MIN_G = 0.3f;
// Share of each new reading in the smoothed angle (the rest is the old angle).
constexpr float TILT_SMOOTHING_ALPHA = 0.07f;
// Degrees the smoothed tilt must move before it is reported again.
constexpr float TILT_REPORT_THRESHOLD = 0.5f;

struct TiltFilter {
    int primed;                // 0 until the first usable reading
    float roll, pitch;         // smoothed angles, degrees, -180..180
    float reported_roll;       // the angles last handed out
    float reported_pitch;
};

// Forgets the history (motion sensing switched off or on again).
void tilt_filter_reset(TiltFilter* filter);

// Unsmoothed angles of one reading in degrees: roll = atan2(x, z) about the
// remote's long axis, pitch = atan2(y, z), nose up positive.
void tilt_from_accel(int32_t x, int32_t y, int32_t z, float* roll, float* pitch);

// Feeds one reading. Returns 1 when the smoothed tilt has moved at least the
// threshold since it was last reported (or this is the first reading); the
// caller then reports filter->roll and filter->pitch.
int tilt_filter_update(TiltFilter* filter, int32_t x, int32_t y, int32_t z);
