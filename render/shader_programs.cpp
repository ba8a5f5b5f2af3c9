// The water's vertex and fragment programs: compiled once at start-up, bound
// around the water tiles in every frame that shades them per pixel.
#include "render/gl_api.h"
#include "render/render_state.h"
#include "render/shader_runtime.h"

namespace {

// The parameters in the order they are looked up: the vertex program's,
// then from firstFragmentParameter on the fragment program's.
enum ParameterIndex {
    positionIndex,
    texCoordIndex,
    normalIndex,
    fresnelBiasIndex,
    fresnelScaleIndex,
    fresnelPowerIndex,
    etaRatioIndex,
    eyePositionIndex,
    lightPositionIndex,
    modelViewProjIndex,
    modelToWorldIndex,
    normalMapTexCoordIndex,
    normalMapIndex,
    normalizeCubeIndex,
    normalizeCube2Index,
    environmentMapIndex,
    bottomMapIndex,
    parameterCount
};
constexpr int firstFragmentParameter = normalMapTexCoordIndex;

const char* const parameterNames[parameterCount] = {
    "position",       "texCoord",          "normal",       "fresnelBias",   "fresnelScale",
    "fresnelPower",   "etaRatio",          "eyePositionW", "lightPosition", "ModelViewProj",
    "modelToWorld",   "normalMapTexCoord", "normalMap",    "normalizeCube", "normalizeCube2",
    "environmentMap", "bottomMap"};

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

ShaderContext shaderContext = 0;
ShaderProfile vertexProfile = shaderNoProfile;
ShaderProfile fragmentProfile = shaderNoProfile;
ShaderProgram vertexProgram = 0;
ShaderProgram fragmentProgram = 0;
ShaderParameter parameters[parameterCount];
bool programsUsable = false;

// Loading the second program links it with the first: a program that does
// not link with the other comes back as 0 too.
ShaderProgram makeProgram(ShaderStage stage, ShaderProfile& profile, const char* fileName,
                          const char* entry) {
    profile = shaderLatestProfile(stage);
    shaderSetOptimalOptions(profile);
    ShaderProgram program = shaderCompileProgramFromFile(shaderContext, fileName, profile, entry);
    if (!shaderLoadProgram(program))
        return 0;
    return program;
}

void lookUpParameters() {
    for (int i = 0; i < parameterCount; ++i) {
        ShaderProgram owner = i < firstFragmentParameter ? vertexProgram : fragmentProgram;
        parameters[i] = shaderNamedParameter(owner, parameterNames[i]);
    }
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
    shaderContext = shaderCreateContext();
    shaderUseSamplings(samplings, samplingCount);
    vertexProgram = makeProgram(shaderVertexStage, vertexProfile, "v.cg", "vert");
    fragmentProgram = makeProgram(shaderFragmentStage, fragmentProfile, "f.cg", "frag");
    programsUsable = vertexProgram != 0 && fragmentProgram != 0;
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
    shaderEnableProfile(vertexProfile);
    shaderEnableProfile(fragmentProfile);
    shaderBindProgram(vertexProgram);
    shaderBindProgram(fragmentProgram);
    shaderSetMatrixParameterRowMajor(parameters[modelToWorldIndex], modelToWorldMatrix.element);
    shaderSetModelViewProjectionParameter(parameters[modelViewProjIndex]);
    shaderSetParameter3fv(parameters[eyePositionIndex], shaderEyePosition);
    shaderSetParameter3fv(parameters[lightPositionIndex], shaderLightPosition);
    shaderSetParameter1f(parameters[fresnelBiasIndex], fresnelBias);
    shaderSetParameter1f(parameters[fresnelScaleIndex], fresnelScale);
    shaderSetParameter1f(parameters[fresnelPowerIndex], fresnelPower);
    shaderSetParameter1f(parameters[etaRatioIndex], etaRatio);
    for (ParameterIndex sampler : samplerOrder)
        shaderEnableTextureParameter(parameters[sampler]);
}

// The other four samplers stay bound; they sit on units that the
// fixed-function sky and water never enable.
void unbindShaderPrograms() {
    if (!programsUsable)
        return;
    shaderDisableTextureParameter(parameters[environmentMapIndex]);
    shaderDisableProfile(fragmentProfile);
    shaderDisableProfile(vertexProfile);
}
