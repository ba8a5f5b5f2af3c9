// The shader layer: programs compiled from files, parameters kept here and
// sent to whichever linked pair of programs is current.
#include "render/shader_runtime.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

constexpr ShaderContext theContext = 1;
// The water needs two programs, 28 parameters and three linked pairs (each
// stage alone when it is loaded, then the two together).
constexpr int maxPrograms = 8;
constexpr int maxParameters = 48;
constexpr int maxPairs = 4;
constexpr int nameLength = 32;
constexpr int fileNameLength = 128;
// A shader source is a few kilobytes; anything this big is not one.
constexpr std::streamoff maxSourceBytes = 1 << 20;
constexpr int matrixFloats = 16;

struct ProgramRecord {
    ShaderProfile profile;
    GLuint shader;
    bool loaded;
    char fileName[fileNameLength];
};

// A parameter of one program: an entry-function parameter (type 0, no
// value) or a uniform. version counts the changes of its value, 0 while it
// has none; a sampler's value is its texture unit, its own from the start.
struct ParameterRecord {
    ShaderProgram program;
    char name[nameLength];
    GLenum type;
    float value[matrixFloats]; // matrices column-major, as GLSL takes them
    int version;
    unsigned int texture;
    int unit;
};

// A vertex and a fragment program linked into one program object; either
// may be 0, leaving that stage to the fixed-function pipeline. It keeps each
// parameter's uniform location (-1: none here) and the version it holds.
struct PairRecord {
    ShaderProgram vertex;
    ShaderProgram fragment;
    GLuint program;
    bool linked;
    GLint location[maxParameters + 1];
    int sentVersion[maxParameters + 1];
};

struct PipelineRecord {
    bool vertexEnabled;
    bool fragmentEnabled;
    ShaderProgram boundVertex;
    ShaderProgram boundFragment;
    int currentPair; // 0 when the fixed-function pipeline is current
};

// Index 0 of each table is the null handle and stays unused.
ProgramRecord programs[maxPrograms + 1];
int programCount = 0;
ParameterRecord parameters[maxParameters + 1];
int parameterCount = 0;
PairRecord pairs[maxPairs + 1];
int pairCount = 0;
PipelineRecord pipeline = {};
int nextTextureUnit = shaderFirstSamplerUnit;

bool validProgram(ShaderProgram program) {
    return program > 0 && program <= programCount;
}
bool validParameter(ShaderParameter parameter) {
    return parameter > 0 && parameter <= parameterCount;
}

// One message per failure; a log from the compiler follows on its own lines.
void report(const char* fileName, const std::string& problem,
            const std::string& log = std::string()) {
    std::fprintf(stderr, "shader \"%s\": %s\n", fileName, problem.c_str());
    if (!log.empty())
        std::fprintf(stderr, "%s%s", log.c_str(), log.back() == '\n' ? "" : "\n");
    std::fflush(stderr);
}

// The info log of a shader or a program object, through that kind's queries.
template <typename GetValue, typename GetLog>
std::string infoLog(GLuint object, GetValue getValue, GetLog getLog) {
    GLint length = 0;
    getValue(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0)
        getLog(object, length, nullptr, &log[0]);
    return log.c_str();
}

bool readSource(const char* fileName, std::string& source) {
    std::ifstream file(fileName, std::ios::binary | std::ios::ate);
    if (!file) {
        report(fileName, "cannot open the file");
        return false;
    }
    std::streamoff size = file.tellg();
    if (size < 0 || size > maxSourceBytes) {
        report(fileName, "is not a shader source (too large or unreadable)");
        return false;
    }
    file.seekg(0);
    std::ostringstream text;
    text << file.rdbuf();
    source = text.str();
    return true;
}

GLenum samplerTarget(GLenum type) {
    return type == GL_SAMPLER_2D     ? GL_TEXTURE_2D
           : type == GL_SAMPLER_CUBE ? GL_TEXTURE_CUBE_MAP
                                     : 0;
}

bool inPair(int pair, ShaderProgram program) {
    return pair != 0 && program != 0 &&
           (pairs[pair].vertex == program || pairs[pair].fragment == program);
}

void lookUpLocation(int pair, ShaderParameter parameter) {
    const ParameterRecord& record = parameters[parameter];
    bool uniform = pairs[pair].linked && inPair(pair, record.program) && record.type != 0;
    pairs[pair].location[parameter] =
        uniform ? glGetUniformLocation(pairs[pair].program, record.name) : -1;
}

void addParameter(ShaderProgram program, const std::string& name, GLenum type) {
    GLint units = 0;
    glGetIntegerv(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS, &units);
    bool sampler = samplerTarget(type) != 0;
    if (parameterCount == maxParameters || name.size() >= nameLength ||
        (sampler && nextTextureUnit >= units)) {
        report(programs[program].fileName, "has more parameters than fit: \"" + name + "\"");
        return;
    }
    ParameterRecord& record = parameters[++parameterCount];
    record = ParameterRecord();
    record.program = program;
    std::snprintf(record.name, nameLength, "%s", name.c_str());
    record.type = type;
    record.unit = sampler ? nextTextureUnit++ : -1;
    record.version = sampler ? 1 : 0;
    for (int pair = 1; pair <= pairCount; ++pair)
        lookUpLocation(pair, parameterCount);
}

