// The shader layer: programs compiled from files, parameters kept here and
// sent to the linked pair of programs while it is current.
#include "render/shader_runtime.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "image/image.h"
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

constexpr ShaderContext theContext = 1;
// The water needs two programs and 17 parameters.
constexpr int maxPrograms = 8;
constexpr int maxParameters = 32;
// Longer names are never those of used uniforms.
constexpr int uniformNameLength = 64;
// A shader source is a few kilobytes; anything this big is not one.
constexpr std::size_t maxSourceBytes = 1 << 20;
constexpr int matrixFloats = 16;

struct ProgramRecord {
    bool vertex;
    GLuint shader;
    std::string fileName, source;
};

// A parameter of one program. type and location are those of the uniform
// of its name in the linked pair (0 and -1 when it has none); sent says the
// pair holds the value. A value never set is 0, as GL starts a uniform.
struct ParameterRecord {
    ShaderProgram program;
    std::string name;
    GLenum type;
    GLint location;
    int unit; // a sampler's value, -1 for other parameters
    unsigned int texture;
    bool sent;
    float value[matrixFloats]; // matrices column-major, as GLSL takes them
};

// The enabled profiles, the programs bound to them and the one linked pair.
// A failed link is kept too, so that it is reported once and never made
// current.
struct PipelineRecord {
    bool vertexEnabled, fragmentEnabled;
    ShaderProgram boundVertex, boundFragment;
    ShaderProgram linkedVertex, linkedFragment;
    GLuint pair;
    bool linked, pairCurrent;
};

// Index 0 of each table is the null handle and stays unused.
ProgramRecord programs[maxPrograms + 1];
int programCount = 0;
ParameterRecord parameters[maxParameters + 1];
int parameterCount = 0;
PipelineRecord pipeline = {};
int nextTextureUnit = shaderFirstSamplerUnit;

bool validProgram(ShaderProgram program) {
    return program > 0 && program <= programCount;
}

bool validParameter(ShaderParameter parameter) {
    return parameter > 0 && parameter <= parameterCount;
}

// One message per failure, a log from the compiler on the lines after it.
// Returns the null handle that the failing call gives back.
int fail(const std::string& fileName, const std::string& problem,
         const std::string& log = std::string()) {
    std::fprintf(stderr, "shader \"%s\": %s\n", fileName.c_str(), problem.c_str());
    if (!log.empty())
        std::fprintf(stderr, "%s%s", log.c_str(), log.back() == '\n' ? "" : "\n");
    std::fflush(stderr);
    return 0;
}

