// A thin shader layer over OpenGL 2.0 shader objects (GLSL) for one vertex
// and one fragment program, each read from a file whose main() calls its
// entry function. The two are linked into one pair, and each sampler gets a
// texture unit of its own from 1 (unit 0 stays with the fixed-function
// pipeline). Values are handed over with the rendering library's glUniform
// calls while the pair is in use. A failure prints one line on standard
// error naming the file, then the compiler's log, and the call returns false.
#pragma once

// A uniform's location in the pair; -1, none, is ignored by every call.
typedef int ShaderParameter;

enum ShaderStage { shaderVertexStage, shaderFragmentStage };

// What was made before is released and no pair is in use.
void shaderStartAfresh();
// Fails too where the rendering library has no shading language.
bool shaderCompileFromFile(ShaderStage stage, const char* fileName);
// Links the two programs compiled last; false when either is missing.
bool shaderLinkPair();
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
// first, and a fresh start keeps them. The viewer records none.
struct ShaderVaryings {
    const char* const* names;
    int count;
};
extern ShaderVaryings shaderCapturedVaryings;
// -1 for a name that is no uniform of the pair (a dropped uniform, or none
// linked).
ShaderParameter shaderNamedParameter(const char* name);
void shaderSetTextureParameter(ShaderParameter sampler, unsigned int texture);
// The pair in use, with its samplings on their units, or none.
void shaderUsePair(bool inUse);
// The rendering library's current modelview-projection matrix, read now.
void shaderSetModelViewProjectionParameter(ShaderParameter parameter);
// The sampler's texture, or none, bound on its unit; the active unit stays.
void shaderEnableTextureParameter(ShaderParameter sampler);
void shaderDisableTextureParameter(ShaderParameter sampler);
