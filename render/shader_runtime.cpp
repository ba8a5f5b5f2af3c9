// The shader layer: two programs compiled from files and linked into one
// pair, whose uniforms are found once and given values while it is bound.
#include "render/shader_runtime.h"

#include <cstdio>
#include <string>

#include "image/image.h"
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

// The water's pair has 13 uniforms.
constexpr int maxParameters = 16;
constexpr int uniformNameLength = 64;
constexpr GLint firstSamplerUnit = 1;
// A shader source is a few kilobytes; anything this big is not one.
constexpr std::size_t maxSourceBytes = 1 << 20;
// The compiler's log is shown up to this length.
constexpr int logLength = 4096;

// An active uniform of the pair; a sampler has a target, a unit and a texture.
struct ParameterRecord {
    std::string name;
    GLint location;
    GLenum target;
    GLint unit;
    GLuint texture;
};

// The programs by stage and the pair they link into.
GLuint shaders[2];
std::string fileNames[2];
GLuint pair = 0;
bool linked = false;
bool bound = false;
ParameterRecord parameters[maxParameters];
int parameterCount = 0;

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

// The stage the program was compiled for, -1 if it is neither.
int stageOf(ShaderProgram program) {
    return program == 0 ? -1 : program == shaders[0] ? 0 : program == shaders[1] ? 1 : -1;
}

// Every active uniform into the table, each sampler set to a unit of its own.
bool findUniforms() {
    GLint count = 0;
    GLint current = 0;
    glGetProgramiv(pair, GL_ACTIVE_UNIFORMS, &count);
    if (count > maxParameters)
        return fail(fileNames[0], "has more parameters than fit with \"" + fileNames[1] + "\"");
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    glUseProgram(pair);
    for (GLint unit = firstSamplerUnit; parameterCount < count; ++parameterCount) {
        ParameterRecord& record = parameters[parameterCount];
        char name[uniformNameLength] = "";
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(pair, static_cast<GLuint>(parameterCount), uniformNameLength, nullptr,
                           &size, &type, name);
        record = {name, glGetUniformLocation(pair, name), 0, -1, 0};
        record.target = type == GL_SAMPLER_2D     ? GL_TEXTURE_2D
                        : type == GL_SAMPLER_CUBE ? GL_TEXTURE_CUBE_MAP
                                                  : 0;
        if (record.target != 0)
            glUniform1i(record.location, record.unit = unit++);
    }
    glUseProgram(static_cast<GLuint>(current));
    return true;
}

void linkPair() {
    glDeleteProgram(pair);
    pair = glCreateProgram();
    parameterCount = 0;
    glAttachShader(pair, shaders[0]);
    glAttachShader(pair, shaders[1]);
    glLinkProgram(pair);
    GLint status = GL_FALSE;
    glGetProgramiv(pair, GL_LINK_STATUS, &status);
    if (status != GL_TRUE)
        fail(fileNames[0], "does not link with \"" + fileNames[1] + "\":", pair);
    linked = status == GL_TRUE && findUniforms();
}

// The parameter's location while the pair is bound, else -1.
GLint boundLocation(ShaderParameter parameter) {
    return bound && parameter > 0 && parameter <= parameterCount
               ? parameters[parameter - 1].location
               : -1;
}

void bindOnUnit(ShaderParameter sampler, bool enable) {
    if (sampler <= 0 || sampler > parameterCount || parameters[sampler - 1].target == 0)
        return;
    const ParameterRecord& record = parameters[sampler - 1];
    GLint active = GL_TEXTURE0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(record.unit));
    glBindTexture(record.target, enable ? record.texture : 0);
    glActiveTexture(static_cast<GLenum>(active));
}

} // namespace

ShaderContext shaderCreateContext() {
    glUseProgram(0);
    bound = false;
    glDeleteProgram(pair);
    glDeleteShader(shaders[0]);
    glDeleteShader(shaders[1]);
    shaders[0] = shaders[1] = pair = 0;
    linked = false;
    parameterCount = 0;
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
    if (stageOf(program) < 0)
        return false;
    bool both = shaders[0] != 0 && shaders[1] != 0;
    if (both)
        linkPair();
    return !both || linked;
}

ShaderParameter shaderNamedParameter(ShaderProgram program, const char* name) {
    for (int i = 0; linked && stageOf(program) >= 0 && name != nullptr && i < parameterCount; ++i)
        if (parameters[i].name == name)
            return i + 1;
    return 0;
}

void shaderSetTextureParameter(ShaderParameter sampler, unsigned int texture) {
    if (sampler > 0 && sampler <= parameterCount)
        parameters[sampler - 1].texture = texture;
}

// GLSL has no stage to switch on: the pair is used from its bind on.
void shaderEnableProfile(ShaderProfile) {}

void shaderBindProgram(ShaderProgram program) {
    if (!linked || stageOf(program) < 0)
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
    if (!bound || profile == shaderNoProfile)
        return;
    bound = false;
    glUseProgram(0);
}