// The info log of a shader or a program object.
std::string infoLog(GLuint object) {
    bool shader = glIsShader(object) == GL_TRUE;
    GLint length = 0;
    (shader ? glGetShaderiv : glGetProgramiv)(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? static_cast<std::size_t>(length) : 1, '\0');
    (shader ? glGetShaderInfoLog : glGetProgramInfoLog)(object, length, nullptr, &log[0]);
    return log.c_str();
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

bool isWordCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool isIdentifier(const char* word) {
    if (!std::isalpha(static_cast<unsigned char>(word[0])) && word[0] != '_')
        return false;
    return std::all_of(word, word + std::strlen(word), isWordCharacter);
}

// The positions of word in source where it stands as a whole identifier.
std::vector<std::size_t> wholeWords(const std::string& source, const char* word) {
    std::vector<std::size_t> found;
    if (!isIdentifier(word))
        return found;
    const std::size_t length = std::strlen(word);
    for (std::size_t at = source.find(word); at != std::string::npos;
         at = source.find(word, at + 1)) {
        bool before = at > 0 && isWordCharacter(source[at - 1]);
        bool after = at + length < source.size() && isWordCharacter(source[at + length]);
        if (!before && !after)
            found.push_back(at);
    }
    return found;
}

std::size_t skipSpace(const std::string& source, std::size_t at) {
    while (at < source.size() && std::isspace(static_cast<unsigned char>(source[at])))
        ++at;
    return at;
}

// "void entry (" somewhere in the source, with any white space between.
bool definesEntry(const std::string& source, const char* entry) {
    for (std::size_t at : wholeWords(source, entry)) {
        std::size_t open = skipSpace(source, at + std::strlen(entry));
        std::size_t end = at;
        while (end > 0 && std::isspace(static_cast<unsigned char>(source[end - 1])))
            --end;
        bool afterVoid = end < at && end >= 4 && source.compare(end - 4, 4, "void") == 0 &&
                         (end == 4 || !isWordCharacter(source[end - 5]));
        if (afterVoid && open < source.size() && source[open] == '(')
            return true;
    }
    return false;
}

GLenum samplerTarget(GLenum type) {
    return type == GL_SAMPLER_2D     ? GL_TEXTURE_2D
           : type == GL_SAMPLER_CUBE ? GL_TEXTURE_CUBE_MAP
                                     : 0;
}

// Sends the value if the pair is current and does not hold it yet.
void send(ShaderParameter parameter) {
    ParameterRecord& record = parameters[parameter];
    if (!pipeline.pairCurrent || record.location < 0 || record.sent)
        return;
    record.sent = true;
    if (samplerTarget(record.type) != 0)
        glUniform1i(record.location, record.unit);
    else if (record.type == GL_FLOAT)
        glUniform1fv(record.location, 1, record.value);
    else if (record.type == GL_FLOAT_VEC3)
        glUniform3fv(record.location, 1, record.value);
    else if (record.type == GL_FLOAT_MAT4)
        glUniformMatrix4fv(record.location, 1, GL_FALSE, record.value);
}

// Finds the parameter among the linked pair's used uniforms; a sampler found
// there the first time gets a texture unit of its own.
void lookUp(ShaderParameter parameter) {
    ParameterRecord& record = parameters[parameter];
    record.type = 0;
    record.location = -1;
    record.sent = false;
    GLint count = 0;
    if (pipeline.linked &&
        (record.program == pipeline.linkedVertex || record.program == pipeline.linkedFragment))
        glGetProgramiv(pipeline.pair, GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count && record.location < 0; ++i) {
        char name[uniformNameLength];
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(pipeline.pair, static_cast<GLuint>(i), uniformNameLength, nullptr, &size,
                           &type, name);
        if (record.name == name) {
            record.type = type;
            record.location = glGetUniformLocation(pipeline.pair, name);
        }
    }
    if (samplerTarget(record.type) == 0 || record.unit >= 0)
        return;
    GLint units = 0;
    glGetIntegerv(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS, &units);
    if (nextTextureUnit < units) {
        record.unit = nextTextureUnit++;
        return;
    }
    // Not a sampler then: sent or bound, it would use unit 0, the
    // fixed-function pipeline's.
    record.type = 0;
    record.location = -1;
    fail(programs[record.program].fileName,
         "has more parameters than fit: \"" + record.name + "\"");
}

void makeCurrent(bool current) {
    if (current == pipeline.pairCurrent)
        return;
    pipeline.pairCurrent = current;
    glUseProgram(current ? pipeline.pair : 0);
    for (ShaderParameter parameter = 1; parameter <= parameterCount; ++parameter)
        send(parameter);
}

// Links a pair the first time it is asked for, in place of the one before.
void linkPair(ShaderProgram vertex, ShaderProgram fragment) {
    if (pipeline.linkedVertex == vertex && pipeline.linkedFragment == fragment)
        return;
    makeCurrent(false);
    glDeleteProgram(pipeline.pair);
    pipeline.linkedVertex = vertex;
    pipeline.linkedFragment = fragment;
    pipeline.pair = glCreateProgram();
    glAttachShader(pipeline.pair, programs[vertex].shader);
    glAttachShader(pipeline.pair, programs[fragment].shader);
    glLinkProgram(pipeline.pair);
    GLint linked = GL_FALSE;
    glGetProgramiv(pipeline.pair, GL_LINK_STATUS, &linked);
    pipeline.linked = linked == GL_TRUE;
    if (!pipeline.linked)
        fail(programs[vertex].fileName,
             "does not link with \"" + programs[fragment].fileName + "\":", infoLog(pipeline.pair));
    for (ShaderParameter parameter = 1; parameter <= parameterCount; ++parameter)
        lookUp(parameter);
}

// The pair is current while both stages are enabled and have their program
// bound; no stage is ever current on its own.
void applyPipeline() {
    bool complete = pipeline.vertexEnabled && pipeline.fragmentEnabled &&
                    pipeline.boundVertex != 0 && pipeline.boundFragment != 0;
    if (complete)
        linkPair(pipeline.boundVertex, pipeline.boundFragment);
    makeCurrent(complete && pipeline.linked);
}

void setProfileEnabled(ShaderProfile profile, bool enabled) {
    if (profile == shaderNoProfile)
        return;
    (profile == shaderGlslVertexProfile ? pipeline.vertexEnabled : pipeline.fragmentEnabled) =
        enabled;
    applyPipeline();
}

// A uniform of another type keeps its value.
void setValue(ShaderParameter parameter, GLenum type, const float* value, int count) {
    if (!validParameter(parameter) || value == nullptr)
        return;
    ParameterRecord& record = parameters[parameter];
    std::size_t bytes = sizeof(float) * static_cast<std::size_t>(count);
    if ((record.type != 0 && record.type != type) || std::memcmp(record.value, value, bytes) == 0)
        return;
    std::memcpy(record.value, value, bytes);
    record.sent = false;
    send(parameter);
}

// Binds the sampler's texture, or none, on its unit and restores the active
// unit, so that the fixed-function pipeline keeps working on the unit it had.
void bindOnUnit(ShaderParameter sampler, bool enable) {
    if (!validParameter(sampler) || samplerTarget(parameters[sampler].type) == 0)
        return;
    const ParameterRecord& record = parameters[sampler];
    GLint active = GL_TEXTURE0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(record.unit));
    glBindTexture(samplerTarget(record.type), enable ? record.texture : 0);
    glActiveTexture(static_cast<GLenum>(active));
}

} // namespace

