// A thin shader layer of our own over OpenGL 2.0 shader objects (GLSL).
//
// The viewer thinks in separate vertex and fragment programs, each compiled
// from a file with a named entry function ("void vert(...)", called by the
// source's main()), whose parameters are looked up by name and keep their
// values between binds. GLSL links the two into one program object: the
// layer keeps one such pair, current while both profiles are enabled and
// have their program bound (never a stage on its own), and looks up its
// uniform locations when it links. A parameter is any name the source
// mentions; only the pair's used uniforms (float, vec3, mat4, sampler2D,
// samplerCube) take values. A value is sent when it changes while the pair
// is current or when the pair next becomes current, never twice. Samplers
// get texture units of their own, counted from 1, so that unit 0 stays with
// the fixed-function pipeline; enabling one binds its texture on its unit
// and restores the active unit. A failure prints one message on standard
// error naming the file, with the compiler's log; the failing call returns
// a null handle (0) or false, and null handles make later calls no-ops.
#pragma once

typedef int ShaderContext;
typedef int ShaderProgram;
typedef int ShaderParameter;

enum ShaderStage { shaderVertexStage, shaderFragmentStage };

enum ShaderProfile { shaderNoProfile = 0, shaderGlslVertexProfile, shaderGlslFragmentProfile };

constexpr int shaderFirstSamplerUnit = 1;

// There is one context. Creating it starts the layer afresh: every program,
// parameter and linked pair made before is forgotten (their handles become
// null) and the fixed-function pipeline is current. Tests start over so.
ShaderContext shaderCreateContext();

// The GLSL profile of the stage, or shaderNoProfile without GLSL support.
ShaderProfile shaderLatestProfile(ShaderStage stage);
// GLSL has no compile options to choose; kept so that callers can say so.
void shaderSetOptimalOptions(ShaderProfile profile);

ShaderProgram shaderCompileProgramFromFile(ShaderContext context, const char* fileName,
                                           ShaderProfile profile, const char* entry);
bool shaderLoadProgram(ShaderProgram program);
ShaderParameter shaderNamedParameter(ShaderProgram program, const char* name);
// Links the pair now rather than at its first bind, so that a caller learns
// at start-up whether the programs can be used at all.
bool shaderLinkPrograms(ShaderProgram vertex, ShaderProgram fragment);

void shaderSetTextureParameter(ShaderParameter sampler, unsigned int texture);
void shaderEnableProfile(ShaderProfile profile);
void shaderDisableProfile(ShaderProfile profile);
void shaderBindProgram(ShaderProgram program);

// Setters ignore a parameter of another type (float, vec3, mat4).
void shaderSetMatrixParameterRowMajor(ShaderParameter parameter, const float* rowMajor);
// The rendering library's current modelview-projection matrix, read now.
void shaderSetModelViewProjectionParameter(ShaderParameter parameter);
void shaderSetParameter1f(ShaderParameter parameter, float value);
void shaderSetParameter3fv(ShaderParameter parameter, const float* value);

void shaderEnableTextureParameter(ShaderParameter sampler);
void shaderDisableTextureParameter(ShaderParameter sampler);

// The texture unit a sampler occupies, or -1 for anything else.
int shaderTextureUnit(ShaderParameter sampler);
