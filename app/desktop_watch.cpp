// A slow look at the desktop from the toolkit's timer: the marks that say
// nobody sees the window, which the toolkit does not report, and the
// window's fit once the manager has placed it. A few X requests four times a
// second, which keep coming while the viewer rests, so that it goes on well
// within a second of being seen again.
#include <GL/glut.h>

#include "app/desktop_x11.h"

namespace {

// The manager places the window within moments of mapping it; the fit is
// looked at during the first second it is shown, and not after, when the
// user may have moved the window past the edge on purpose.
constexpr int settlingLooks = 1000 / desktopWatchInterval;
int settlingLooksLeft = settlingLooks;

void fitWhileSettling(const ToolkitWindow& w) {
    if (settlingLooksLeft == 0 || !windowViewable(w))
        return;
    --settlingLooksLeft;
    if (fitWindowOnceShown(w))
        settlingLooksLeft = 0;
}

} // namespace

void onDesktopWatch(int) {
    const ToolkitWindow& w = toolkitWindow;
    if (w.display == nullptr)
        return;
    windowSight.markedHidden = markedHidden(w);
    windowSight.screenSaverOn = screenSaverOn(w);
    restWhileUnseen();
    fitWhileSettling(w);
    glutTimerFunc(desktopWatchInterval, onDesktopWatch, 0);
}
