// Helpers of the shader tests: a scene to draw, a scratch folder to run
// start-up in, and the uniforms and pixels to look at afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "ocean/ocean_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"

namespace shader_test {

namespace fs = std::filesystem;

// Start values of the viewer, the scene state, the textures made from the
// run folder's files and one still step of the sea. Textures are made once
// per test program: the start-up makes them once too.
inline void prepareScene() {
    static bool texturesMade = false;
    startSceneAfresh();
    if (!texturesMade) {
        makeSkyAndGeneratedTextures();
        loadCubeMaps();
        texturesMade = true;
    }
    seedRandom(11);
    initWaveSpectrum();
    simulationStep(-2.0);
    updateNormalMapTexture();
}

// The shader layer started afresh with the water's programs, as start-up
// leaves it, whatever an earlier test made of it: making the programs
// creates the layer's context anew.
inline void startWaterProgramsAfresh() {
    createShaderPrograms();
}

inline GLuint currentProgram() {
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return static_cast<GLuint>(program);
}

// The program the water is drawn with, learned by binding once.
inline GLuint waterProgram() {
    bindShaderPrograms();
    GLuint program = currentProgram();
    unbindShaderPrograms();
    return program;
}

inline std::vector<float> uniformValues(GLuint program, const char* name, int count) {
    std::vector<float> values(static_cast<std::size_t>(count), -12345.0f);
    GLint location = glGetUniformLocation(program, name);
    EXPECT_GE(location, 0) << name << " is not an active uniform";
    if (location >= 0)
        glGetUniformfv(program, location, values.data());
    return values;
}

inline GLint samplerUnit(GLuint program, const char* name) {
    GLint unit = -1;
    GLint location = glGetUniformLocation(program, name);
    EXPECT_GE(location, 0) << name << " is not an active sampler";
    if (location >= 0)
        glGetUniformiv(program, location, &unit);
    return unit;
}

// A texture or sampler binding of the unit; the active unit stays.
inline GLuint bindingOnUnit(GLint unit, GLenum binding) {
    GLint active = GL_TEXTURE0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    GLint name = 0;
    glGetIntegerv(binding, &name);
    glActiveTexture(static_cast<GLenum>(active));
    return static_cast<GLuint>(name);
}

// Column-major a x b, as the rendering library keeps its matrices.
inline std::vector<float> multiplyColumnMajor(const float* a, const float* b) {
    std::vector<float> product(16, 0.0f);
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                product[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
    return product;
}

// RGB rows [firstRow, firstRow + rows) of the back buffer.
inline std::vector<unsigned char> framePixels(int firstRow, int rows) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(windowWidth) * rows * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, firstRow, windowWidth, rows, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return pixels;
}

inline double meanDifference(const std::vector<unsigned char>& a,
                             const std::vector<unsigned char>& b) {
    double sum = 0.0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        sum += std::abs(static_cast<int>(a[i]) - static_cast<int>(b[i]));
    return a.empty() ? 0.0 : sum / static_cast<double>(a.size());
}

// A scratch folder that becomes the working directory, holding copies of the
// two shader sources; the old working directory comes back on destruction.
struct ScratchFolder {
    fs::path previous;
    fs::path folder;

    ScratchFolder() : previous(fs::current_path()) {
        folder =
            fs::temp_directory_path() /
            ("ocean-shaders-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const char* name : {"v.cg", "f.cg"})
            fs::copy_file(previous / name, folder / name);
        fs::current_path(folder);
    }
    ~ScratchFolder() {
        fs::current_path(previous);
        fs::remove_all(folder);
    }
};

inline void writeFile(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
}

inline std::string readFile(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace shader_test
