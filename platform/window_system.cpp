#include "window_system.h"

#include <QByteArray>

namespace platform {

// Under a Wayland compositor without decorations of its own (GNOME, weston), Qt 6.4 draws the
// window's title bar itself, with a minimise and a maximise button whatever the window's flags
// say; there minimising can lose the window for good. Its decorations cannot be told otherwise
// from outside Qt. Through the session's X server (XWayland) the desktop's window manager frames
// the window as on X11 instead: a close box only, the fixed size held, the window placed where
// it asks to be, with the title it shows as on every other window. That is worth a window drawn
// by X rather than natively; Wayland remains the way when the X server cannot be reached, and the
// only one in a session that has none.
void ChooseWindowSystem()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
}

} // namespace platform
