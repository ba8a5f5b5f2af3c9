#include "tests/gl/gl_recorder.h"

#include "render/gl_api.h"

namespace {

bool recording = false;
std::vector<RecordedStrip> strips;
RecordedVertex current{};

} // namespace

void startRecording() {
    strips.clear();
    current = RecordedVertex{};
    recording = true;
}

std::vector<RecordedStrip> stopRecording() {
    recording = false;
    return std::move(strips);
}

// The linker sends the program's calls here (-Wl,--wrap) and the real entry
// points become __real_*.
extern "C" {

void __real_glBegin(GLenum mode);
void __real_glTexCoord2f(GLfloat s, GLfloat t);
void __real_glNormal3d(GLdouble x, GLdouble y, GLdouble z);
void __real_glVertex3f(GLfloat x, GLfloat y, GLfloat z);

void __wrap_glBegin(GLenum mode) {
    if (recording)
        strips.push_back(RecordedStrip{mode, {}});
    __real_glBegin(mode);
}

void __wrap_glTexCoord2f(GLfloat s, GLfloat t) {
    current.s = s;
    current.t = t;
    __real_glTexCoord2f(s, t);
}

void __wrap_glNormal3d(GLdouble x, GLdouble y, GLdouble z) {
    current.nx = x;
    current.ny = y;
    current.nz = z;
    __real_glNormal3d(x, y, z);
}

void __wrap_glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    if (recording && !strips.empty()) {
        current.x = x;
        current.y = y;
        current.z = z;
        strips.back().vertices.push_back(current);
    }
    __real_glVertex3f(x, y, z);
}

} // extern "C"
