// The shader layer on small programs of its own: what counts as a parameter,
// when values reach the linked pair, which program is current when, and
// what the layer leaves alone.
#include <gtest/gtest.h>

#include "render/shader_runtime.h"
#include "tests/gl/shader_test_support.h"

namespace {

using namespace shader_test;

const char* const vertexSource = R"(#version 120
uniform mat4 transform;
uniform float spread, unusedScale; // two on one line, one never used
uniform vec3 offset;
varying vec2 carried;
void vert(vec4 position,      // from gl_Vertex
          vec2 coordinate,
          out vec4 clipPosition, out vec2 handedOn)
{
    clipPosition = transform * position + vec4(offset * spread, 0.0);
    handedOn = coordinate;
}
void main() { vert(gl_Vertex, gl_MultiTexCoord0.xy, gl_Position, carried); }
)";

const char* const fragmentSource = R"(#version 120
uniform sampler2D picture;
uniform samplerCube surroundings;
varying vec2 carried;
void frag(vec2 handedOn, out vec4 colour)
{
    colour = texture2D(picture, handedOn) + textureCube(surroundings, vec3(handedOn, 1.0));
}
void main() { frag(carried, gl_FragColor); }
)";

class ShaderRuntimeTest : public ::testing::Test {
  protected:
    ScratchFolder scratch;
    ShaderContext context = 0;
    ShaderProfile vertexProfile = shaderNoProfile;
    ShaderProfile fragmentProfile = shaderNoProfile;
    ShaderProgram vertex = 0;
    ShaderProgram fragment = 0;

    void SetUp() override {
        writeFile("small.vert", vertexSource);
        writeFile("small.frag", fragmentSource);
        context = shaderCreateContext();
        vertexProfile = shaderLatestProfile(shaderVertexStage);
        fragmentProfile = shaderLatestProfile(shaderFragmentStage);
        vertex = shaderCompileProgramFromFile(context, "small.vert", vertexProfile, "vert");
        fragment = shaderCompileProgramFromFile(context, "small.frag", fragmentProfile, "frag");
        ASSERT_TRUE(shaderLoadProgram(vertex));
        ASSERT_TRUE(shaderLoadProgram(fragment));
        ASSERT_TRUE(shaderLinkPrograms(vertex, fragment));
    }

    void TearDown() override { startWaterProgramsAfresh(); }

    void useBoth() {
        shaderEnableProfile(vertexProfile);
        shaderEnableProfile(fragmentProfile);
        shaderBindProgram(vertex);
        shaderBindProgram(fragment);
    }

    // The value of "spread" in the program, written behind the layer's back.
    static void overwriteSpread(GLuint program, float value) {
        glUniform1f(glGetUniformLocation(program, "spread"), value);
    }
};

// Names the linker keeps no uniform for (entry parameters, varyings, an
// unused uniform) are parameters too, that hold nothing.
TEST_F(ShaderRuntimeTest, ParametersAreTheNamesTheSourceMentions) {
    EXPECT_NE(vertexProfile, shaderNoProfile);
    EXPECT_NE(fragmentProfile, vertexProfile);
    for (const char* name : {"position", "coordinate", "clipPosition", "handedOn", "transform",
                             "spread", "unusedScale", "offset", "carried"})
        EXPECT_NE(shaderNamedParameter(vertex, name), 0) << name;
    EXPECT_EQ(shaderNamedParameter(vertex, "spread"), shaderNamedParameter(vertex, "spread"));
    for (const char* name : {"handedOn", "colour", "picture", "surroundings"})
        EXPECT_NE(shaderNamedParameter(fragment, name), 0) << name;
    // Samplers on units of their own, none of them the fixed-function unit 0.
    int picture = shaderTextureUnit(shaderNamedParameter(fragment, "picture"));
    EXPECT_GE(picture, shaderFirstSamplerUnit);
    EXPECT_NE(shaderTextureUnit(shaderNamedParameter(fragment, "surroundings")), picture);
    EXPECT_EQ(shaderTextureUnit(shaderNamedParameter(vertex, "spread")), -1);

    ::testing::internal::CaptureStderr();
    // The other stage's, one the source lacks, and words that are no names.
    for (const char* name : {"picture", "sprea", "spread|offset", "(", ""})
        EXPECT_EQ(shaderNamedParameter(vertex, name), 0) << name;
    EXPECT_EQ(shaderNamedParameter(vertex, nullptr), 0);
    EXPECT_EQ(shaderNamedParameter(0, "picture"), 0);
    std::string messages = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("shader \"small.vert\": has no parameter \"picture\"\n"),
              std::string::npos)
        << messages;
    EXPECT_NE(messages.find("shader \"small.vert\": has no parameter \"spread|offset\"\n"),
              std::string::npos)
        << messages;
    EXPECT_EQ(messages.find("\"small.frag\""), std::string::npos) << messages;
}

