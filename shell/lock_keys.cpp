#include "lock_keys.h"

#include <QGuiApplication>

#ifdef VELTRIX_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

std::optional<LockKeys> QueryLockKeys() {
#ifdef VELTRIX_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    // The LEDs are looked up by name: their bit numbers differ between keymaps.
    const char* names[3] = {"Caps Lock", "Num Lock", "Scroll Lock"};
    bool on[3] = {false, false, false};
    for (int i = 0; i < 3; ++i) {
        const Atom atom = XInternAtom(display, names[i], True);
        Bool state = False;
        if (atom != None && XkbGetNamedIndicator(display, atom, nullptr, &state, nullptr, nullptr))
            on[i] = state;
    }
    return LockKeys{on[0], on[1], on[2]};
#else
    return std::nullopt;
#endif
}
