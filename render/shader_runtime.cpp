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

constexpr int maxContexts = 64;
constexpr int maxPrograms = 64;
constexpr int maxParameters = 512;
constexpr int maxPairs = 96;
constexpr int maxDeclarations = 32;
constexpr int nameLength = 64;
constexpr int fileNameLength = 128;
// A shader source is a few kilobytes; anything this big is not one.
constexpr std::streamoff maxSourceBytes = 1 << 20;
constexpr int matrixFloats = 16;

struct ContextRecord {
    int nextTextureUnit;
};

// A parameter as the source declares it: a global uniform with its GLSL
// type, or a parameter of the entry function (type 0), which holds no value.
struct DeclarationRecord {
    char name[nameLength];
    GLenum type;
};

struct ProgramRecord {
    ShaderContext context;
    ShaderProfile profile;
    GLuint shader;
    bool loaded;
    char fileName[fileNameLength];
    DeclarationRecord declared[maxDeclarations];
    int declaredCount;
};

// A parameter of one program that has been looked up, with its value.
struct ParameterRecord {
    ShaderProgram program;
    char name[nameLength];
    GLenum type;
    float value[matrixFloats]; // matrices column-major, as GLSL takes them
    bool hasValue;
    unsigned int texture;
    int unit;
};

// A vertex and a fragment program linked into one program object; either
// may be 0, leaving that stage to the fixed-function pipeline.
struct PairRecord {
    ShaderProgram vertex;
    ShaderProgram fragment;
    GLuint program;
    bool linked;
};

struct PipelineRecord {
    bool vertexEnabled;
    bool fragmentEnabled;
    ShaderProgram boundVertex;
    ShaderProgram boundFragment;
    int currentPair; // 0 when the fixed-function pipeline is current
};

// Index 0 of each table is the null handle and stays unused.
ContextRecord contexts[maxContexts + 1];
int contextCount = 0;
ProgramRecord programs[maxPrograms + 1];
int programCount = 0;
ParameterRecord parameters[maxParameters + 1];
int parameterCount = 0;
PairRecord pairs[maxPairs + 1];
int pairCount = 0;
PipelineRecord pipeline = {false, false, 0, 0, 0};

bool validProgram(ShaderProgram program) {
    return program > 0 && program <= programCount;
}
bool validParameter(ShaderParameter parameter) {
    return parameter > 0 && parameter <= parameterCount;
}

void copyName(char* destination, std::size_t size, const char* source) {
    std::snprintf(destination, size, "%s", source);
}

// One message per failure; a log from the compiler follows on its own lines.
void report(const char* fileName, const char* problem, const std::string& log = std::string()) {
    std::fprintf(stderr, "shader \"%s\": %s\n", fileName, problem);
    if (!log.empty())
        std::fprintf(stderr, "%s%s", log.c_str(), log.back() == '\n' ? "" : "\n");
    std::fflush(stderr);
}

bool isStage(ShaderProfile profile, ShaderStage stage) {
    return (stage == shaderVertexStage && profile == shaderGlslVertexProfile) ||
           (stage == shaderFragmentStage && profile == shaderGlslFragmentProfile);
}

bool readSource(const char* fileName, std::string& source) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        report(fileName, "cannot open the file");
        return false;
    }
    file.seekg(0, std::ios::end);
    std::streamoff size = file.tellg();
    if (size < 0 || size > maxSourceBytes) {
        report(fileName, "is not a shader source (too large or unreadable)");
        return false;
    }
    file.seekg(0, std::ios::beg);
    std::ostringstream text;
    text << file.rdbuf();
    source = text.str();
    return true;
}

std::string shaderLog(GLuint shader) {
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0)
        glGetShaderInfoLog(shader, length, nullptr, &log[0]);
    return log.c_str();
}

std::string programLog(GLuint program) {
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0)
        glGetProgramInfoLog(program, length, nullptr, &log[0]);
    return log.c_str();
}

bool isIdentifier(const char* text) {
    return std::regex_match(text, std::regex("[A-Za-z_]\\w*"));
}

std::string withoutComments(const std::string& source) {
    return std::regex_replace(source, std::regex("//[^\\n]*|/\\*[\\s\\S]*?\\*/"), " ");
}

void declare(ProgramRecord& record, const std::string& name, GLenum type) {
    if (record.declaredCount == maxDeclarations || name.size() >= nameLength)
        return;
    DeclarationRecord& declaration = record.declared[record.declaredCount++];
    copyName(declaration.name, nameLength, name.c_str());
    declaration.type = type;
}

