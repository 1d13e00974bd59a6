#include "input/wiimote_orientation.h"

#include <cmath>

namespace {

constexpr float DEGREES_PER_RADIAN = 57.29577951308232f;

// An angle difference brought into -180..180, so that smoothing across the
// upside-down point takes the short way round.
float wrapped(float degrees) {
    while (degrees > 180.0f) degrees -= 360.0f;
    while (degrees < -180.0f) degrees += 360.0f;
    return degrees;
}

}  // namespace

void tilt_filter_reset(TiltFilter* filter) { *filter = TiltFilter{}; }

void tilt_from_accel(int32_t x, int32_t y, int32_t z, float* roll, float* pitch) {
    float gx = static_cast<float>(x) / ACCEL_ONE_G;
    float gy = static_cast<float>(y) / ACCEL_ONE_G;
    float gz = static_cast<float>(z) / ACCEL_ONE_G;
    *roll = std::atan2(gx, gz) * DEGREES_PER_RADIAN;
    *pitch = std::atan2(gy, gz) * DEGREES_PER_RADIAN;
}

int tilt_filter_update(TiltFilter* filter, int32_t x, int32_t y, int32_t z) {
    float gx = static_cast<float>(x) / ACCEL_ONE_G;
    float gy = static_cast<float>(y) / ACCEL_ONE_G;
    float gz = static_cast<float>(z) / ACCEL_ONE_G;
    if (gx * gx + gy * gy + gz * gz < ACCEL_MIN_G * ACCEL_MIN_G) return 0;

    float roll, pitch;
    tilt_from_accel(x, y, z, &roll, &pitch);
    if (!filter->primed) {
        filter->primed = 1;
        filter->roll = filter->reported_roll = roll;
        filter->pitch = filter->reported_pitch = pitch;
        return 1;
    }
    filter->roll = wrapped(filter->roll + TILT_SMOOTHING_ALPHA * wrapped(roll - filter->roll));
    filter->pitch = wrapped(filter->pitch + TILT_SMOOTHING_ALPHA * wrapped(pitch - filter->pitch));
    if (std::fabs(wrapped(filter->roll - filter->reported_roll)) < TILT_REPORT_THRESHOLD &&
        std::fabs(wrapped(filter->pitch - filter->reported_pitch)) < TILT_REPORT_THRESHOLD)
        return 0;
    filter->reported_roll = filter->roll;
    filter->reported_pitch = filter->pitch;
    return 1;
}
