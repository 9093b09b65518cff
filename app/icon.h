#pragma once

#include <QIcon>

// The window's icon: a hamburger on a transparent surround, 32 x 32 pixels.
QIcon HamburgerIcon();
