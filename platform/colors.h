#pragma once

#include <QColor>

namespace platform {

constexpr QRgb RGB(int red, int green, int blue)
{
    return qRgb(red, green, blue);
}

} // namespace platform
