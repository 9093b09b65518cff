#pragma once

class QWidget;

namespace platform {

// Centres the top-level `window` on the primary screen, frame and all: by its inside at once, and
// again by its frame once the window manager has framed it and the frame's size is known. A
// window larger than the screen's usable area keeps its frame's top left corner on it.
void CentreOnScreen(QWidget& window);

// Keeps the fixed-size top-level `window` at its logical size on every screen it is moved to,
// whatever the screen's scale, and the whole of it on that screen where it fits.
void KeepSizeOnEveryScreen(QWidget& window);

} // namespace platform
