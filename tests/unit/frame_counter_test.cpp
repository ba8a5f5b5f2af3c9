#include <algorithm>
#include <cmath>
#include <ctime>
#include <gtest/gtest.h>
#include <unistd.h>

#include "app/app_state.h"

namespace {

class FrameCounterTest : public ::testing::Test {
  protected:
    void SetUp() override { frameCounter = FrameCounter{}; }
};

// At a steady rate the figure shown is the number of frames in the last
// second: the rate or one more, as the second's boundaries fall; below one
// frame a second every frame publishes 1. The very first frame shows 1.
TEST_F(FrameCounterTest, SteadyRateShowsTheFramesOfTheLastSecond) {
    for (double rate : {60.0, 144.0, 7.0, 0.4}) {
        frameCounter = FrameCounter{};
        const double start = 86400.0 + 0.37; // a reading a day after boot
        countFrame(start);
        EXPECT_EQ(frameCounter.framesPerSecond, 1) << rate;
        const int whole = static_cast<int>(rate);
        for (int frame = 1; frame < 10 * rate + 3; ++frame) {
            countFrame(start + frame / rate);
            if (frame <= rate + 1)
                continue; // the first second after the very first frame
            EXPECT_TRUE(frameCounter.framesPerSecond == std::max(whole, 1) ||
                        frameCounter.framesPerSecond == whole + 1)
                << frameCounter.framesPerSecond << " at " << rate << " frames a second";
        }
    }
}

TEST_F(FrameCounterTest, EarlierReadingPublishesNothingUntilASecondPastTheLast) {
    countFrame(500.0);
    countFrame(400.0);
    countFrame(500.5);
    EXPECT_EQ(frameCounter.framesPerSecond, 1);
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

// The clock is the system's monotonic one, which no setting of the date
// moves, read to whole milliseconds.
TEST(Clock, ReadsTheMonotonicClockToTheMillisecond) {
    auto monotonic = [] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    };
    const double before = monotonic();
    const double reading = clockSeconds();
    const double after = monotonic();
    EXPECT_GE(reading, before - 0.001);
    EXPECT_LE(reading, after);
    double milliseconds = (reading - static_cast<long long>(reading)) * 1000.0;
    EXPECT_NEAR(milliseconds, std::round(milliseconds), 1e-3);
    // One second a second: a quarter of a second later it has moved on by
    // the monotonic clock's quarter, less at most the millisecond each
    // reading cuts off.
    usleep(250000);
    const double laterBefore = monotonic();
    const double later = clockSeconds();
    const double laterAfter = monotonic();
    EXPECT_GE(later - reading, laterBefore - after - 0.001);
    EXPECT_LE(later - reading, laterAfter - before + 0.001);
}

// The fixed sea's clock runs backwards from its wave time, one second a
// second; a millisecond is off by no more than the rounding of a time near
// 7.25 (an ulp of it, 8.9e-16, twice).
TEST(Clock, FixedSeaTimeFallsOneSecondASecond) {
    EXPECT_EQ(fixedSeaWaveTimeAfter(0.0), fixedSeaWaveTime);
    EXPECT_EQ(fixedSeaWaveTimeAfter(2.5) - fixedSeaWaveTime, -2.5);
    EXPECT_NEAR(fixedSeaWaveTimeAfter(0.001) - fixedSeaWaveTime, -0.001, 2e-15);
}

} // namespace
