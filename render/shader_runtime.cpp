// The shader layer: two programs compiled from files and linked into one
// pair, whose samplers get their units once and whose uniforms are given
// values while it is bound.
#include "render/shader_runtime.h"

#include <cstdio>
#include <string>

#include "image/image.h"
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

// The water's fragment program has 5 samplers.
constexpr int maxSamplers = 8;
constexpr GLint firstSamplerUnit = 1;
constexpr int uniformNameLength = 64;
// A shader source is a few kilobytes; anything this big is not one.
constexpr std::size_t maxSourceBytes = 1 << 20;
// The compiler's log is shown up to this length.
constexpr int logLength = 4096;

// Read at the nearest texel while the pair is bound: the fragment program
// takes only a length from the normalisation cube and refines it with a
// Newton step, so a blend of four texels buys nothing but its cost. The
// texture keeps its own filters for the fixed-function pipeline.
const char* const nearestSamplerNames[] = {"normalizeCube", "normalizeCube2"};

struct SamplerRecord {
    GLint location;
    GLenum target;
    GLint unit;
    GLuint texture;
    bool nearest;
};

// The programs by stage, the pair they link into and the pair's samplers.
GLuint shaders[2];
std::string fileNames[2];
GLuint pair = 0;
bool linked = false;
bool bound = false;
SamplerRecord samplers[maxSamplers];
int samplerCount = 0;
// Reads the nearest texel, clamped to the edge as the cube maps are; 0 where
// the library has no sampler objects.
GLuint nearestSampler = 0;

// One line per failure, then the compiler's log of the object if it has one.
// Returns the 0 that the failing call gives back.
int fail(const std::string& fileName, const std::string& problem, GLuint object = 0) {
    std::string log(logLength, '\0');
    if (object != 0)
        (glIsShader(object) ? glGetShaderInfoLog : glGetProgramInfoLog)(object, logLength, nullptr,
                                                                        &log[0]);
    log.resize(log.find('\0'));
    if (!log.empty() && log.back() != '\n')
        log += '\n';
    std::fprintf(stderr, "shader \"%s\": %s\n%s", fileName.c_str(), problem.c_str(), log.c_str());
    std::fflush(stderr);
    return 0;
}

// Reads one byte more than a source may have, so that a huge or endless file
// is refused without reading all of it. Only a regular file is opened, and
// without waiting: a FIFO or a directory named like a shader cannot be opened.
bool readSource(const char* fileName, std::string& source) {
    std::FILE* file = openRegularFileStream(fileName);
    if (file == nullptr)
        return fail(fileName, "cannot open the file");
    source.assign(maxSourceBytes + 1, '\0');
    source.resize(std::fread(&source[0], 1, source.size(), file));
    bool bad = std::ferror(file) != 0;
    std::fclose(file);
    if (bad || source.size() > maxSourceBytes)
        return fail(fileName, "is not a shader source (too large or unreadable)");
    return true;
}

// Sampler objects came with OpenGL 3.3; GL_MAJOR_VERSION reads 0 before 3.0.
GLuint makeNearestSampler() {
    GLint major = 0;
    GLint minor = 0;
    GLuint sampler = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    if (major * 10 + minor < 33)
        return sampler;
    glGenSamplers(1, &sampler);
    for (GLenum filter : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER})
        glSamplerParameteri(sampler, filter, GL_NEAREST);
    for (GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R})
        glSamplerParameteri(sampler, wrap, GL_CLAMP_TO_EDGE);
    return sampler;
}

bool readsNearest(const std::string& samplerName) {
    for (const char* name : nearestSamplerNames)
        if (samplerName == name)
            return nearestSampler != 0;
    return false;
}

// Gives every sampler among the pair's active uniforms a unit of its own.
bool findSamplers() {
    GLint count = 0;
    glGetProgramiv(pair, GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count; ++i) {
        char name[uniformNameLength] = "";
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(pair, static_cast<GLuint>(i), uniformNameLength, nullptr, &size, &type,
                           name);
        GLenum target = type == GL_SAMPLER_2D     ? GL_TEXTURE_2D
                        : type == GL_SAMPLER_CUBE ? GL_TEXTURE_CUBE_MAP
                                                  : 0;
        if (target == 0)
            continue;
        if (samplerCount == maxSamplers)
            return fail(fileNames[1], "has more samplers than fit");
        samplers[samplerCount] = {glGetUniformLocation(pair, name), target,
                                  firstSamplerUnit + samplerCount, 0, readsNearest(name)};
        ++samplerCount;
    }
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    glUseProgram(pair);
    for (int i = 0; i < samplerCount; ++i)
        glUniform1i(samplers[i].location, samplers[i].unit);
    glUseProgram(static_cast<GLuint>(current));
    return true;
}

