#pragma once

namespace platform {

// Chooses the window system for Qt before the application object exists: the desktop's X
// server where a Wayland session also offers one, unless the user named Qt's platform.
void ChooseWindowSystem();

} // namespace platform
