// Texture parameters, uploads and their checks, shared by the file and
// generated textures.
#include "render/texture_upload.h"

#include <cstdio>
#include <string>

#include "render/render_state.h"

namespace {

// The least every GL takes, for a context that answers nothing.
constexpr int guaranteedTextureSide = 64;
constexpr int guaranteedCubeFaceSide = 16;
// glGetError without a context may answer an error for ever.
constexpr int maxErrorsReported = 8;

int textureLimit(GLenum name, int guaranteed) {
    GLint side = 0;
    glGetIntegerv(name, &side);
    return side > 0 ? side : guaranteed;
}

std::string glErrorName(GLenum error) {
    switch (error) {
    case GL_INVALID_ENUM:
        return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE:
        return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION:
        return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW:
        return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW:
        return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY:
        return "GL_OUT_OF_MEMORY";
    default:
        char number[16];
        std::snprintf(number, sizeof number, "0x%04x", error);
        return number;
    }
}

// The errors recorded since the last look, by name, which clears them.
std::string takeGlErrors() {
    std::string errors;
    for (int n = 0; n < maxErrorsReported; ++n) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR)
            break;
        errors += (errors.empty() ? "" : ", ") + glErrorName(error);
    }
    return errors;
}

} // namespace

void readTextureLimits() {
    textureLimits.max2DSide = textureLimit(GL_MAX_TEXTURE_SIZE, guaranteedTextureSide);
    textureLimits.maxCubeFaceSide =
        textureLimit(GL_MAX_CUBE_MAP_TEXTURE_SIZE, guaranteedCubeFaceSide);
}

void reportGlErrors(const char* what) {
    const std::string errors = takeGlErrors();
    if (errors.empty())
        return;
    std::fprintf(stderr, "can't make %s: %s\n", what, errors.c_str());
    std::fflush(stderr);
}

// An error left by whatever ran before is not this texture's: it is dropped
// here, so that the line said once the texture is made names only its own.
GLuint makeTexture(GLenum target, GLint minFilter, GLint magFilter, GLint wrap) {
    takeGlErrors();
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(target, name);
    setTextureFilters(target, minFilter, magFilter);
    setTextureWraps(target, wrap);
    return name;
}

void setTextureFilters(GLenum target, GLint minFilter, GLint magFilter) {
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, magFilter);
}

void setTextureWraps(GLenum target, GLint wrap) {
    glTexParameteri(target, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, wrap);
    if (target == GL_TEXTURE_CUBE_MAP)
        glTexParameteri(target, GL_TEXTURE_WRAP_R, wrap);
}

// The decoders pack rows without padding, but the library's default unpack
// alignment of 4 would read a row of, say, 5 RGB pixels as 16 bytes: a sheared
// picture and a read past the end of the buffer. The alignment is set to 1 for
// each upload and put back afterwards, so nobody else's pixel transfers change.
void uploadTightRows(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                     GLenum format, const void* pixels, GLint level) {
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(target, level, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}

void enableReflectionMapCoordinates() {
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_GEN_R);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
    glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
}

void disableTextureCoordinateGeneration() {
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
}
