#pragma once

#include <QPalette>

namespace platform {

// The system colours the controls are laid out against, the same on every desktop: black text on
// white lists and text boxes, grey 3-D edges lit from the top left, a navy selection with white
// text. Every colour role of every group is set, so that nothing of the desktop's own palette
// (a dark or a high-contrast scheme) shows through.
QPalette ClassicPalette();

} // namespace platform
