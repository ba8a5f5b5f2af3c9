// The one-time start-up sequence: one straight pass, no result tested.
#include <cstdio>
#include <ctime>

#include "app/app_state.h"
#include "ocean/ocean_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"
#include "render/texture_support.h"

void makeSkyAndGeneratedTextures() {
    readTextureLimits();
    normalMapTexture = createNormalMapTexture();
    normalizeCubeTexture = createNormalizeCubeMap();
    buildSkyDome(skyDomeRadius, skyDome);
    skyTexture = loadTexture2D(skyImageFile);
}

void loadCubeMaps() {
    envCubeTexture = loadEnvironmentCubeMap();
    bottomCubeTexture = loadBottomCubeMap();
}

void initialise() {
    setupSceneState();
    seedRandom(static_cast<unsigned int>(std::time(nullptr)));
    makeSkyAndGeneratedTextures();
    initWaveSpectrum();
    // The wave clock starts here: the cube maps and the shader compilation
    // below already count as elapsed wave time.
    startTime = clockSeconds();
    // A context may have no extension string to give: nothing is printed then.
    if (const GLubyte* extensions = glGetString(GL_EXTENSIONS))
        std::printf("%s", reinterpret_cast<const char*>(extensions));
    loadCubeMaps();
    createShaderPrograms();
}
