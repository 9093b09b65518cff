#pragma once

// The signed area of one trapezoid and of one fan triangle, shared by the methods and by the
// figures of their report lines, so that both give the same numbers.

#include "reading.h"

namespace geometry::detail {

// The edge from vertex p to vertex c: the start as read, the end's ordinate rounded.
struct Edge {
    double xp, yp, xc;
    int yc;
};

inline double TrapezoidArea(const Edge& e)
{
    return Finite((0.5 * (e.yp + e.yc)) * (e.xp - e.xc));
}

// Triangle i of the fan: vertices 0 and i - 1 as read, vertex i with its ordinate rounded.
struct Triangle {
    int i;
    double x0, y0, x1, y1, x2;
    int y2;
};

inline double OrientedArea(const Triangle& t)
{
    const double x0 = t.x0, y0 = t.y0, x1 = t.x1, y1 = t.y1, x2 = t.x2, y2 = t.y2;
    return Finite(0.5 * (x0 * y1 + y0 * x2 + x1 * y2 - x2 * y1 - y2 * x0 - x1 * y0));
}

} // namespace geometry::detail
