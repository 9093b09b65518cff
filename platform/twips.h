#pragma once

#include <cmath>

namespace platform {

// Positions, sizes and drawing coordinates are in twips: 1440 to the inch, 15 to the logical
// pixel of a 96 dots-per-inch screen.
inline constexpr int TwipsPerPixel = 15;

constexpr int ToPixels(int twips)
{
    return twips / TwipsPerPixel;
}

// The logical pixel a drawing coordinate falls in.
inline int ToPixel(double twips)
{
    return static_cast<int>(std::floor(twips / TwipsPerPixel));
}

} // namespace platform
