// The shader layer: two programs read from files and linked into one pair,
// whose samplers get their units at the link.
#include "render/shader_runtime.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "image/image.h"
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

constexpr int maxSamplers = 8;            // the water's fragment program has 5
constexpr int maxSamplings = maxSamplers; // at most one for each sampler
constexpr int uniformNameLength = 64;
constexpr std::size_t maxSourceBytes = 1 << 20; // a source has a few kilobytes
constexpr int logLength = 4096;                 // of the compiler's log shown

struct Sampler {
    GLint location;
    GLuint unit;
    GLenum target;
    GLuint texture;
    GLuint samplerObject; // 0: the texture's own filters
};

GLuint shaders[2]; // by stage
std::string fileNames[2];
GLuint pair = 0; // 0 unless the two linked
Sampler samplers[maxSamplers];
int samplerCount = 0;
const ShaderSampling* samplings = nullptr;
int samplingCount = 0;
// The samplings' objects, in their order. They clamp to the edge as every
// cube map does; all stay 0 where the library has no sampler objects
// (before OpenGL 3.3).
GLuint samplingObjects[maxSamplings];

// One line per failure, then the compiler's log of the object if it has one.
// Returns false, what the failing call gives back.
bool fail(const std::string& fileName, const std::string& problem, GLuint object = 0) {
    char log[logLength] = "";
    if (object != 0)
        (glIsShader(object) ? glGetShaderInfoLog : glGetProgramInfoLog)(object, logLength, nullptr,
                                                                        log);
    std::string text = "shader \"" + fileName + "\": " + problem + "\n" + log;
    std::fputs((text.back() == '\n' ? text : text + "\n").c_str(), stderr);
    return false;
}

// Only a regular file is opened, so a FIFO or a folder named like a shader
// cannot make the start-up wait; one byte more than a source may have is
// read, so a huge file is refused without reading all of it.
bool readSource(const char* fileName, std::string& source) {
    std::FILE* file = openRegularFileStream(fileName);
    if (file == nullptr)
        return fail(fileName, "cannot open the file");
    source.resize(maxSourceBytes + 1);
    source.resize(std::fread(&source[0], 1, source.size(), file));
    bool read = std::ferror(file) == 0 && source.size() <= maxSourceBytes;
    std::fclose(file);
    return read || fail(fileName, "is not a shader source (too large or unreadable)");
}

// The version as the context reports it in its version string, "major.minor"
// first: a context before OpenGL 3.0 rejects the GL_MAJOR_VERSION query.
int contextVersion() {
    const char* text = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0;
    int minor = 0;
    if (text == nullptr || std::sscanf(text, "%d.%d", &major, &minor) != 2)
        return 0;
    return major * 10 + minor;
}

void makeSamplingObjects() {
    if (samplingCount == 0 || samplingObjects[0] != 0 || contextVersion() < 33)
        return;
    glGenSamplers(samplingCount, samplingObjects);
    for (int i = 0; i < samplingCount; ++i) {
        glSamplerParameteri(samplingObjects[i], GL_TEXTURE_MIN_FILTER, samplings[i].minFilter);
        glSamplerParameteri(samplingObjects[i], GL_TEXTURE_MAG_FILTER, samplings[i].magFilter);
        for (GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R})
            glSamplerParameteri(samplingObjects[i], wrap, GL_CLAMP_TO_EDGE);
    }
}

Sampler* samplerOf(ShaderParameter parameter) {
    for (int i = 0; i < samplerCount; ++i)
        if (samplers[i].location == parameter)
            return &samplers[i];
    return nullptr;
}

// Gives every sampler among the pair's active uniforms the next unit.
bool findSamplers() {
    GLint count = 0;
    glGetProgramiv(pair, GL_ACTIVE_UNIFORMS, &count);
    for (GLuint i = 0; i < static_cast<GLuint>(count); ++i) {
        char name[uniformNameLength] = "";
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(pair, i, uniformNameLength, nullptr, &size, &type, name);
        if (type != GL_SAMPLER_2D && type != GL_SAMPLER_CUBE)
            continue;
        if (samplerCount == maxSamplers)
            return fail(fileNames[1], "has more samplers than fit");
        GLuint unit = static_cast<GLuint>(samplerCount + 1);
        GLenum target = type == GL_SAMPLER_2D ? GL_TEXTURE_2D : GL_TEXTURE_CUBE_MAP;
        samplers[samplerCount++] = {glGetUniformLocation(pair, name), unit, target, 0, 0};
    }
    for (int i = 0; i < samplingCount; ++i)
        if (Sampler* sampler = samplerOf(glGetUniformLocation(pair, samplings[i].name)))
            sampler->samplerObject = samplingObjects[i];
    glUseProgram(pair);
    for (int i = 0; i < samplerCount; ++i)
        glUniform1i(samplers[i].location, static_cast<GLint>(samplers[i].unit));
    glUseProgram(0);
    return true;
}

