#include "window_system.h"

#include <QByteArray>

namespace platform {

// Where a Wayland session also runs an X server (XWayland), the window goes through X: the
// desktop's window manager then frames it as on X11, with the close box alone and the title
// shortened as on its other windows, holds its fixed size, and puts it where it asks to be.
// Through Wayland, on compositors that leave the frame to the program (GNOME, weston), Qt 6.4
// draws one with a minimise and a maximise button whatever the window's flags say, and Qt
// offers no public way to choose them; weston has nothing to bring a minimised window back
// with, and places the window where it likes. The price of X is a window the compositor scales
// on a dense screen instead of one drawn at the screen's density. A platform the user names for
// Qt is kept; Wayland remains the way when the X server cannot be reached, and where none runs.
void ChooseWindowSystem()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
}

} // namespace platform
