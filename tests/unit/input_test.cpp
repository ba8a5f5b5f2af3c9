#include <gtest/gtest.h>
#include <utility>

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

// As the frame reads them: on when equal to toggleOn.
TEST_F(InputTest, EachPressTurnsItsToggleOverAndRedisplaysOnce) {
    const std::pair<int, int*> toggles[] = {{' ', &viewer.shadersEnabled},
                                            {'c', &viewer.statsVisible}};
    for (auto [key, toggle] : toggles) {
        const bool wasOn = *toggle == toggleOn;
        redisplayRequests = 0;
        handleKey(key);
        EXPECT_NE(*toggle == toggleOn, wasOn) << static_cast<char>(key);
        handleKey(key);
        EXPECT_EQ(*toggle == toggleOn, wasOn) << static_cast<char>(key);
        EXPECT_EQ(redisplayRequests, 2);
    }
    EXPECT_TRUE(viewer.shadersEnabled == toggleOn) << "the shading starts on";
    EXPECT_FALSE(viewer.statsVisible == toggleOn) << "the counters start hidden";
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

// Whatever was pressed and dragged before, a drag with any button turns the
// view by the distance moved since that button went down.
TEST_F(InputTest, EveryButtonsDragStartsWhereItWentDown) {
    const int toolkitButtons[] = {leftButton, 1, 2}; // left, middle, right
    for (int button : toolkitButtons) {
        viewer = ViewerState{};
        drag(50, 50, 58, 50); // an earlier left drag: 1 degree right
        onMouse(leftButton, buttonUp, 58, 50);
        onMouse(button, buttonDown, 400, 300);
        onMotion(416, 308);
        EXPECT_FLOAT_EQ(viewer.heading, 43.0f) << "button " << button;
        EXPECT_FLOAT_EQ(viewer.pitch, 1.0f) << "button " << button;
        redisplayRequests = 0;
        onMouse(button, buttonUp, 10, 10); // the release only redraws
        onMotion(424, 308);
        EXPECT_FLOAT_EQ(viewer.heading, 44.0f) << "button " << button;
        EXPECT_EQ(redisplayRequests, 2);
    }
}

} // namespace
