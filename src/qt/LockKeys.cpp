#include "qt/LockKeys.h"

#include <QGuiApplication>

#ifdef TABLON_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

namespace tablon {

std::optional<LockKeys> QueryLockKeys() {
#ifdef TABLON_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return std::nullopt;
    // The indicators' names, looked up once per display.
    static Display* known = nullptr;
    static Atom atoms[3] = {None, None, None};
    if (known != display) {
        const char* names[3] = {"Caps Lock", "Num Lock", "Scroll Lock"};
        for (int i = 0; i < 3; ++i) atoms[i] = XInternAtom(display, names[i], True);
        known = display;
    }
    auto on = [display](Atom atom) {
        Bool state = False;
        if (atom == None) return false;
        if (!XkbGetNamedIndicator(display, atom, nullptr, &state, nullptr, nullptr)) return false;
        return state == True;
    };
    return LockKeys{on(atoms[0]), on(atoms[1]), on(atoms[2])};
#else
    return std::nullopt;
#endif
}

}  // namespace tablon