void bindOnUnit(ShaderParameter parameter, bool enable) {
    Sampler* sampler = samplerOf(parameter);
    if (sampler == nullptr)
        return;
    GLint active = GL_TEXTURE0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glActiveTexture(GL_TEXTURE0 + sampler->unit);
    glBindTexture(sampler->target, enable ? sampler->texture : 0);
    glActiveTexture(static_cast<GLenum>(active));
}

void use(bool inUse) {
    glUseProgram(inUse ? pair : 0);
    for (int i = 0; i < samplerCount; ++i)
        if (samplers[i].samplerObject != 0)
            glBindSampler(samplers[i].unit, inUse ? samplers[i].samplerObject : 0);
}

void forgetPair() {
    use(false);
    glDeleteProgram(pair);
    pair = 0;
    samplerCount = 0;
}

} // namespace

ShaderVaryings shaderCapturedVaryings = {nullptr, 0};

void shaderStartAfresh() {
    forgetPair();
    glDeleteShader(shaders[0]);
    glDeleteShader(shaders[1]);
    shaders[0] = shaders[1] = 0;
}

bool shaderCompileFromFile(ShaderStage stage, const char* fileName) {
    std::string source;
    if (glGetString(GL_SHADING_LANGUAGE_VERSION) == nullptr)
        return fail(fileName, "cannot be compiled: no shader support");
    if (!readSource(fileName, source))
        return false;
    GLuint shader =
        glCreateShader(stage == shaderVertexStage ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        fail(fileName, "does not compile:", shader);
        glDeleteShader(shader);
        return false;
    }
    glDeleteShader(shaders[stage]);
    shaders[stage] = shader;
    fileNames[stage] = fileName;
    return true;
}

bool shaderLinkPair() {
    forgetPair();
    if (shaders[0] == 0 || shaders[1] == 0)
        return false;
    pair = glCreateProgram();
    glAttachShader(pair, shaders[0]);
    glAttachShader(pair, shaders[1]);
    if (shaderCapturedVaryings.names != nullptr && shaderCapturedVaryings.count > 0)
        glTransformFeedbackVaryings(pair, shaderCapturedVaryings.count,
                                    shaderCapturedVaryings.names, GL_INTERLEAVED_ATTRIBS);
    glLinkProgram(pair);
    GLint linked = GL_FALSE;
    glGetProgramiv(pair, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE)
        fail(fileNames[0], "does not link with \"" + fileNames[1] + "\":", pair);
    makeSamplingObjects();
    if (linked == GL_TRUE && findSamplers())
        return true;
    forgetPair();
    return false;
}

void shaderUseSamplings(const ShaderSampling* table, int count) {
    samplings = table;
    samplingCount = table != nullptr ? std::min(count, maxSamplings) : 0;
}

ShaderParameter shaderNamedParameter(const char* name) {
    return pair != 0 && name != nullptr ? glGetUniformLocation(pair, name) : -1;
}

void shaderSetTextureParameter(ShaderParameter sampler, unsigned int texture) {
    if (Sampler* found = samplerOf(sampler))
        found->texture = texture;
}

void shaderUsePair(bool inUse) {
    if (pair != 0)
        use(inUse);
}

// The library hands its matrices over column-major. Read as row-major they
// are the transposes, and (P x M) transposed is M' x P', so the row-major
// product of the two raw arrays is P x M column-major.
void shaderSetModelViewProjectionParameter(ShaderParameter parameter) {
    Matrix4 modelview;
    Matrix4 projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.element);
    glGetFloatv(GL_PROJECTION_MATRIX, projection.element);
    matrixMultiply(modelview, projection);
    glUniformMatrix4fv(parameter, 1, GL_FALSE, modelview.element);
}

void shaderEnableTextureParameter(ShaderParameter sampler) {
    bindOnUnit(sampler, true);
}

void shaderDisableTextureParameter(ShaderParameter sampler) {
    bindOnUnit(sampler, false);
}