// The types a value can be handed over in; uniforms of other types are not
// parameters.
GLenum uniformType(const std::string& glslType) {
    static const struct {
        const char* name;
        GLenum type;
    } types[] = {{"float", GL_FLOAT},
                 {"vec2", GL_FLOAT_VEC2},
                 {"vec3", GL_FLOAT_VEC3},
                 {"vec4", GL_FLOAT_VEC4},
                 {"mat4", GL_FLOAT_MAT4},
                 {"sampler1D", GL_SAMPLER_1D},
                 {"sampler2D", GL_SAMPLER_2D},
                 {"sampler3D", GL_SAMPLER_3D},
                 {"samplerCube", GL_SAMPLER_CUBE}};
    for (const auto& entry : types) {
        if (glslType == entry.name)
            return entry.type;
    }
    return 0;
}

// Every "uniform <type> <name>, <name>...;" of the source.
void readUniforms(const std::string& code, ProgramRecord& record) {
    std::regex declaration("\\buniform\\s+(\\w+)\\s+([^;]+);");
    std::regex leadingName("^\\s*(\\w+)");
    for (std::sregex_iterator it(code.begin(), code.end(), declaration), end; it != end; ++it) {
        GLenum type = uniformType((*it)[1].str());
        std::stringstream names((*it)[2].str());
        std::string piece;
        std::smatch name;
        while (type != 0 && std::getline(names, piece, ','))
            if (std::regex_search(piece, name, leadingName))
                declare(record, name[1].str(), type);
    }
}

// The entry function's definition, "void <entry>(<parameters>) {"; each
// parameter's name is the last word before its comma.
bool readEntryParameters(const std::string& code, const char* entry, ProgramRecord& record) {
    std::smatch definition;
    std::regex pattern(std::string("\\bvoid\\s+") + entry + "\\s*\\(([^)]*)\\)\\s*\\{");
    if (!std::regex_search(code, definition, pattern))
        return false;
    std::regex lastName("(\\w+)\\s*(\\[[^\\]]*\\])?\\s*$");
    std::stringstream pieces(definition[1].str());
    std::string piece;
    std::smatch name;
    while (std::getline(pieces, piece, ','))
        if (std::regex_search(piece, name, lastName) && name[1].str() != "void")
            declare(record, name[1].str(), 0);
    return true;
}

