// Frame pacing: at most one redisplay every 40 ms, the first at once.
#include <gtest/gtest.h>

#include "app/frame_pacing.h"

TEST(FramePacing, FirstCallPostsAtOnceThenEvery40Ms) {
    last_frame_time = 0;
    EXPECT_EQ(frame_due(1234), 1);
    EXPECT_EQ(last_frame_time, 1234);
    EXPECT_EQ(frame_due(1235), 0);
    EXPECT_EQ(frame_due(1273), 0);
    EXPECT_EQ(last_frame_time, 1234);
    EXPECT_EQ(frame_due(1274), 1);  // exactly 40 ms later is allowed
    EXPECT_EQ(last_frame_time, 1274);
}

TEST(FramePacing, LateFramesAreNotMadeUp) {
    last_frame_time = 0;
    ASSERT_EQ(frame_due(100), 1);
    EXPECT_EQ(frame_due(500), 1);  // a long pause (a slow frame, a hidden window): one frame...
    EXPECT_EQ(frame_due(501), 0);  // ...then the normal rhythm from there, no catching up
    EXPECT_EQ(frame_due(539), 0);
    EXPECT_EQ(frame_due(540), 1);
}

TEST(FramePacing, AtMostTwentyFiveFramesInASecondOfIdleCalls) {
    last_frame_time = 0;
    int frames = 0;
    for (int ms = 1; ms <= 1000; ++ms) frames += frame_due(ms);
    EXPECT_EQ(frames, 25);
}

TEST(FramePacing, IdleWaitStopsShortOfTheFrameAndNapsWhilePolling) {
    struct Case {
        int until_due_ms, must_poll, expected_us;
    } cases[] = {
        {39, 0, 38000},  // nothing to poll: wait until the frame's last millisecond
        {39, 1, IDLE_SLEEP_LIMIT_MS * 1000},  // a pad or the remote: short naps only
        {3, 1, 2000},    {2, 0, 1000}, {2, 1, 1000},
        {1, 0, 250},     {1, 1, 250},  // the last millisecond: quarter-millisecond naps, no spinning
        {0, 0, 0},       {-5, 0, 0},   // due or late: no wait at all
    };
    for (const Case& c : cases)
        EXPECT_EQ(idle_wait_us(c.until_due_ms, c.must_poll), c.expected_us)
            << c.until_due_ms << " ms to go, polling " << c.must_poll;
}
