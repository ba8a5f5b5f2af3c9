// What every texture of the viewer does alike: its sampling parameters, the
// upload of tightly packed rows and the reflection-map coordinates of the
// cube maps.
#pragma once

#include "render/gl_api.h"

// A new texture name bound to target, with its filters and its wrap mode set;
// the GL errors recorded before it are dropped (see reportGlErrors).
GLuint makeTexture(GLenum target, GLint minFilter, GLint magFilter, GLint wrap);
// GL_TEXTURE_MIN_FILTER and GL_TEXTURE_MAG_FILTER of the texture bound to target.
void setTextureFilters(GLenum target, GLint minFilter, GLint magFilter);
// Wrap S and T, and R as well for a cube map.
void setTextureWraps(GLenum target, GLint wrap);
// glTexImage2D from rows with no padding between them, whatever their length.
void uploadTightRows(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                     GLenum format, const void* pixels, GLint level = 0);
// Every error the GL has recorded since makeTexture, as one line on
// standard error: "can't make WHAT: GL_INVALID_VALUE" (what, say, "the
// texture of cloudy1.jpg"). Looked at once a texture is made, never in a
// frame: the query waits for the GL to finish what it was sent.
void reportGlErrors(const char* what);
// Texture coordinates S, T and R generated as eye-space reflection vectors.
void enableReflectionMapCoordinates();
void disableTextureCoordinateGeneration();
