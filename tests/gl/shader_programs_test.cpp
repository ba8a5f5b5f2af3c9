// The water's two programs in the real rendering context: they compile and
// link, every parameter of the table is a real one, and binding hands over
// the table's values, the current matrices and the textures.
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>

#include "tests/gl/shader_test_support.h"

namespace {

using namespace shader_test;

// The table of the water's parameters: each name and the type the linked
// program must report for it.
const struct {
    const char* name;
    GLenum type;
} parameterTable[] = {{"fresnelBias", GL_FLOAT},           {"fresnelScale", GL_FLOAT},
                      {"fresnelPower", GL_FLOAT},          {"etaRatio", GL_FLOAT},
                      {"eyePositionW", GL_FLOAT_VEC3},     {"lightPosition", GL_FLOAT_VEC3},
                      {"ModelViewProj", GL_FLOAT_MAT4},    {"modelToWorld", GL_FLOAT_MAT4},
                      {"normalMap", GL_SAMPLER_2D},        {"normalizeCube", GL_SAMPLER_CUBE},
                      {"normalizeCube2", GL_SAMPLER_CUBE}, {"environmentMap", GL_SAMPLER_CUBE},
                      {"bottomMap", GL_SAMPLER_CUBE}};
const char* const samplerNames[] = {"normalMap", "normalizeCube", "normalizeCube2",
                                    "environmentMap", "bottomMap"};

class ShaderProgramsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        prepareScene();
        startWaterProgramsAfresh();
        glActiveTexture(GL_TEXTURE0);
    }
    void TearDown() override { startWaterProgramsAfresh(); }
};

// Every parameter of the table is an active uniform of the linked program,
// one of the type the table gives, as the GL reports them: one the linker
// drops would never get its value, one of another type would get it wrong.
TEST_F(ShaderProgramsTest, EveryParameterOfTheTableIsActiveWithItsType) {
    GLuint program = waterProgram();
    ASSERT_NE(program, 0u);
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    std::map<std::string, std::pair<GLenum, GLint>> active; // name: type, size
    for (GLint i = 0; i < count; ++i) {
        char name[64] = "";
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, static_cast<GLuint>(i), sizeof name, nullptr, &size, &type,
                           name);
        active[name] = {type, size};
    }
    for (const auto& parameter : parameterTable) {
        auto found = active.find(parameter.name);
        ASSERT_NE(found, active.end()) << parameter.name << " is not an active uniform";
        EXPECT_EQ(found->second.first, parameter.type) << parameter.name;
        EXPECT_EQ(found->second.second, 1) << parameter.name;
    }
}