// A parameter for each comma-separated piece of the list, named by the
// pattern's first group.
void addEach(ShaderProgram program, const std::string& list, const std::regex& pattern,
             GLenum type) {
    std::stringstream pieces(list);
    std::string piece;
    std::smatch name;
    while (std::getline(pieces, piece, ','))
        if (std::regex_search(piece, name, pattern) && name[1].str() != "void")
            addParameter(program, name[1].str(), type);
}

// Outside comments: the entry function's definition, "void <entry>(...) {",
// each of whose parameters is named by the last word before its comma; and
// every "uniform <type> <name>, <name>...;" of the types a value can be
// handed over in.
bool addParameters(ShaderProgram program, const std::string& source, const char* entry) {
    const char* const typeNames[] = {"float", "vec3", "mat4", "sampler2D", "samplerCube"};
    const GLenum types[] = {GL_FLOAT, GL_FLOAT_VEC3, GL_FLOAT_MAT4, GL_SAMPLER_2D, GL_SAMPLER_CUBE};
    std::string code = std::regex_replace(source, std::regex("//[^\\n]*|/\\*[\\s\\S]*?\\*/"), " ");
    if (!std::regex_match(entry, std::regex("[A-Za-z_]\\w*")))
        return false;
    std::regex pattern(std::string("\\bvoid\\s+") + entry + "\\s*\\(([^)]*)\\)\\s*\\{");
    std::smatch definition;
    if (!std::regex_search(code, definition, pattern))
        return false;
    addEach(program, definition[1].str(), std::regex("(\\w+)\\s*(\\[[^\\]]*\\])?\\s*$"), 0);
    std::regex uniform("\\buniform\\s+(\\w+)\\s+([^;]+);");
    for (std::sregex_iterator it(code.begin(), code.end(), uniform), end; it != end; ++it) {
        for (int t = 0; t < 5; ++t)
            if ((*it)[1].str() == typeNames[t])
                addEach(program, (*it)[2].str(), std::regex("^\\s*(\\w+)"), types[t]);
    }
    return true;
}

// Sends the value to the pair, which is current, unless the pair holds it.
void send(int pair, ShaderParameter parameter) {
    const ParameterRecord& value = parameters[parameter];
    GLint location = pairs[pair].location[parameter];
    if (location < 0 || value.version == pairs[pair].sentVersion[parameter])
        return;
    pairs[pair].sentVersion[parameter] = value.version;
    if (value.type == GL_FLOAT)
        glUniform1fv(location, 1, value.value);
    else if (value.type == GL_FLOAT_VEC3)
        glUniform3fv(location, 1, value.value);
    else if (value.type == GL_FLOAT_MAT4)
        glUniformMatrix4fv(location, 1, GL_FALSE, value.value);
    else
        glUniform1i(location, value.unit);
}

// Links the pair the first time it is asked for; a failed link is kept too,
// so that it is reported once and never made current.
int findOrLinkPair(ShaderProgram vertex, ShaderProgram fragment) {
    for (int i = 1; i <= pairCount; ++i) {
        if (pairs[i].vertex == vertex && pairs[i].fragment == fragment)
            return i;
    }
    const char* fileName = programs[vertex ? vertex : fragment].fileName;
    if (pairCount == maxPairs) {
        report(fileName, "cannot be linked: too many programs");
        return 0;
    }
    PairRecord& pair = pairs[++pairCount];
    pair = PairRecord();
    pair.vertex = vertex;
    pair.fragment = fragment;
    pair.program = glCreateProgram();
    for (ShaderProgram stage : {vertex, fragment})
        if (stage != 0)
            glAttachShader(pair.program, programs[stage].shader);
    glLinkProgram(pair.program);
    GLint linked = GL_FALSE;
    glGetProgramiv(pair.program, GL_LINK_STATUS, &linked);
    pair.linked = linked == GL_TRUE;
    if (!pair.linked)
        report(fileName,
               vertex && fragment
                   ? std::string("does not link with \"") + programs[fragment].fileName + "\":"
                   : std::string("does not link on its own:"),
               infoLog(pair.program, glGetProgramiv, glGetProgramInfoLog));
    for (ShaderParameter parameter = 1; parameter <= parameterCount; ++parameter)
        lookUpLocation(pairCount, parameter);
    return pairCount;
}

void makeCurrent(int pair) {
    if (pair == pipeline.currentPair)
        return;
    pipeline.currentPair = pair;
    glUseProgram(pair != 0 ? pairs[pair].program : 0);
    for (ShaderParameter parameter = 1; pair != 0 && parameter <= parameterCount; ++parameter)
        send(pair, parameter);
}