void linkPair() {
    glDeleteProgram(pair);
    pair = glCreateProgram();
    samplerCount = 0;
    glAttachShader(pair, shaders[0]);
    glAttachShader(pair, shaders[1]);
    glLinkProgram(pair);
    GLint status = GL_FALSE;
    glGetProgramiv(pair, GL_LINK_STATUS, &status);
    if (status != GL_TRUE)
        fail(fileNames[0], "does not link with \"" + fileNames[1] + "\":", pair);
    if (nearestSampler == 0)
        nearestSampler = makeNearestSampler();
    linked = status == GL_TRUE && findSamplers();
}

// A parameter is its uniform's location plus one, so that 0 is none.
GLint boundLocation(ShaderParameter parameter) {
    return bound ? parameter - 1 : -1;
}

SamplerRecord* samplerOf(ShaderParameter parameter) {
    for (int i = 0; parameter > 0 && i < samplerCount; ++i)
        if (samplers[i].location == parameter - 1)
            return &samplers[i];
    return nullptr;
}

void bindOnUnit(ShaderParameter parameter, bool enable) {
    const SamplerRecord* sampler = samplerOf(parameter);
    if (sampler == nullptr)
        return;
    GLint active = GL_TEXTURE0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(sampler->unit));
    glBindTexture(sampler->target, enable ? sampler->texture : 0);
    glActiveTexture(static_cast<GLenum>(active));
    if (sampler->nearest)
        glBindSampler(static_cast<GLuint>(sampler->unit), enable ? nearestSampler : 0);
}

// Ends the pair's use, and with it the nearest reading of its samplers: the
// fixed-function pipeline sees the textures' own filters.
void release() {
    glUseProgram(0);
    bound = false;
    for (int i = 0; i < samplerCount; ++i)
        if (samplers[i].nearest)
            glBindSampler(static_cast<GLuint>(samplers[i].unit), 0);
}

} // namespace

ShaderContext shaderCreateContext() {
    release();
    glDeleteProgram(pair);
    glDeleteShader(shaders[0]);
    glDeleteShader(shaders[1]);
    shaders[0] = shaders[1] = pair = 0;
    linked = false;
    samplerCount = 0;
    return 1;
}

ShaderProfile shaderLatestProfile(ShaderStage stage) {
    const GLubyte* version = glGetString(GL_SHADING_LANGUAGE_VERSION);
    if (version == nullptr || version[0] == '\0')
        return shaderNoProfile;
    return stage == shaderVertexStage ? shaderGlslVertexProfile : shaderGlslFragmentProfile;
}

void shaderSetOptimalOptions(ShaderProfile) {}

ShaderProgram shaderCompileProgramFromFile(ShaderContext, const char* fileName,
                                           ShaderProfile profile, const char*) {
    std::string source;
    if (profile == shaderNoProfile)
        return fail(fileName, "cannot be compiled: no shader support");
    if (!readSource(fileName, source))
        return 0;
    int stage = profile == shaderGlslVertexProfile ? shaderVertexStage : shaderFragmentStage;
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
        return 0;
    }
    glDeleteShader(shaders[stage]);
    shaders[stage] = shader;
    fileNames[stage] = fileName;
    return shader;
}

// Loading the second of the two programs links the pair.
bool shaderLoadProgram(ShaderProgram program) {
    if (program == 0)
        return false;
    bool both = shaders[0] != 0 && shaders[1] != 0;
    if (both)
        linkPair();
    return !both || linked;
}

ShaderParameter shaderNamedParameter(ShaderProgram program, const char* name) {
    return linked && program != 0 && name != nullptr ? glGetUniformLocation(pair, name) + 1 : 0;
}

void shaderSetTextureParameter(ShaderParameter parameter, unsigned int texture) {
    if (SamplerRecord* sampler = samplerOf(parameter))
        sampler->texture = texture;
}

// GLSL has no stage to switch on: the pair is used from its bind on.
void shaderEnableProfile(ShaderProfile) {}

void shaderBindProgram(ShaderProgram program) {
    if (!linked || program == 0)
        return;
    glUseProgram(pair);
    bound = true;
}

// GL turns a row-major matrix round itself on the way in.
void shaderSetMatrixParameterRowMajor(ShaderParameter parameter, const float* rowMajor) {
    if (GLint at = boundLocation(parameter); at >= 0 && rowMajor != nullptr)
        glUniformMatrix4fv(at, 1, GL_TRUE, rowMajor);
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
    if (GLint at = boundLocation(parameter); at >= 0)
        glUniformMatrix4fv(at, 1, GL_FALSE, modelview.element);
}

void shaderSetParameter3fv(ShaderParameter parameter, const float* value) {
    if (GLint at = boundLocation(parameter); at >= 0 && value != nullptr)
        glUniform3fv(at, 1, value);
}

void shaderSetParameter1f(ShaderParameter parameter, float value) {
    if (GLint at = boundLocation(parameter); at >= 0)
        glUniform1f(at, value);
}

void shaderEnableTextureParameter(ShaderParameter sampler) {
    bindOnUnit(sampler, true);
}

void shaderDisableTextureParameter(ShaderParameter sampler) {
    bindOnUnit(sampler, false);
}

// Either stage's disable ends the pair's use.
void shaderDisableProfile(ShaderProfile profile) {
    if (bound && profile != shaderNoProfile)
        release();
}
