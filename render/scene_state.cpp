// The fixed-function state, set once at start-up.
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

const GLfloat clearColour[4] = {0.0f, 0.0f, 0.5f, 1.0f};
const GLfloat materialDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat materialSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat materialShininess = 5.0f;
const GLfloat light0Diffuse[4] = {0.24f, 0.83f, 0.64f, 1.0f};
const GLfloat light0Position[4] = {300.0f, 50.0f, -300.0f, 1.0f};
const GLfloat light1Diffuse[4] = {0.0f, 0.5f, 1.0f, 1.0f};
const GLfloat light1Position[4] = {-300.0f, 500.0f, 300.0f, 1.0f};
const GLfloat light2Diffuse[4] = {0.0f, 0.0f, 1.0f, 1.0f};
const GLfloat light2Position[4] = {0.0f, -10.0f, 10.0f, 1.0f};

} // namespace

// The light positions are given while the modelview matrix is the identity,
// so they stay fixed in eye coordinates. Lighting is enabled here but every
// frame switches it off before drawing, and the water's shaders take their
// light from their own parameters: the lights and the material light
// nothing the viewer draws. They stay as the state the frame starts from.
void setupSceneState() {
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, materialDiffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, materialSpecular);
    glMaterialf(GL_FRONT, GL_SHININESS, materialShininess);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light0Diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, light0Position);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, light1Diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, light1Position);
    glEnable(GL_LIGHT1);
    glLightfv(GL_LIGHT2, GL_DIFFUSE, light2Diffuse);
    glLightfv(GL_LIGHT2, GL_POSITION, light2Position);
    glEnable(GL_LIGHTING);
    glDepthFunc(GL_LESS);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glShadeModel(GL_SMOOTH);
    glDrawBuffer(GL_BACK);
}
