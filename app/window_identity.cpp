// The toolkit names no class, process or icon on its window, and maps the
// window before glutCreateWindow returns; window managers and docks read the
// class when the window first asks to be mapped (ICCCM), so setting it
// afterwards is too late for them. The toolkit sets the window's manager
// properties through XSetWMProperties just before it maps the window: the
// viewer defines that function itself, the dynamic linker binds the
// toolkit's call to it (the viewer exports it, app/CMakeLists.txt), and it
// adds the class, the process id and the icon before handing on to Xlib's.
// The same moment gives the viewer the toolkit's connection and its window,
// which it keeps for its looks at the desktop (desktop_x11.h).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <unistd.h>
#include <vector>

#include "app/desktop_x11.h"
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

void XSetWMProperties(Display* display, Window window, XTextProperty* windowName,
                      XTextProperty* iconName, char** argv, int argc, XSizeHints* normalHints,
                      XWMHints* wmHints, XClassHint*) {
    // Xlib is linked to the viewer directly, so the next definition is there.
    using SetProperties = decltype(&XSetWMProperties);
    static const auto xlibSetProperties =
        reinterpret_cast<SetProperties>(dlsym(RTLD_NEXT, "XSetWMProperties"));
    if (xlibSetProperties == nullptr) {
        std::fprintf(stderr, "XSetWMProperties: %s\n", dlerror());
        std::exit(1);
    }
    // Xlib takes the names as writable strings but only reads them.
    std::vector<char> name(windowClassName, windowClassName + std::strlen(windowClassName) + 1);
    XClassHint classHint = {name.data(), name.data()};
    xlibSetProperties(display, window, windowName, iconName, argv, argc, normalHints, wmHints,
                      &classHint);
    setCardinals(display, window, "_NET_WM_PID", {static_cast<unsigned long>(getpid())});
    setCardinals(display, window, "_NET_WM_ICON", iconCardinals());
    // The one moment the viewer holds the toolkit's connection and its
    // window before the window is mapped: the manager is asked for its frame
    // (it may choose it by the class set above) and the window sized to fit.
    toolkitWindow = ToolkitWindow{display, window};
    fitWindowBeforeMapping(toolkitWindow);
}
