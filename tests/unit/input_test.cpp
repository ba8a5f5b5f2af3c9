#include <gtest/gtest.h>

#include "app/app_state.h"
#include "tests/unit/test_support.h"

namespace {

class InputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        viewer = ViewerState{};
        redisplayRequests = 0;
    }
    void drag(int fromX, int fromY, int toX, int toY) {
        onMouse(leftButton, buttonDown, fromX, fromY);
        onMotion(toX, toY);
    }
};

TEST_F(InputTest, TogglesFlipAndRequestOneRedisplayEach) {
    handleKey(' ');
    EXPECT_EQ(viewer.shadersEnabled, 1);
    EXPECT_EQ(redisplayRequests, 1);
    handleKey(' ');
    EXPECT_EQ(viewer.shadersEnabled, -1);
    handleKey('c');
    EXPECT_EQ(viewer.statsVisible, -1);
    handleKey('c');
    EXPECT_EQ(viewer.statsVisible, 1);
    EXPECT_EQ(redisplayRequests, 4);
}

TEST_F(InputTest, OtherKeysChangeNothing) {
    for (int key : {67, 97, 0, 13, 255}) {
        onKeyboard(static_cast<unsigned char>(key), 10, 10);
    }
    EXPECT_EQ(viewer.shadersEnabled, -1);
    EXPECT_EQ(viewer.statsVisible, 1);
    EXPECT_EQ(redisplayRequests, 0);
}

TEST_F(InputTest, EscapeEndsWithStatusZero) {
    EXPECT_EXIT(handleKey(27), ::testing::ExitedWithCode(0), "");
}

TEST_F(InputTest, DragTurnsOneEighthDegreePerPixel) {
    drag(100, 100, 180, 100);
    EXPECT_FLOAT_EQ(viewer.heading, 50.0f);
    EXPECT_FLOAT_EQ(viewer.pitch, 0.0f);
    onMotion(180, 108); // continues from the last motion step
    EXPECT_FLOAT_EQ(viewer.pitch, 1.0f);
    EXPECT_FLOAT_EQ(viewer.heading, 50.0f);
}

TEST_F(InputTest, MotionAtTheRecordedPositionStillRedisplays) {
    onMouse(leftButton, buttonDown, 300, 200);
    redisplayRequests = 0;
    onMotion(300, 200);
    EXPECT_FLOAT_EQ(viewer.heading, 40.0f);
    EXPECT_FLOAT_EQ(viewer.pitch, 0.0f);
    EXPECT_EQ(redisplayRequests, 1);
}

TEST_F(InputTest, PitchClampPutsBackEightyNine) {
    viewer.pitch = 90.0f - 0.5f;
    drag(0, 0, 0, 8); // +1 degree: 90.5
    EXPECT_FLOAT_EQ(viewer.pitch, 89.0f);

    viewer.pitch = -94.0f + 1.0f;
    drag(0, 16, 0, 0); // -2 degrees: -95
    EXPECT_FLOAT_EQ(viewer.pitch, -89.0f);

    viewer.pitch = 89.0f;
    drag(0, 0, 0, 8); // lands exactly on 90
    EXPECT_FLOAT_EQ(viewer.pitch, 90.0f);
    viewer.pitch = -89.0f;
    drag(0, 8, 0, 0); // exactly -90
    EXPECT_FLOAT_EQ(viewer.pitch, -90.0f);
}

TEST_F(InputTest, HeadingIsNeitherWrappedNorClamped) {
    drag(0, 0, 8 * 1000, 0);
    EXPECT_FLOAT_EQ(viewer.heading, 1040.0f);
}

TEST_F(InputTest, OnlyTheLeftPressRecordsTheStartPoint) {
    onMouse(leftButton, buttonDown, 50, 50);
    onMouse(2, buttonDown, 400, 400); // right press records nothing
    EXPECT_FLOAT_EQ(viewer.lastPointerX, 50.0f);
    onMotion(58, 50); // measured from the left press
    EXPECT_FLOAT_EQ(viewer.heading, 41.0f);
    redisplayRequests = 0;
    onMouse(leftButton, buttonUp, 10, 10); // release keeps the recorded point
    EXPECT_FLOAT_EQ(viewer.lastPointerX, 58.0f);
    EXPECT_EQ(redisplayRequests, 1);
}

} // namespace