TEST_F(ShaderRuntimeTest, ValuesReachThePairOnceAndOnlyWhenTheyChange) {
    ShaderParameter spread = shaderNamedParameter(vertex, "spread");
    ShaderParameter offset = shaderNamedParameter(vertex, "offset");
    shaderSetParameter1f(spread, 2.5f);
    shaderSetParameter1f(shaderNamedParameter(vertex, "unusedScale"), 4.0f); // goes nowhere
    useBoth();
    GLuint pair = currentProgram();
    ASSERT_NE(pair, 0u);
    EXPECT_FLOAT_EQ(uniformValues(pair, "spread", 1)[0], 2.5f);

    // The same value again is not sent again, a new one is at once.
    overwriteSpread(pair, -1.0f);
    shaderSetParameter1f(spread, 2.5f);
    EXPECT_FLOAT_EQ(uniformValues(pair, "spread", 1)[0], -1.0f);
    shaderSetParameter1f(spread, 3.5f);
    EXPECT_FLOAT_EQ(uniformValues(pair, "spread", 1)[0], 3.5f);

    // A pair made current again gets what changed meanwhile, and only that.
    const float shift[3] = {1.0f, -2.0f, 3.0f};
    overwriteSpread(pair, -1.0f);
    shaderDisableProfile(fragmentProfile);
    shaderDisableProfile(vertexProfile);
    shaderSetParameter3fv(offset, shift);
    useBoth();
    EXPECT_EQ(currentProgram(), pair);
    EXPECT_EQ(uniformValues(pair, "offset", 3), std::vector<float>({1.0f, -2.0f, 3.0f}));
    EXPECT_FLOAT_EQ(uniformValues(pair, "spread", 1)[0], -1.0f);

    // A setter of the wrong type leaves the value alone.
    shaderSetParameter1f(offset, 9.0f);
    shaderSetParameter3fv(spread, shift);
    EXPECT_EQ(uniformValues(pair, "offset", 3), std::vector<float>({1.0f, -2.0f, 3.0f}));
}

// Binding a pair passes through no lone stage, and undoing it neither.
TEST_F(ShaderRuntimeTest, OnlyTheCompletePairBecomesCurrent) {
    shaderEnableProfile(vertexProfile);
    shaderBindProgram(vertex);
    shaderBindProgram(fragment); // while its profile is off: waits for the enable
    EXPECT_EQ(currentProgram(), 0u) << "the vertex program alone became current";
    shaderEnableProfile(fragmentProfile);
    GLuint pair = currentProgram();
    ASSERT_NE(pair, 0u);
    shaderDisableProfile(fragmentProfile);
    EXPECT_EQ(currentProgram(), 0u) << "the vertex program alone stayed current";
    shaderEnableProfile(fragmentProfile);
    EXPECT_EQ(currentProgram(), pair) << "the bound programs were not kept or linked anew";

    // Another fragment program is linked in place of the first and gets the
    // values, its sampler too though looked up before the link.
    writeFile("other.frag", fragmentSource);
    ShaderProgram other =
        shaderCompileProgramFromFile(context, "other.frag", fragmentProfile, "frag");
    ShaderParameter picture = shaderNamedParameter(other, "picture");
    EXPECT_EQ(shaderTextureUnit(picture), -1);
    shaderSetParameter1f(shaderNamedParameter(vertex, "spread"), 7.0f);
    shaderBindProgram(other);
    GLuint otherPair = currentProgram();
    EXPECT_NE(otherPair, 0u);
    EXPECT_NE(otherPair, pair);
    EXPECT_FLOAT_EQ(uniformValues(otherPair, "spread", 1)[0], 7.0f);
    EXPECT_GE(shaderTextureUnit(picture), shaderFirstSamplerUnit);
    EXPECT_EQ(samplerUnit(otherPair, "picture"), shaderTextureUnit(picture));
    shaderDisableProfile(fragmentProfile);
    shaderDisableProfile(vertexProfile);
    EXPECT_EQ(currentProgram(), 0u);
}

TEST_F(ShaderRuntimeTest, NullHandlesAndANewContextLeaveNothingBehind) {
    shaderSetParameter1f(0, 1.0f);
    shaderSetParameter3fv(-4, nullptr);
    shaderSetMatrixParameterRowMajor(99999, nullptr);
    shaderSetTextureParameter(0, 5);
    shaderEnableTextureParameter(0);
    shaderDisableTextureParameter(12345);
    shaderBindProgram(0);
    shaderEnableProfile(shaderNoProfile);
    EXPECT_FALSE(shaderLoadProgram(0));
    EXPECT_FALSE(shaderLinkPrograms(0, fragment));
    EXPECT_FALSE(shaderLinkPrograms(fragment, vertex)); // stages the wrong way round
    EXPECT_EQ(currentProgram(), 0u);

    useBoth();
    ShaderParameter spread = shaderNamedParameter(vertex, "spread");
    EXPECT_EQ(shaderCreateContext(), context);
    EXPECT_EQ(currentProgram(), 0u);
    // The old handles are null now: nothing is bound or found through them.
    shaderEnableProfile(vertexProfile);
    shaderBindProgram(vertex);
    shaderSetParameter1f(spread, 1.0f);
    EXPECT_EQ(currentProgram(), 0u);
    EXPECT_EQ(shaderNamedParameter(vertex, "spread"), 0);
    shaderDisableProfile(vertexProfile);
}

TEST_F(ShaderRuntimeTest, UnreadableSourcesGiveOneMessageAndNoProgram) {
    writeFile("empty.frag", "");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(shaderCompileProgramFromFile(context, "absent.frag", fragmentProfile, "frag"), 0);
    EXPECT_EQ(shaderCompileProgramFromFile(context, "empty.frag", fragmentProfile, "frag"), 0);
    EXPECT_EQ(shaderCompileProgramFromFile(context, "small.frag", fragmentProfile, "fr(ag"), 0);
    EXPECT_EQ(shaderCompileProgramFromFile(context, "small.frag", shaderNoProfile, "frag"), 0);
    std::string messages = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("shader \"absent.frag\": cannot open the file\n"), std::string::npos);
    EXPECT_NE(messages.find("shader \"empty.frag\": does not compile:\n"), std::string::npos);
    EXPECT_NE(messages.find("shader \"small.frag\": has no entry function \"void fr(ag(...)\""),
              std::string::npos);
    EXPECT_NE(messages.find("shader \"small.frag\": cannot be compiled: no shader support"),
              std::string::npos)
        << messages;
}

} // namespace
