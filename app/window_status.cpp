// Nothing computed while nobody can see the window. The idle tick would go
// on computing the sea as fast as it can for a window nobody sees: a whole
// core, fans and battery spent for nothing. Without an idle callback the
// toolkit's loop waits for the next event or timer.
#include <GL/glut.h>

#include "app/app_state.h"
#include "app/desktop.h"

// The wave time comes from the clock at each tick, so the first tick after
// the window is seen again finds the sea where it would have been.
void restWhileUnseen() {
    const bool seen =
        !windowSight.toolkitHidden && !windowSight.markedHidden && !windowSight.screenSaverOn;
    glutIdleFunc(seen ? onIdle : nullptr);
}

void onWindowStatus(int status) {
    windowSight.toolkitHidden = status == GLUT_HIDDEN || status == GLUT_FULLY_COVERED;
    restWhileUnseen();
}
