// The water's vertex and fragment programs: compiled once at start-up, bound
// around the water tiles in every frame that shades them per pixel.
#include "render/gl_api.h"
#include "render/render_state.h"
#include "render/shader_runtime.h"

namespace {

// The programs' uniforms and samplers, in the order they are looked up: the
// vertex program's, then the fragment program's. The entry functions' other
// parameters are vertex inputs, not uniforms, and are not looked up: vert
// takes position, texCoord and normal from the vertex, the texture
// coordinate of unit 0 and the normal that the tiles send (gl_Vertex,
// gl_MultiTexCoord0, gl_Normal), and frag takes normalMapTexCoord from vert's
// output.
enum ParameterIndex {
    fresnelBiasIndex,
    fresnelScaleIndex,
    fresnelPowerIndex,
    etaRatioIndex,
    eyePositionIndex,
    lightPositionIndex,
    modelViewProjIndex,
    modelToWorldIndex,
    normalMapIndex,
    normalizeCubeIndex,
    normalizeCube2Index,
    environmentMapIndex,
    bottomMapIndex,
    parameterCount
};

const char* const parameterNames[parameterCount] = {
    "fresnelBias",    "fresnelScale",   "fresnelPower", "etaRatio",  "eyePositionW",
    "lightPosition",  "ModelViewProj",  "modelToWorld", "normalMap", "normalizeCube",
    "normalizeCube2", "environmentMap", "bottomMap"};

// How the programs read four of their textures, where that shows the same
// as the textures' own filters and costs less: the fragment program takes
// only a length from a normalisation cube and refines it with a Newton
// step, so a blend of four texels buys nothing; it reads the sky at whole
// levels of detail, so there is no second level to blend; and the bottom at
// level 0 only, so the mipmaps need not be looked at.
const ShaderSampling samplings[] = {{"normalizeCube", GL_NEAREST, GL_NEAREST},
                                    {"normalizeCube2", GL_NEAREST, GL_NEAREST},
                                    {"environmentMap", GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR},
                                    {"bottomMap", GL_LINEAR, GL_LINEAR}};
constexpr int samplingCount = sizeof samplings / sizeof samplings[0];

// Enabled in this order in every frame.
const ParameterIndex samplerOrder[] = {normalMapIndex, normalizeCubeIndex, normalizeCube2Index,
                                       environmentMapIndex, bottomMapIndex};

ShaderParameter parameters[parameterCount];
bool programsUsable = false;

void lookUpParameters() {
    for (int i = 0; i < parameterCount; ++i)
        parameters[i] = shaderNamedParameter(parameterNames[i]);
}

void attachTextures() {
    shaderSetTextureParameter(parameters[normalMapIndex], normalMapTexture);
    shaderSetTextureParameter(parameters[environmentMapIndex], envCubeTexture);
    shaderSetTextureParameter(parameters[bottomMapIndex], bottomCubeTexture);
    shaderSetTextureParameter(parameters[normalizeCubeIndex], normalizeCubeTexture);
    shaderSetTextureParameter(parameters[normalizeCube2Index], normalizeCubeTexture);
}

} // namespace

void createShaderPrograms() {
    shaderStartAfresh();
    shaderUseSamplings(samplings, samplingCount);
    // Both are compiled whatever becomes of the first, so that each broken
    // file is named. The files' main() calls the entries, vert and frag.
    const bool vertexCompiled = shaderCompileFromFile(shaderVertexStage, "v.cg");
    const bool fragmentCompiled = shaderCompileFromFile(shaderFragmentStage, "f.cg");
    programsUsable = vertexCompiled && fragmentCompiled && shaderLinkPair();
    if (!programsUsable)
        return;
    lookUpParameters();
    attachTextures();
}

bool shaderProgramsUsable() {
    return programsUsable;
}

void bindShaderPrograms() {
    if (!programsUsable)
        return;
    shaderUsePair(true);
    // GL turns the row-major matrix round itself on the way in.
    glUniformMatrix4fv(parameters[modelToWorldIndex], 1, GL_TRUE, modelToWorldMatrix.element);
    shaderSetModelViewProjectionParameter(parameters[modelViewProjIndex]);
    glUniform3fv(parameters[eyePositionIndex], 1, shaderEyePosition);
    glUniform3fv(parameters[lightPositionIndex], 1, shaderLightPosition);
    glUniform1f(parameters[fresnelBiasIndex], fresnelBias);
    glUniform1f(parameters[fresnelScaleIndex], fresnelScale);
    glUniform1f(parameters[fresnelPowerIndex], fresnelPower);
    glUniform1f(parameters[etaRatioIndex], etaRatio);
    for (ParameterIndex sampler : samplerOrder)
        shaderEnableTextureParameter(parameters[sampler]);
}

// The other four samplers stay bound; they sit on units that the
// fixed-function sky and water never enable.
void unbindShaderPrograms() {
    if (!programsUsable)
        return;
    shaderDisableTextureParameter(parameters[environmentMapIndex]);
    shaderUsePair(false);
}
