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
    auto on = [display](const char* name) {
        Bool state = False;
        const Atom atom = XInternAtom(display, name, True);
        if (atom == None) return false;
        if (!XkbGetNamedIndicator(display, atom, nullptr, &state, nullptr, nullptr)) return false;
        return state == True;
    };
    return LockKeys{on("Caps Lock"), on("Num Lock"), on("Scroll Lock")};
#else
    return std::nullopt;
#endif
}

}  // namespace tablon