// Makes the enabled stages' bound programs current once every enabled stage
// has one: the fixed-function pipeline when none is enabled or they do not
// link together.
void applyPipeline() {
    if ((pipeline.vertexEnabled && pipeline.boundVertex == 0) ||
        (pipeline.fragmentEnabled && pipeline.boundFragment == 0))
        return;
    ShaderProgram vertex = pipeline.vertexEnabled ? pipeline.boundVertex : 0;
    ShaderProgram fragment = pipeline.fragmentEnabled ? pipeline.boundFragment : 0;
    int pair = (vertex || fragment) ? findOrLinkPair(vertex, fragment) : 0;
    makeCurrent(pair != 0 && pairs[pair].linked ? pair : 0);
}

// Disabling a stage also unbinds its program, so no stale program is ever
// combined (and linked) with a new one. The pair stays current until the
// last stage is disabled or the remaining stage's program is bound again.
void setProfileEnabled(ShaderProfile profile, bool enabled) {
    if (profile == shaderNoProfile)
        return;
    bool vertex = profile == shaderGlslVertexProfile;
    (vertex ? pipeline.vertexEnabled : pipeline.fragmentEnabled) = enabled;
    if (!enabled)
        (vertex ? pipeline.boundVertex : pipeline.boundFragment) = 0;
    if (enabled || (!pipeline.vertexEnabled && !pipeline.fragmentEnabled))
        applyPipeline();
}

void setValue(ShaderParameter parameter, GLenum type, const float* value, int count) {
    if (!validParameter(parameter) || parameters[parameter].type != type || value == nullptr)
        return;
    ParameterRecord& record = parameters[parameter];
    std::size_t bytes = sizeof(float) * static_cast<std::size_t>(count);
    if (record.version != 0 && std::memcmp(record.value, value, bytes) == 0)
        return;
    std::memcpy(record.value, value, bytes);
    ++record.version;
    if (pipeline.currentPair != 0)
        send(pipeline.currentPair, parameter);
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
    for (int pair = 1; pair <= pairCount; ++pair)
        glDeleteProgram(pairs[pair].program);
    for (ShaderProgram program = 1; program <= programCount; ++program)
        glDeleteShader(programs[program].shader);
    programCount = parameterCount = pairCount = 0;
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
    if (context != theContext || profile == shaderNoProfile || programCount == maxPrograms) {
        report(fileName, "cannot be compiled: no shader support or too many programs");
        return 0;
    }
    if (!readSource(fileName, source))
        return 0;
    GLuint shader =
        glCreateShader(profile == shaderGlslVertexProfile ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        report(fileName, "does not compile:", infoLog(shader, glGetShaderiv, glGetShaderInfoLog));
        glDeleteShader(shader);
        return 0;
    }
    ShaderProgram program = ++programCount;
    programs[program] = {profile, shader, false, ""};
    std::snprintf(programs[program].fileName, fileNameLength, "%s", fileName);
    if (!addParameters(program, source, entry)) {
        report(fileName, std::string("has no entry function \"void ") + entry + "(...)\"");
        glDeleteShader(shader);
        --programCount;
        return 0;
    }
    return program;
}

// Links the stage on its own, so that a stage that cannot link is caught now.
bool shaderLoadProgram(ShaderProgram program) {
    if (!validProgram(program) || programs[program].loaded)
        return validProgram(program);
    ProgramRecord& record = programs[program];
    bool vertex = record.profile == shaderGlslVertexProfile;
    int pair = findOrLinkPair(vertex ? program : 0, vertex ? 0 : program);
    record.loaded = pair != 0 && pairs[pair].linked;
    return record.loaded;
}

ShaderParameter shaderNamedParameter(ShaderProgram program, const char* name) {
    if (!validProgram(program) || !programs[program].loaded)
        return 0;
    for (ShaderParameter parameter = 1; parameter <= parameterCount; ++parameter) {
        if (parameters[parameter].program == program &&
            std::strcmp(parameters[parameter].name, name) == 0)
            return parameter;
    }
    report(programs[program].fileName, std::string("has no parameter \"") + name + "\"");
    return 0;
}

bool shaderLinkPrograms(ShaderProgram vertex, ShaderProgram fragment) {
    if (!validProgram(vertex) || !validProgram(fragment) ||
        programs[vertex].profile != shaderGlslVertexProfile ||
        programs[fragment].profile != shaderGlslFragmentProfile)
        return false;
    int pair = findOrLinkPair(vertex, fragment);
    return pair != 0 && pairs[pair].linked;
}

void shaderSetTextureParameter(ShaderParameter sampler, unsigned int texture) {
    if (validParameter(sampler) && samplerTarget(parameters[sampler].type) != 0)
        parameters[sampler].texture = texture;
}

void shaderEnableProfile(ShaderProfile profile) {
    setProfileEnabled(profile, true);
}

void shaderDisableProfile(ShaderProfile profile) {
    setProfileEnabled(profile, false);
}

void shaderBindProgram(ShaderProgram program) {
    if (!validProgram(program) || !programs[program].loaded)
        return;
    (programs[program].profile == shaderGlslVertexProfile ? pipeline.boundVertex
                                                          : pipeline.boundFragment) = program;
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
