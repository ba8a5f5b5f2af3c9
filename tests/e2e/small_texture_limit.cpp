// A GL whose textures stop at a small size, as a small GPU's driver's do.
// Preloaded into the viewer (LD_PRELOAD), it lowers what the texture limit
// queries answer, refuses larger texture uploads and reports GL_INVALID_VALUE
// from glGetError for them; everything else goes to the real GL. The viewer
// calls the GL directly, but the entry points are handed out through
// glXGetProcAddress as well, so a caller that looks them up gets these too.
//
// SMALL_TEXTURE_LIMIT: the largest side it takes (2048 unless set).
// SMALL_TEXTURE_ANSWER: the side the queries answer (the limit unless set):
// more than the limit makes a driver that promises what it refuses.
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

namespace {

GLint sideFrom(const char* variable, GLint fallback) {
    const char* text = std::getenv(variable);
    if (text == nullptr || *text == '\0')
        return fallback;
    return static_cast<GLint>(std::strtol(text, nullptr, 10));
}

GLint limit() {
    static const GLint side = sideFrom("SMALL_TEXTURE_LIMIT", 2048);
    return side;
}

GLint answer() {
    static const GLint side = sideFrom("SMALL_TEXTURE_ANSWER", limit());
    return side;
}

// The error of a refused upload, until glGetError hands it out; like the
// GL's own flag, it keeps the first error until it is read.
GLenum refusal = GL_NO_ERROR;

template <typename Function> Function realGl(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool isProxy(GLenum target) {
    return target == GL_PROXY_TEXTURE_2D || target == GL_PROXY_TEXTURE_CUBE_MAP;
}

} // namespace

extern "C" {

void glGetIntegerv(GLenum name, GLint* values) {
    static const auto real = realGl<void (*)(GLenum, GLint*)>("glGetIntegerv");
    real(name, values);
    if ((name == GL_MAX_TEXTURE_SIZE || name == GL_MAX_CUBE_MAP_TEXTURE_SIZE) &&
        values[0] > answer())
        values[0] = answer();
}

// Proxy targets go through: they ask, and nothing in the viewer asks.
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels) {
    static const auto real = realGl<void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum,
                                             GLenum, const void*)>("glTexImage2D");
    if (!isProxy(target) && (width > limit() || height > limit())) {
        if (refusal == GL_NO_ERROR)
            refusal = GL_INVALID_VALUE;
        return;
    }
    real(target, level, internalFormat, width, height, border, format, type, pixels);
}

GLenum glGetError() {
    static const auto real = realGl<GLenum (*)()>("glGetError");
    if (refusal == GL_NO_ERROR)
        return real();
    const GLenum error = refusal;
    refusal = GL_NO_ERROR;
    return error;
}

namespace {

__GLXextFuncPtr ownEntryPoint(const GLubyte* name) {
    const char* text = reinterpret_cast<const char*>(name);
    if (std::strcmp(text, "glGetIntegerv") == 0)
        return reinterpret_cast<__GLXextFuncPtr>(&glGetIntegerv);
    if (std::strcmp(text, "glTexImage2D") == 0)
        return reinterpret_cast<__GLXextFuncPtr>(&glTexImage2D);
    if (std::strcmp(text, "glGetError") == 0)
        return reinterpret_cast<__GLXextFuncPtr>(&glGetError);
    return nullptr;
}

} // namespace

__GLXextFuncPtr glXGetProcAddress(const GLubyte* name) {
    static const auto real = realGl<__GLXextFuncPtr (*)(const GLubyte*)>("glXGetProcAddress");
    __GLXextFuncPtr own = ownEntryPoint(name);
    return own != nullptr ? own : real(name);
}

__GLXextFuncPtr glXGetProcAddressARB(const GLubyte* name) {
    static const auto real = realGl<__GLXextFuncPtr (*)(const GLubyte*)>("glXGetProcAddressARB");
    __GLXextFuncPtr own = ownEntryPoint(name);
    return own != nullptr ? own : real(name);
}

} // extern "C"
