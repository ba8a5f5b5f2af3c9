// The rendering library's headers, with the OpenGL 2.0 entry points declared
// (GL_GLEXT_PROTOTYPES, defined for everything that links ocean_gl).
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
