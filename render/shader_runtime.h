// A thin shader layer over OpenGL 2.0 shader objects (GLSL). The viewer
// thinks in a vertex and a fragment program, each compiled from a file with
// an entry function ("void vert(...)", called by main()) and parameters
// found by name; GLSL links the two into one program object. The layer holds
// that one pair: linked when the second program is loaded, which is when its
// samplers get texture units (from 1: unit 0 stays with the fixed-function
// pipeline); current from the bind of either program until either profile
// is disabled, and given values only then. A failure prints one line on
// standard error naming the file, then the compiler's log; the call returns
// 0 or false, and a 0 handle does nothing.
#pragma once

typedef int ShaderContext;
typedef unsigned int ShaderProgram;
typedef int ShaderParameter;

enum ShaderStage { shaderVertexStage, shaderFragmentStage };
enum ShaderProfile { shaderNoProfile = 0, shaderGlslVertexProfile, shaderGlslFragmentProfile };

// Starts afresh: what was made before is released and no program is current.
ShaderContext shaderCreateContext();
// shaderNoProfile without GLSL support.
ShaderProfile shaderLatestProfile(ShaderStage stage);
// GLSL has no compile options to choose; kept so that callers can say so.
void shaderSetOptimalOptions(ShaderProfile profile);
// A source without its entry function does not compile: main() calls it.
ShaderProgram shaderCompileProgramFromFile(ShaderContext context, const char* fileName,
                                           ShaderProfile profile, const char* entry);
// True while the other stage is awaited, then whether the two link.
bool shaderLoadProgram(ShaderProgram program);
// A uniform the linked pair uses; 0 for other names (varyings, entry
// parameters, uniforms the linker dropped).
ShaderParameter shaderNamedParameter(ShaderProgram program, const char* name);

void shaderSetTextureParameter(ShaderParameter sampler, unsigned int texture);
void shaderEnableProfile(ShaderProfile profile);
void shaderBindProgram(ShaderProgram program);
void shaderSetMatrixParameterRowMajor(ShaderParameter parameter, const float* rowMajor);
// The rendering library's current modelview-projection matrix, read now.
void shaderSetModelViewProjectionParameter(ShaderParameter parameter);
void shaderSetParameter3fv(ShaderParameter parameter, const float* value);
void shaderSetParameter1f(ShaderParameter parameter, float value);
// The sampler's texture, or none, bound on its unit; the active unit stays.
void shaderEnableTextureParameter(ShaderParameter sampler);
void shaderDisableTextureParameter(ShaderParameter sampler);
void shaderDisableProfile(ShaderProfile profile);