TEST_F(ShaderProgramsTest, BindHandsOverTheTableValues) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(-30.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(-5.0f, 7.0f, -11.0f);
    for (int i = 0; i < 16; ++i)
        modelToWorldMatrix.element[i] = static_cast<float>(i + 1);
    shaderEyePosition[0] = 321.5f;

    bindShaderPrograms();
    GLuint program = currentProgram();
    ASSERT_NE(program, 0u);
    EXPECT_EQ(uniformValues(program, "fresnelBias", 1)[0], 0.6f);
    EXPECT_EQ(uniformValues(program, "fresnelScale", 1)[0], 0.5f);
    EXPECT_EQ(uniformValues(program, "fresnelPower", 1)[0], 0.7f);
    EXPECT_EQ(uniformValues(program, "etaRatio", 1)[0], 0.750243783f);
    EXPECT_EQ(uniformValues(program, "eyePositionW", 3), std::vector<float>({321.5f, 130, -135}));
    EXPECT_EQ(uniformValues(program, "lightPosition", 3), std::vector<float>({-600, 600, 194}));

    // Row-major in, so the column-major read-back is the transpose.
    std::vector<float> modelToWorld = uniformValues(program, "modelToWorld", 16);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(modelToWorld[column * 4 + row], modelToWorldMatrix.element[row * 4 + column]);

    float modelview[16];
    float projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    std::vector<float> expected = multiplyColumnMajor(projection, modelview);
    std::vector<float> modelViewProj = uniformValues(program, "ModelViewProj", 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(modelViewProj[i], expected[i], 1e-5f) << "element " << i;

    unbindShaderPrograms();
    EXPECT_EQ(currentProgram(), 0u);
    shaderEyePosition[0] = 127.0f;
}

TEST_F(ShaderProgramsTest, SamplersHoldTheirTexturesAndOnlyTheEnvironmentIsReleased) {
    bindShaderPrograms();
    GLuint program = currentProgram();
    const GLuint expected[] = {normalMapTexture, normalizeCubeTexture, normalizeCubeTexture,
                               envCubeTexture, bottomCubeTexture};
    GLint units[5];
    for (int i = 0; i < 5; ++i) {
        units[i] = samplerUnit(program, samplerNames[i]);
        EXPECT_GT(units[i], 0) << samplerNames[i];
        GLenum binding = i == 0 ? GL_TEXTURE_BINDING_2D : GL_TEXTURE_BINDING_CUBE_MAP;
        EXPECT_EQ(bindingOnUnit(units[i], binding), expected[i]) << samplerNames[i];
        for (int j = 0; j < i; ++j)
            EXPECT_NE(units[i], units[j]) << samplerNames[i] << " shares a unit";
    }
    unbindShaderPrograms();
    EXPECT_EQ(bindingOnUnit(units[3], GL_TEXTURE_BINDING_CUBE_MAP), 0u);
    EXPECT_EQ(bindingOnUnit(units[4], GL_TEXTURE_BINDING_CUBE_MAP), bottomCubeTexture);
    EXPECT_EQ(bindingOnUnit(units[0], GL_TEXTURE_BINDING_2D), normalMapTexture);
}

// While the programs are bound, the normalisation cubes are read at the
// nearest texel, the sky without blending two levels and the bottom without
// its mipmaps, through sampler objects that wrap as the textures do; the
// textures keep their own filters, and no unit holds a sampler afterwards.
TEST_F(ShaderProgramsTest, TexturesKeepTheirFiltersWhileShadingSamplesThemItsOwnWay) {
    struct Expected {
        const char* name;
        GLint ownMin, ownMag; // the texture's
        GLint min, mag;       // the sampler's while shading; 0: none
    };
    const Expected expected[] = {
        {"normalMap", GL_LINEAR, GL_LINEAR, 0, 0},
        {"normalizeCube", GL_LINEAR, GL_LINEAR, GL_NEAREST, GL_NEAREST},
        {"normalizeCube2", GL_LINEAR, GL_LINEAR, GL_NEAREST, GL_NEAREST},
        {"environmentMap", GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR},
        {"bottomMap", GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, GL_LINEAR, GL_LINEAR}};
    const GLenum settings[] = {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER, GL_TEXTURE_WRAP_S,
                               GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R};
    bindShaderPrograms();
    GLuint program = currentProgram();
    GLint active = GL_TEXTURE0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    for (const Expected& e : expected) {
        GLint unit = samplerUnit(program, e.name);
        GLenum target = std::string(e.name) == "normalMap" ? GL_TEXTURE_2D : GL_TEXTURE_CUBE_MAP;
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
        GLint own[5];
        for (int i = 0; i < 5; ++i)
            glGetTexParameteriv(target, settings[i], &own[i]);
        EXPECT_EQ(own[0], e.ownMin) << e.name;
        EXPECT_EQ(own[1], e.ownMag) << e.name;
        GLuint sampler = bindingOnUnit(unit, GL_SAMPLER_BINDING);
        ASSERT_EQ(sampler != 0, e.min != 0) << e.name;
        for (int i = 0; sampler != 0 && i < 5; ++i) {
            GLint setting = 0;
            glGetSamplerParameteriv(sampler, settings[i], &setting);
            EXPECT_EQ(setting, i == 0 ? e.min : i == 1 ? e.mag : own[i]) << e.name << " " << i;
        }
    }
    glActiveTexture(static_cast<GLenum>(active));
    unbindShaderPrograms();
    for (const Expected& e : expected)
        EXPECT_EQ(bindingOnUnit(samplerUnit(program, e.name), GL_SAMPLER_BINDING), 0u) << e.name;
}

// The eye at world (cameraX, cameraY + 7, 10), turned by pitch and heading.
// Typed out here: the tiles' view and the figures place the eye by one
// function, which this checks.
std::vector<float> waterModelViewProjection(const FrameView& view) {
    float modelview[16];
    float projection[16];
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(view.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(view.heading, 0.0f, 0.0f, 1.0f);
    glTranslated(-view.cameraX, -(view.cameraY + 7.0), -10.0);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glPopMatrix();
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    return multiplyColumnMajor(projection, modelview);
}

// The shader's eye follows the camera's x alone; its height and depth stay.
TEST_F(ShaderProgramsTest, ModelViewProjAndEyeFollowTheWaterViewOfEachFrame) {
    GLuint program = waterProgram();
    for (float turn : {40.0f, 100.0f, -217.5f}) {
        const FrameView view = {127.0 + turn, startCameraY, turn, turn / 10.0f, true};
        composeFrame(view);
        EXPECT_EQ(uniformValues(program, "eyePositionW", 3),
                  std::vector<float>({static_cast<float>(view.cameraX), 130, -135}));
        std::vector<float> expected = waterModelViewProjection(view);
        std::vector<float> actual = uniformValues(program, "ModelViewProj", 16);
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(actual[i], expected[i], 1e-6f * (1.0f + std::fabs(expected[i])))
                << "heading " << turn << " element " << i;
    }
}

// The sky dome and the shader-off water act on the active unit through the
// fixed-function enables; the shaders must leave both as they found them.
TEST_F(ShaderProgramsTest, ActiveUnitAndFixedFunctionEnablesAreLeftAsFound) {
    for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE2}) {
        glActiveTexture(unit);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_TEXTURE_CUBE_MAP);
        bindShaderPrograms();
        unbindShaderPrograms();
        GLint active = 0;
        glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
        EXPECT_EQ(static_cast<GLenum>(active), unit);
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
        glDisable(GL_TEXTURE_CUBE_MAP);
        if (unit != GL_TEXTURE0)
            glDisable(GL_TEXTURE_2D);
    }
    glActiveTexture(GL_TEXTURE0);
    GLint maxUnits = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &maxUnits);
    for (int unit = 1; unit < maxUnits; ++unit) {
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "unit " << unit;
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP)) << "unit " << unit;
    }
    glActiveTexture(GL_TEXTURE0);
}

} // namespace
