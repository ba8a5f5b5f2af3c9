// A recording layer under the immediate-mode calls the water tiles make. The
// test binary is linked with the calls wrapped: every call still reaches the
// rendering library, and while recording is on its arguments are kept too.
#pragma once

#include <vector>

struct RecordedVertex {
    float s, t;        // texture coordinate
    double nx, ny, nz; // normal
    float x, y, z;     // position
};

// One glBegin .. glEnd: the primitive and its vertices in the order sent.
struct RecordedStrip {
    unsigned int mode;
    std::vector<RecordedVertex> vertices;
};

void startRecording();
// Stops recording and hands over what was sent since startRecording.
std::vector<RecordedStrip> stopRecording();
