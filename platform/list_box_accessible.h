#pragma once

namespace platform {

// Presents every ListBox to assistive technology as what it is to the user, a list whose items
// are list items named by their texts, whatever view draws it. Installed once, by the first
// ListBox made.
void InstallListBoxAccessibility();

} // namespace platform
