// A missing, broken or mismatched shader file: one message that names the
// file, no program ever made current, and the water drawn exactly as with
// the shaders switched off.
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include "tests/gl/shader_test_support.h"

namespace {

using namespace shader_test;

// Lines that begin a message of the shader layer.
int countMessages(const std::string& text) {
    int count = text.rfind("shader \"", 0) == 0 ? 1 : 0;
    for (std::size_t at = text.find("\nshader \""); at != std::string::npos;
         at = text.find("\nshader \"", at + 1))
        ++count;
    return count;
}

// The text with insert put after the first occurrence of after.
std::string insertedAfter(const std::string& text, const std::string& after,
                          const std::string& insert) {
    std::size_t at = text.find(after);
    return at == std::string::npos
               ? text
               : text.substr(0, at + after.size()) + insert + text.substr(at + after.size());
}

class ShaderFallbackTest : public ::testing::Test {
  protected:
    void SetUp() override { prepareScene(); }

    // Start-up in the scratch folder after the change; returns its messages.
    std::string createIn(const ScratchFolder&) {
        ::testing::internal::CaptureStderr();
        createShaderPrograms();
        return ::testing::internal::GetCapturedStderr();
    }

    // The water drawn with the shaders "on" must be the water drawn with
    // them off, and no program may be current at any point of the frame.
    void expectFixedFunctionWater() {
        bindShaderPrograms();
        EXPECT_EQ(currentProgram(), 0u);
        unbindShaderPrograms();
        FrameView view = frameViewOf(ViewerState{});
        composeFrame(view);
        int tilesOn = tilesDrawn;
        std::vector<unsigned char> on = framePixels(0, windowHeight);
        view.perPixelShading = false;
        composeFrame(view);
        std::vector<unsigned char> off = framePixels(0, windowHeight);
        EXPECT_EQ(tilesOn, 16);
        EXPECT_EQ(tilesDrawn, tilesOn);
        EXPECT_TRUE(on == off) << "mean difference " << meanDifference(on, off);
        std::vector<unsigned char> black(on.size(), 0);
        EXPECT_GT(meanDifference(on, black), 40.0) << "nothing was drawn";
    }

    void TearDown() override {
        // Working programs again for whatever runs next.
        ::testing::internal::CaptureStderr();
        createShaderPrograms();
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
};

// Missing, or something that is no regular file: a FIFO must not make the
// start-up wait for a writer.
TEST_F(ShaderFallbackTest, SourceThatCannotBeOpened) {
    enum StandsThere { nothing, fifo, folder };
    const struct {
        const char* file;
        StandsThere standsThere;
    } cases[] = {{"v.cg", nothing}, {"f.cg", fifo}, {"v.cg", folder}};
    for (const auto& with : cases) {
        SCOPED_TRACE(std::string(with.file) + " case " + std::to_string(with.standsThere));
        ScratchFolder scratch;
        fs::remove(with.file);
        if (with.standsThere == fifo) {
            ASSERT_EQ(mkfifo(with.file, 0600), 0);
        }
        if (with.standsThere == folder)
            fs::create_directory(with.file);
        std::string messages = createIn(scratch);
        EXPECT_NE(messages.find("shader \"" + std::string(with.file) + "\": cannot open the file"),
                  std::string::npos)
            << messages;
        EXPECT_EQ(countMessages(messages), 1) << messages;
        expectFixedFunctionWater();
    }
}

TEST_F(ShaderFallbackTest, FragmentProgramThatDoesNotCompile) {
    ScratchFolder scratch;
    writeFile("f.cg", "#version 120\nvoid frag() { gl_FragColor = undeclaredColour; }\n"
                      "void main() { frag(); }\n");
    std::string messages = createIn(scratch);
    EXPECT_NE(messages.find("shader \"f.cg\": does not compile:"), std::string::npos) << messages;
    // The compiler's log follows, naming the culprit.
    EXPECT_NE(messages.find("undeclaredColour"), std::string::npos) << messages;
    EXPECT_EQ(countMessages(messages), 1) << messages;
    expectFixedFunctionWater();
}

TEST_F(ShaderFallbackTest, ProgramsThatDoNotLinkTogether) {
    ScratchFolder scratch;
    // Reads a varying that the vertex program never writes.
    std::string fragment = readFile("f.cg");
    fragment = insertedAfter(fragment, "#extension GL_ARB_shader_texture_lod : require\n",
                             "varying vec3 neverWritten;\n");
    fragment = insertedAfter(fragment, "gl_FragColor);", "\n    gl_FragColor.rgb += neverWritten;");
    writeFile("f.cg", fragment);
    std::string messages = createIn(scratch);
    EXPECT_NE(messages.find("shader \"v.cg\": does not link with \"f.cg\""), std::string::npos)
        << messages;
    EXPECT_NE(messages.find("neverWritten"), std::string::npos) << messages;
    EXPECT_EQ(countMessages(messages), 1) << messages;
    expectFixedFunctionWater();
}

} // namespace