ShaderContext shaderCreateContext() {
    glUseProgram(0);
    glDeleteProgram(pipeline.pair);
    for (ShaderProgram program = 1; program <= programCount; ++program)
        glDeleteShader(programs[program].shader);
    programCount = parameterCount = 0;
    pipeline = PipelineRecord();
    nextTextureUnit = shaderFirstSamplerUnit;
    return theContext;
}

ShaderProfile shaderLatestProfile(ShaderStage stage) {
    const GLubyte* version = glGetString(GL_SHADING_LANGUAGE_VERSION);
    if (version == nullptr || version[0] == '\0')
        return shaderNoProfile;
    return stage == shaderVertexStage ? shaderGlslVertexProfile : shaderGlslFragmentProfile;
}

void shaderSetOptimalOptions(ShaderProfile) {}

ShaderProgram shaderCompileProgramFromFile(ShaderContext context, const char* fileName,
                                           ShaderProfile profile, const char* entry) {
    std::string source;
    if (fileName == nullptr || entry == nullptr)
        return 0;
    if (context != theContext || profile == shaderNoProfile || programCount == maxPrograms)
        return fail(fileName, "cannot be compiled: no shader support or too many programs");
    if (!readSource(fileName, source))
        return 0;
    bool vertex = profile == shaderGlslVertexProfile;
    GLuint shader = glCreateShader(vertex ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        fail(fileName, "does not compile:", infoLog(shader));
    } else if (!definesEntry(source, entry)) {
        fail(fileName, std::string("has no entry function \"void ") + entry + "(...)\"");
    } else {
        programs[++programCount] = {vertex, shader, fileName, source};
        return programCount;
    }
    glDeleteShader(shader);
    return 0;
}

// A compiled shader is ready to be linked; whether it links shows when the
// pair does.
bool shaderLoadProgram(ShaderProgram program) {
    return validProgram(program);
}

// Any name the source mentions: the used uniforms hold values, the others
// (an entry function's parameter, an unused uniform) hold nothing.
ShaderParameter shaderNamedParameter(ShaderProgram program, const char* name) {
    if (!validProgram(program) || name == nullptr)
        return 0;
    for (ShaderParameter parameter = 1; parameter <= parameterCount; ++parameter) {
        if (parameters[parameter].program == program && parameters[parameter].name == name)
            return parameter;
    }
    const ProgramRecord& record = programs[program];
    if (wholeWords(record.source, name).empty())
        return fail(record.fileName, std::string("has no parameter \"") + name + "\"");
    if (parameterCount == maxParameters)
        return fail(record.fileName, std::string("has more parameters than fit: \"") + name + "\"");
    parameters[++parameterCount] = {program, name, 0, -1, -1, 0, false, {}};
    lookUp(parameterCount);
    send(parameterCount);
    return parameterCount;
}

bool shaderLinkPrograms(ShaderProgram vertex, ShaderProgram fragment) {
    if (!validProgram(vertex) || !validProgram(fragment) || !programs[vertex].vertex ||
        programs[fragment].vertex)
        return false;
    linkPair(vertex, fragment);
    return pipeline.linked;
}

void shaderSetTextureParameter(ShaderParameter sampler, unsigned int texture) {
    if (validParameter(sampler))
        parameters[sampler].texture = texture;
}

void shaderEnableProfile(ShaderProfile profile) {
    setProfileEnabled(profile, true);
}

void shaderDisableProfile(ShaderProfile profile) {
    setProfileEnabled(profile, false);
}

void shaderBindProgram(ShaderProgram program) {
    if (!validProgram(program))
        return;
    (programs[program].vertex ? pipeline.boundVertex : pipeline.boundFragment) = program;
    applyPipeline();
}

void shaderSetMatrixParameterRowMajor(ShaderParameter parameter, const float* rowMajor) {
    if (rowMajor == nullptr)
        return;
    float columnMajor[matrixFloats];
    for (int i = 0; i < matrixFloats; ++i)
        columnMajor[(i % 4) * 4 + i / 4] = rowMajor[i];
    setValue(parameter, GL_FLOAT_MAT4, columnMajor, matrixFloats);
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
    setValue(parameter, GL_FLOAT_MAT4, modelview.element, matrixFloats);
}

void shaderSetParameter1f(ShaderParameter parameter, float value) {
    setValue(parameter, GL_FLOAT, &value, 1);
}

void shaderSetParameter3fv(ShaderParameter parameter, const float* value) {
    setValue(parameter, GL_FLOAT_VEC3, value, 3);
}

void shaderEnableTextureParameter(ShaderParameter sampler) {
    bindOnUnit(sampler, true);
}

void shaderDisableTextureParameter(ShaderParameter sampler) {
    bindOnUnit(sampler, false);
}

int shaderTextureUnit(ShaderParameter sampler) {
    return validParameter(sampler) ? parameters[sampler].unit : -1;
}
