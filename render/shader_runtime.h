// A thin shader layer over OpenGL 2.0 shader objects (GLSL) for one vertex
// and one fragment program, each read from a file whose main() calls the
// entry function. The two are linked into one pair when the second is
// loaded, and each sampler gets a texture unit of its own from 1 (unit 0
// stays with the fixed-function pipeline). The pair is in use from the bind
// of either program until either profile is disabled; values are handed
// over in between. A failure prints one line on standard error naming the
// file, then the compiler's log; the call returns 0 or false. A 0 handle
// does nothing.
#pragma once

typedef int ShaderContext;
typedef unsigned int ShaderProgram;
typedef int ShaderParameter;

enum ShaderStage { shaderVertexStage, shaderFragmentStage };
enum ShaderProfile { shaderNoProfile = 0, shaderGlslVertexProfile, shaderGlslFragmentProfile };

// Starts afresh: what was made before is released and no program is in use.
ShaderContext shaderCreateContext();
ShaderProfile shaderLatestProfile(ShaderStage stage);
// GLSL has neither compile options to choose nor a stage to switch on.
inline void shaderSetOptimalOptions(ShaderProfile) {}
inline void shaderEnableProfile(ShaderProfile) {}
ShaderProgram shaderCompileProgramFromFile(ShaderContext context, const char* fileName,
                                           ShaderProfile profile, const char* entry);
// True while the other stage is awaited, then whether the two link.
bool shaderLoadProgram(ShaderProgram program);
// How the pair reads one of its samplers while it is in use, in place of
// the texture's own filters, which the fixed-function pipeline keeps: through
// a sampler object that clamps to the edge, bound to the sampler's unit only
// while the pair is in use. Filters are the rendering library's values.
struct ShaderSampling {
    const char* name;
    int minFilter;
    int magFilter;
};
// The samplings of the pairs linked from now on (none at first); kept, not
// copied, and given once: their objects are made at the next link, where the
// library has sampler objects (OpenGL 3.3), and kept for the later ones.
void shaderUseSamplings(const ShaderSampling* samplings, int count);
// The vertex program's outputs that the pairs linked from now on record,
// interleaved in this order, while transform feedback is active: how a tool
// reads what the program computes. The names are kept, not copied; none at
// first, and a new context keeps them. The viewer records none.
struct ShaderVaryings {
    const char* const* names;
    int count;
};
extern ShaderVaryings shaderCapturedVaryings;
// 0 for a name that is no uniform of the pair (a varying, a dropped uniform).
ShaderParameter shaderNamedParameter(ShaderProgram program, const char* name);
void shaderSetTextureParameter(ShaderParameter sampler, unsigned int texture);
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