GLuint compileShader(const char* fileName, ShaderProfile profile, const std::string& source) {
    GLuint shader =
        glCreateShader(profile == shaderGlslVertexProfile ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        report(fileName, "does not compile:", shaderLog(shader));
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// ---- Linked pairs ---------------------------------------------------------

const char* fileNameOf(ShaderProgram program) {
    return validProgram(program) ? programs[program].fileName : "fixed function";
}

int findPair(ShaderProgram vertex, ShaderProgram fragment) {
    for (int i = 1; i <= pairCount; ++i) {
        if (pairs[i].vertex == vertex && pairs[i].fragment == fragment)
            return i;
    }
    return 0;
}

// Links the pair the first time it is asked for; a failed link is kept too,
// so that it is reported once and never made current.
int findOrLinkPair(ShaderProgram vertex, ShaderProgram fragment) {
    int found = findPair(vertex, fragment);
    if (found != 0)
        return found;
    if (pairCount == maxPairs) {
        report(fileNameOf(vertex ? vertex : fragment), "cannot be linked: too many programs");
        return 0;
    }
    PairRecord& pair = pairs[++pairCount];
    pair = {vertex, fragment, glCreateProgram(), false};
    if (vertex != 0)
        glAttachShader(pair.program, programs[vertex].shader);
    if (fragment != 0)
        glAttachShader(pair.program, programs[fragment].shader);
    glLinkProgram(pair.program);
    GLint linked = GL_FALSE;
    glGetProgramiv(pair.program, GL_LINK_STATUS, &linked);
    pair.linked = linked == GL_TRUE;
    if (!pair.linked) {
        std::string problem =
            vertex && fragment ? std::string("does not link with \"") + fileNameOf(fragment) + "\":"
                               : std::string("does not link on its own:");
        report(fileNameOf(vertex ? vertex : fragment), problem.c_str(), programLog(pair.program));
    }
    return pairCount;
}

GLenum samplerTarget(GLenum type) {
    switch (type) {
    case GL_SAMPLER_1D:
        return GL_TEXTURE_1D;
    case GL_SAMPLER_2D:
        return GL_TEXTURE_2D;
    case GL_SAMPLER_3D:
        return GL_TEXTURE_3D;
    case GL_SAMPLER_CUBE:
        return GL_TEXTURE_CUBE_MAP;
    default:
        return 0;
    }
}

void sendValue(GLuint program, const ParameterRecord& parameter) {
    GLint location = glGetUniformLocation(program, parameter.name);
    if (location < 0)
        return;
    if (samplerTarget(parameter.type) != 0) {
        glUniform1i(location, parameter.unit);
        return;
    }
    if (!parameter.hasValue)
        return;
    const float* v = parameter.value;
    switch (parameter.type) {
    case GL_FLOAT:
        glUniform1fv(location, 1, v);
        break;
    case GL_FLOAT_VEC2:
        glUniform2fv(location, 1, v);
        break;
    case GL_FLOAT_VEC3:
        glUniform3fv(location, 1, v);
        break;
    case GL_FLOAT_VEC4:
        glUniform4fv(location, 1, v);
        break;
    case GL_FLOAT_MAT4:
        glUniformMatrix4fv(location, 1, GL_FALSE, v);
        break;
    default:
        break;
    }
}

bool inPair(int pair, ShaderProgram program) {
    return pair != 0 && (pairs[pair].vertex == program || pairs[pair].fragment == program);
}

void sendAllValues(int pair) {
    for (int i = 1; i <= parameterCount; ++i) {
        if (inPair(pair, parameters[i].program))
            sendValue(pairs[pair].program, parameters[i]);
    }
}

// Makes the combination selected by the enabled profiles and the bound
// programs current, or the fixed-function pipeline when it is empty or does
// not link.
void applyPipeline() {
    ShaderProgram vertex = pipeline.vertexEnabled ? pipeline.boundVertex : 0;
    ShaderProgram fragment = pipeline.fragmentEnabled ? pipeline.boundFragment : 0;
    int pair = (vertex || fragment) ? findOrLinkPair(vertex, fragment) : 0;
    if (pair != 0 && !pairs[pair].linked)
        pair = 0;
    if (pair == pipeline.currentPair)
        return;
    pipeline.currentPair = pair;
    glUseProgram(pair != 0 ? pairs[pair].program : 0);
    if (pair != 0)
        sendAllValues(pair);
}

// Disabling a stage also unbinds its program: a later enable starts from the
// fixed-function stage until a program is bound, so no stale program is ever
// combined (and linked) with a new one on the way.
void setProfileEnabled(ShaderProfile profile, bool enabled) {
    if (profile == shaderNoProfile)
        return;
    bool vertex = isStage(profile, shaderVertexStage);
    (vertex ? pipeline.vertexEnabled : pipeline.fragmentEnabled) = enabled;
    if (!enabled)
        (vertex ? pipeline.boundVertex : pipeline.boundFragment) = 0;
    applyPipeline();
}

void sendIfCurrent(const ParameterRecord& parameter) {
    if (inPair(pipeline.currentPair, parameter.program))
        sendValue(pairs[pipeline.currentPair].program, parameter);
}

// ---- Parameters -----------------------------------------------------------

int findParameter(ShaderProgram program, const char* name) {
    for (int i = 1; i <= parameterCount; ++i) {
        if (parameters[i].program == program && std::strcmp(parameters[i].name, name) == 0)
            return i;
    }
    return 0;
}

const DeclarationRecord* findDeclaration(const ProgramRecord& record, const char* name) {
    for (int i = 0; i < record.declaredCount; ++i) {
        if (std::strcmp(record.declared[i].name, name) == 0)
            return &record.declared[i];
    }
    return nullptr;
}

// Samplers take the context's next unit, within what the library offers.
bool assignTextureUnit(ParameterRecord& parameter) {
    ContextRecord& context = contexts[programs[parameter.program].context];
    GLint units = 0;
    glGetIntegerv(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS, &units);
    if (context.nextTextureUnit >= units)
        return false;
    parameter.unit = context.nextTextureUnit++;
    return true;
}

ShaderParameter addParameter(ShaderProgram program, const char* name, GLenum type) {
    const char* fileName = programs[program].fileName;
    if (parameterCount == maxParameters) {
        report(fileName, "has too many parameters");
        return 0;
    }
    ParameterRecord& parameter = parameters[parameterCount + 1];
    parameter = ParameterRecord();
    parameter.program = program;
    copyName(parameter.name, nameLength, name);
    parameter.type = type;
    parameter.unit = -1;
    if (samplerTarget(type) != 0 && !assignTextureUnit(parameter)) {
        report(fileName, "has more samplers than texture units");
        return 0;
    }
    return ++parameterCount;
}

// The parameter if it is a uniform of the given type, else null.
ParameterRecord* uniformOfType(ShaderParameter parameter, GLenum type) {
    if (!validParameter(parameter) || parameters[parameter].type != type)
        return nullptr;
    return &parameters[parameter];
}

void setValue(ShaderParameter parameter, GLenum type, const float* value, int count) {
    ParameterRecord* record = uniformOfType(parameter, type);
    if (record == nullptr || value == nullptr)
        return;
    std::memcpy(record->value, value, sizeof(float) * static_cast<std::size_t>(count));
    record->hasValue = true;
    sendIfCurrent(*record);
}

// Binds the sampler's texture, or none, on its unit and restores the active
// unit, so that the fixed-function pipeline keeps working on the unit it had.
void bindOnUnit(ShaderParameter sampler, bool enable) {
    if (!validParameter(sampler))
        return;
    const ParameterRecord& parameter = parameters[sampler];
    GLenum target = samplerTarget(parameter.type);
    if (target == 0)
        return;
    GLint active = GL_TEXTURE0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(parameter.unit));
    glBindTexture(target, enable ? parameter.texture : 0);
    glActiveTexture(static_cast<GLenum>(active));
}

} // namespace

