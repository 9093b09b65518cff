#pragma once

// Reading vertices back from their texts, and the checks the arithmetic relies on.

#include "construction.h"
#include "platform/conversions.h"
#include "platform/runtime_error.h"

#include <cmath>

namespace geometry::detail {

inline QStringView Item(const QStringList& list, int k)
{
    return k >= 0 && k < list.size() ? QStringView(list[k]) : QStringView();
}

inline double XOf(const VertexTexts& vertices, int k)
{
    return platform::Val(Item(vertices.x, k));
}

inline double YOf(const VertexTexts& vertices, int k)
{
    return platform::Val(Item(vertices.y, k));
}

// A result that left the Double range is the Overflow error, as on any arithmetic overflow.
inline double Finite(double value)
{
    if (!std::isfinite(value))
        platform::Raise(platform::Overflow);
    return value;
}

inline Segment MakeSegment(double x1, double y1, double x2, double y2, LineStyle style)
{
    return {platform::CSng(x1), platform::CSng(y1), platform::CSng(x2), platform::CSng(y2), style};
}

} // namespace geometry::detail
