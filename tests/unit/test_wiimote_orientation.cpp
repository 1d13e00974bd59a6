// The bridge's tilt from accelerometer readings: angles, smoothing, threshold.
#include <gtest/gtest.h>

#include <cmath>

#include "input/wiimote_orientation.h"

namespace {

constexpr int32_t G = static_cast<int32_t>(ACCEL_ONE_G);

// Feeds the same reading until the filter has (nearly) caught up.
void settle(TiltFilter* filter, int32_t x, int32_t y, int32_t z) {
    for (int i = 0; i < 400; ++i) tilt_filter_update(filter, x, y, z);
}

}  // namespace

TEST(RemoteTilt, AnglesFollowGravityOverTheRemotesAxes) {
    float roll, pitch;
    tilt_from_accel(0, 0, G, &roll, &pitch);  // lying flat, face up
    EXPECT_FLOAT_EQ(roll, 0.0f);
    EXPECT_FLOAT_EQ(pitch, 0.0f);

    tilt_from_accel(0, -G, G, &roll, &pitch);  // nose down by 45 degrees
    EXPECT_NEAR(pitch, -45.0f, 1e-4);
    EXPECT_NEAR(roll, 0.0f, 1e-4);

    tilt_from_accel(G, 0, 0, &roll, &pitch);  // on its side
    EXPECT_NEAR(roll, 90.0f, 1e-4);

    tilt_from_accel(0, 0, -G, &roll, &pitch);  // upside down
    EXPECT_NEAR(std::fabs(roll), 180.0f, 1e-4);
}

TEST(RemoteTilt, FirstReadingIsReportedAtOnceThenChangesAreSmoothed) {
    TiltFilter filter{};
    ASSERT_EQ(tilt_filter_update(&filter, 0, -G, G), 1);
    EXPECT_NEAR(filter.pitch, -45.0f, 1e-4);

    // A sudden level remote moves the smoothed angle only by a share of the jump.
    ASSERT_EQ(tilt_filter_update(&filter, 0, 0, G), 1);
    EXPECT_NEAR(filter.pitch, -45.0f + 45.0f * TILT_SMOOTHING_ALPHA, 1e-3);
    settle(&filter, 0, 0, G);
    EXPECT_NEAR(filter.pitch, 0.0f, 0.1f);
}

TEST(RemoteTilt, SmallMovementsBelowTheThresholdAreNotReported) {
    TiltFilter filter{};
    settle(&filter, 0, 0, G);
    float reported = filter.reported_pitch;
    // 1 unit of y is about 0.6 degrees raw, so well under the threshold once smoothed.
    int reports = 0;
    for (int i = 0; i < 3; ++i) reports += tilt_filter_update(&filter, 0, 1, G);
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(filter.reported_pitch, reported);

    // A held tilt is reported as it builds up, then falls silent once settled.
    reports = 0;
    for (int i = 0; i < 200; ++i) reports += tilt_filter_update(&filter, 0, G, G);
    EXPECT_GT(reports, 5);
    EXPECT_NEAR(filter.reported_pitch, 45.0f, TILT_REPORT_THRESHOLD + 0.01f);
    EXPECT_EQ(tilt_filter_update(&filter, 0, G, G), 0);
}

TEST(RemoteTilt, SmoothingTakesTheShortWayRoundUpsideDown) {
    TiltFilter filter{};
    settle(&filter, 17, 0, -G);  // roll just short of +170
    ASSERT_GT(filter.roll, 165.0f);
    tilt_filter_update(&filter, -17, 0, -G);  // just past -170: 20 degrees on, not 340 back
    EXPECT_TRUE(filter.roll > 165.0f || filter.roll < -178.0f) << filter.roll;
    settle(&filter, -17, 0, -G);
    EXPECT_NEAR(filter.roll, -170.4f, 0.3f);
}

TEST(RemoteTilt, ReadingsWithoutGravityAndResetsAreHandled) {
    TiltFilter filter{};
    EXPECT_EQ(tilt_filter_update(&filter, 0, 0, 0), 0) << "free fall says nothing about tilt";
    EXPECT_EQ(filter.primed, 0);
    settle(&filter, 0, G, G);
    tilt_filter_reset(&filter);
    ASSERT_EQ(tilt_filter_update(&filter, 0, -G, G), 1);
    EXPECT_NEAR(filter.pitch, -45.0f, 1e-4) << "after a reset the first reading counts whole";
}