// ---- Contexts, profiles and programs --------------------------------------

ShaderContext shaderCreateContext() {
    if (contextCount == maxContexts)
        return 0;
    contexts[++contextCount].nextTextureUnit = shaderFirstSamplerUnit;
    return contextCount;
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
    if (context <= 0 || context > contextCount || profile == shaderNoProfile) {
        report(fileName, "cannot be compiled: no shader support in this rendering library");
        return 0;
    }
    if (programCount == maxPrograms) {
        report(fileName, "cannot be compiled: too many programs");
        return 0;
    }
    std::string source;
    if (!readSource(fileName, source))
        return 0;
    ProgramRecord& record = programs[programCount + 1];
    record = ProgramRecord();
    record.shader = compileShader(fileName, profile, source);
    if (record.shader == 0)
        return 0;
    std::string code = withoutComments(source);
    readUniforms(code, record);
    if (!isIdentifier(entry) || !readEntryParameters(code, entry, record)) {
        std::string problem = std::string("has no entry function \"void ") + entry + "(...)\"";
        report(fileName, problem.c_str());
        glDeleteShader(record.shader);
        return 0;
    }
    record.context = context;
    record.profile = profile;
    copyName(record.fileName, fileNameLength, fileName);
    return ++programCount;
}

bool shaderLoadProgram(ShaderProgram program) {
    if (!validProgram(program))
        return false;
    ProgramRecord& record = programs[program];
    bool vertex = record.profile == shaderGlslVertexProfile;
    int pair = findOrLinkPair(vertex ? program : 0, vertex ? 0 : program);
    record.loaded = pair != 0 && pairs[pair].linked;
    return record.loaded;
}

ShaderParameter shaderNamedParameter(ShaderProgram program, const char* name) {
    if (!validProgram(program) || !programs[program].loaded)
        return 0;
    ShaderParameter found = findParameter(program, name);
    if (found != 0)
        return found;
    const ProgramRecord& record = programs[program];
    const DeclarationRecord* declaration = findDeclaration(record, name);
    if (declaration != nullptr)
        return addParameter(program, name, declaration->type);
    std::string problem = std::string("has no parameter \"") + name + "\"";
    report(record.fileName, problem.c_str());
    return 0;
}

bool shaderLinkPrograms(ShaderProgram vertex, ShaderProgram fragment) {
    if (!validProgram(vertex) || !validProgram(fragment) ||
        !isStage(programs[vertex].profile, shaderVertexStage) ||
        !isStage(programs[fragment].profile, shaderFragmentStage))
        return false;
    int pair = findOrLinkPair(vertex, fragment);
    return pair != 0 && pairs[pair].linked;
}

// ---- Binding ---------------------------------------------------------------

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
    if (isStage(programs[program].profile, shaderVertexStage))
        pipeline.boundVertex = program;
    else
        pipeline.boundFragment = program;
    applyPipeline();
}

// ---- Values ---------------------------------------------------------------

void shaderSetMatrixParameterRowMajor(ShaderParameter parameter, const float* rowMajor) {
    if (rowMajor == nullptr)
        return;
    float columnMajor[matrixFloats];
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            columnMajor[column * 4 + row] = rowMajor[row * 4 + column];
    }
    setValue(parameter, GL_FLOAT_MAT4, columnMajor, matrixFloats);
}

// The library hands its matrices over column-major. Read as row-major they
// are the transposes, and (P x M) transposed is M' x P', so the row-major
// product of the two raw arrays is P x M column-major.
void shaderSetStateMatrixParameter(ShaderParameter parameter, ShaderStateMatrix matrix) {
    Matrix4 modelview;
    Matrix4 projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.element);
    glGetFloatv(GL_PROJECTION_MATRIX, projection.element);
    const Matrix4* chosen = &modelview;
    if (matrix == shaderProjectionMatrix)
        chosen = &projection;
    if (matrix == shaderModelViewProjectionMatrix)
        matrixMultiply(modelview, projection);
    setValue(parameter, GL_FLOAT_MAT4, chosen->element, matrixFloats);
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
