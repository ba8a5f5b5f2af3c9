// A thin shader layer of our own over OpenGL 2.0 shader objects (GLSL).
//
// The viewer thinks in separate vertex and fragment programs, each compiled
// from a file with a named entry function, whose parameters are looked up by
// name and keep their values between binds. GLSL links one vertex and one
// fragment shader into a single program object instead. The layer bridges
// the two:
//
// - shaderCompileProgramFromFile compiles the file into a shader object. The
//   source defines the entry function ("void vert(...) { ... }") and a main()
//   that calls it with the built-in inputs and outputs. The program's
//   parameters are what its source declares: the entry function's parameters
//   (its varying parameters) and its global uniforms of the types below (its
//   uniform parameters). A uniform the code never uses is still found, but
//   the linker drops it and its value goes nowhere.
// - shaderLoadProgram links the stage on its own (the other stage left to the
//   fixed-function pipeline), so that a stage that cannot link is caught now.
// - Every parameter keeps its value in the layer. Whenever the enabled
//   profiles and the bound programs select a combination, the layer links
//   that combination once (and caches it), makes it current and sends it
//   every value its programs hold; a value set while its program is current
//   is sent at once.
// - Samplers get texture units of their own, counted from 1 within a context,
//   so that unit 0 stays with the fixed-function pipeline. Enabling a texture
//   parameter binds its texture on its unit; the active texture unit is
//   restored and no fixed-function enable is touched.
// - A failure (missing file, compile or link error, unknown parameter) prints
//   one message on standard error that names the file, with the compiler's
//   log. The failing call returns a null handle or false, and null handles
//   make every later call a no-op, so a broken program is never made current.
//
// Handles are small positive integers and 0 is the null handle. All state is
// process-wide and fixed in size; nothing is ever released.
#pragma once

typedef int ShaderContext;
typedef int ShaderProgram;
typedef int ShaderParameter;

enum ShaderStage { shaderVertexStage, shaderFragmentStage };

enum ShaderProfile { shaderNoProfile = 0, shaderGlslVertexProfile, shaderGlslFragmentProfile };

// Matrices the layer reads from the rendering library when asked.
enum ShaderStateMatrix {
    shaderModelViewMatrix,
    shaderProjectionMatrix,
    shaderModelViewProjectionMatrix
};

// The first texture unit handed to a sampler; unit 0 is never used.
constexpr int shaderFirstSamplerUnit = 1;

ShaderContext shaderCreateContext();

// The GLSL profile of the stage, or shaderNoProfile without GLSL support.
ShaderProfile shaderLatestProfile(ShaderStage stage);
// GLSL has no compile options to choose; kept so that callers can say so.
void shaderSetOptimalOptions(ShaderProfile profile);

ShaderProgram shaderCompileProgramFromFile(ShaderContext context, const char* fileName,
                                           ShaderProfile profile, const char* entry);
bool shaderLoadProgram(ShaderProgram program);
// A varying (entry-function) parameter or an active uniform of the program.
ShaderParameter shaderNamedParameter(ShaderProgram program, const char* name);
// Links the two programs together now rather than at their first bind, so
// that a caller learns at start-up whether they can be used at all.
bool shaderLinkPrograms(ShaderProgram vertex, ShaderProgram fragment);

void shaderSetTextureParameter(ShaderParameter sampler, unsigned int texture);
// A program bound to a stage is used while the stage's profile is enabled.
// Disabling a profile also unbinds its stage's program.
void shaderEnableProfile(ShaderProfile profile);
void shaderDisableProfile(ShaderProfile profile);
void shaderBindProgram(ShaderProgram program);

// Uniform types: float, vec2, vec3, vec4, mat4 and the 1-D, 2-D, 3-D and
// cube samplers. Setters ignore a parameter of another type (and varying
// parameters).
void shaderSetMatrixParameterRowMajor(ShaderParameter parameter, const float* rowMajor);
// Reads the matrix from the rendering library now, untransformed.
void shaderSetStateMatrixParameter(ShaderParameter parameter, ShaderStateMatrix matrix);
void shaderSetParameter1f(ShaderParameter parameter, float value);
void shaderSetParameter3fv(ShaderParameter parameter, const float* value);

void shaderEnableTextureParameter(ShaderParameter sampler);
void shaderDisableTextureParameter(ShaderParameter sampler);

// The texture unit a sampler occupies, or -1 for anything else.
int shaderTextureUnit(ShaderParameter sampler);
