// A thin shader layer of our own over OpenGL 2.0 shader objects (GLSL).
//
// The viewer thinks in separate vertex and fragment programs, each compiled
// from a file with a named entry function, whose parameters are looked up by
// name and keep their values between binds; GLSL links one vertex and one
// fragment shader into a single program object. The layer bridges the two:
//
// - A source defines its entry function ("void vert(...) { ... }") and a
//   main() that calls it with the built-in inputs and outputs. A program's
//   parameters are the entry function's parameters (no value) and its
//   uniforms of type float, vec3, mat4, sampler2D or samplerCube, used or
//   not. One linked program holds one value per uniform name.
// - shaderLoadProgram links the stage on its own, to catch a stage that
//   cannot link at start-up.
// - A program bound to a stage is used while the stage's profile is enabled.
//   The current program changes once every enabled stage has its program
//   bound, so binding a pair makes only the pair current, and falls back to
//   the fixed-function pipeline when the last profile is disabled. Each
//   combination is linked once and its uniform locations looked up then.
// - A value reaches a linked program when it changes while that program is
//   current or when the program next becomes current, never twice.
// - Samplers (2-D and cube) get texture units of their own, counted from 1,
//   so that unit 0 stays with the fixed-function pipeline. Enabling a texture
//   parameter binds its texture on its unit and restores the active unit.
// - A failure prints one message on standard error that names the file, with
//   the compiler's log. The failing call returns a null handle (0) or false,
//   and null handles make every later call a no-op.
//
// All state is process-wide and fixed in size.
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
// Links the two programs together now rather than at their first bind, so
// that a caller learns at start-up whether they can be used at all.
bool shaderLinkPrograms(ShaderProgram vertex, ShaderProgram fragment);

void shaderSetTextureParameter(ShaderParameter sampler, unsigned int texture);
// Disabling a profile also unbinds its stage's program.
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
