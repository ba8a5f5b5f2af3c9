// Runs the GL tests inside one real window and rendering context, the size of
// the viewer's.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "render/render_state.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    glutInit(&argc, argv);
    openWindow("gl_tests", windowWidth, windowHeight);
    readTextureLimits();
    return RUN_ALL_TESTS();
}
