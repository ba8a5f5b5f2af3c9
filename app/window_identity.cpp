// The toolkit names no class, process or icon on its window, so docks and
// task bars cannot match the window to the menu entry that started it. They
// are set through Xlib on the window the toolkit made, right after it was
// made.
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstring>
#include <unistd.h>
#include <vector>

#include "app/window_identity.h"

namespace {

// Format-32 properties travel as longs, whatever the width of a long.
void setCardinals(Display* display, Window window, const char* name,
                  const std::vector<unsigned long>& values) {
    Atom property = XInternAtom(display, name, False);
    XChangeProperty(display, window, property, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()),
                    static_cast<int>(values.size()));
}

// Width, height, then one ARGB value a pixel, top row first.
std::vector<unsigned long> iconCardinals() {
    std::vector<unsigned long> values = {windowIconSide, windowIconSide};
    const unsigned char* rgba = windowIconRgba;
    for (int i = 0; i < windowIconSide * windowIconSide; ++i, rgba += 4)
        values.push_back(static_cast<unsigned long>(rgba[3]) << 24 |
                         static_cast<unsigned long>(rgba[0]) << 16 |
                         static_cast<unsigned long>(rgba[1]) << 8 | rgba[2]);
    return values;
}

} // namespace

void identifyWindow() {
    Display* display = glXGetCurrentDisplay();
    Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == None)
        return;
    // Xlib takes the names as writable strings but only reads them.
    std::vector<char> name(windowClassName, windowClassName + std::strlen(windowClassName) + 1);
    XClassHint classHint = {name.data(), name.data()};
    XSetClassHint(display, window, &classHint);
    setCardinals(display, window, "_NET_WM_PID", {static_cast<unsigned long>(getpid())});
    setCardinals(display, window, "_NET_WM_ICON", iconCardinals());
    XFlush(display);
}
