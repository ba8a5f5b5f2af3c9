// A GL whose textures stop at a small size, as a small GPU's driver's do.
// Preloaded into the viewer (LD_PRELOAD), it lowers what the texture limit
// queries answer and refuses larger uploads with GL_INVALID_VALUE, handed out
// by glGetError; the rest goes to the real GL. The viewer calls these entry
// points directly (render/gl_api.h declares their prototypes), never through
// glXGetProcAddress, so interposing the symbols reaches every call it makes.
//
// SMALL_TEXTURE_LIMIT: the largest side it takes (2048 unless set).
// SMALL_TEXTURE_ANSWER: the side the queries answer (the limit unless set);
// more than the limit makes a driver that promises what it refuses.
#include <GL/gl.h>
#include <GL/glext.h>
#include <cstdlib>
#include <dlfcn.h>

namespace {

GLint sideFrom(const char* variable, GLint fallback) {
    const char* text = std::getenv(variable);
    return text != nullptr && *text != '\0' ? static_cast<GLint>(std::atoi(text)) : fallback;
}

const GLint limit = sideFrom("SMALL_TEXTURE_LIMIT", 2048);
const GLint answer = sideFrom("SMALL_TEXTURE_ANSWER", limit);
// Like the GL's own flag, it keeps the first error until it is read.
GLenum refusal = GL_NO_ERROR;

template <typename Function> Function realGl(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

void glGetIntegerv(GLenum name, GLint* values) {
    static const auto real = realGl<void (*)(GLenum, GLint*)>("glGetIntegerv");
    real(name, values);
    if ((name == GL_MAX_TEXTURE_SIZE || name == GL_MAX_CUBE_MAP_TEXTURE_SIZE) && values[0] > answer)
        values[0] = answer;
}

// Proxy targets, which only ask, go through: the viewer never asks.
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels) {
    static const auto real = realGl<void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum,
                                             GLenum, const void*)>("glTexImage2D");
    const bool proxy = target == GL_PROXY_TEXTURE_2D || target == GL_PROXY_TEXTURE_CUBE_MAP;
    if (!proxy && (width > limit || height > limit)) {
        refusal = refusal == GL_NO_ERROR ? GL_INVALID_VALUE : refusal;
        return;
    }
    real(target, level, internalFormat, width, height, border, format, type, pixels);
}

GLenum glGetError() {
    static const auto real = realGl<GLenum (*)()>("glGetError");
    const GLenum error = refusal != GL_NO_ERROR ? refusal : real();
    refusal = GL_NO_ERROR;
    return error;
}

} // extern "C"
