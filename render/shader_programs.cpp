#include "render/render_state.h"

void createShaderPrograms() {}
void bindShaderPrograms() {}
void unbindShaderPrograms() {}
