#pragma once

class QWidget;

namespace platform {

// Centres the top-level `window` on its screen, frame and all: by its inside at once, and again
// by its frame once the window manager has framed it and the frame's size is known.
void CentreOnScreen(QWidget& window);

} // namespace platform
