#include <cmath>
#include <gtest/gtest.h>

#include "app/app_state.h"

namespace {

class FrameCounterTest : public ::testing::Test {
  protected:
    void SetUp() override { frameCounter = FrameCounter{}; }
};

TEST_F(FrameCounterTest, FirstFrameShownPublishesOne) {
    countFrame(1.0e9);
    EXPECT_EQ(frameCounter.framesPerSecond, 1);
    EXPECT_EQ(frameCounter.framesCounted, 0);
    EXPECT_DOUBLE_EQ(frameCounter.lastPublishTime, 1.0e9);
}

TEST_F(FrameCounterTest, PublishesTheRawCountAfterOneSecond) {
    countFrame(100.0);
    for (int i = 1; i <= 60; ++i)
        countFrame(100.0 + i / 60.0 - 1e-9); // 60 frames, the last just short of a second
    EXPECT_EQ(frameCounter.framesPerSecond, 1);
    countFrame(101.0);
    EXPECT_EQ(frameCounter.framesPerSecond, 61);
    EXPECT_EQ(frameCounter.framesCounted, 0);
}

TEST_F(FrameCounterTest, SlowFramesPublishEveryTime) {
    for (int i = 0; i < 5; ++i) {
        countFrame(10.0 + 1.5 * i);
        EXPECT_EQ(frameCounter.framesPerSecond, 1);
    }
}

TEST_F(FrameCounterTest, ClockSetBackPublishesNothingUntilItCatchesUp) {
    countFrame(500.0);
    countFrame(400.0); // clock set back by 100 s
    countFrame(500.5);
    EXPECT_EQ(frameCounter.framesPerSecond, 1);
    EXPECT_EQ(frameCounter.framesCounted, 2);
    countFrame(501.0);
    EXPECT_EQ(frameCounter.framesPerSecond, 3);
}

// The waves run from the start backwards in phase: a flipped sign would send
// every wave the other way.
TEST(Clock, WaveTimeIsStartMinusNow) {
    startTime = 1000.0;
    EXPECT_EQ(waveTime(1000.0), 0.0);
    EXPECT_EQ(waveTime(1002.5), -2.5);
    EXPECT_EQ(waveTime(999.0), 1.0); // a clock set back
    startTime = 0.0;
}

TEST(Clock, MillisecondResolutionNearNow) {
    double a = clockSeconds();
    double b = clockSeconds();
    EXPECT_GE(b, a);
    EXPECT_GT(a, 1.7e9); // seconds since the epoch
    double milliseconds = (a - static_cast<long long>(a)) * 1000.0;
    EXPECT_NEAR(milliseconds, std::round(milliseconds), 1e-3);
}

} // namespace
