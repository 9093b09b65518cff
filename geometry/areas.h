#pragma once

// The items each method walks, edges or fan triangles, with their signed areas. One walk of them
// serves a method's report, its construction and the figures of its report's lines, so that
// these cannot disagree.

#include "reading.h"

#include <QPointF>

namespace geometry::detail {

// The edge from vertex `start` to vertex `end`: the start as read, the end's ordinate rounded.
struct Edge {
    int start, end;
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

// The edges of the polygon of vertices 0 .. n in report order: 0 -> 1, ..., (n - 1) -> n, then
// the closing edge n -> 0. Each edge starts where the one before ended, unrounded; each vertex
// is read once, vertex 0 again for the closing edge. A vertex that cannot be read stops the walk
// there with its run-time error.
template <class Visit> void WalkEdges(const VertexTexts& vertices, int n, Visit&& visit)
{
    double x = XOf(vertices, 0);
    double y = YOf(vertices, 0);
    for (int k = 1; k <= n; ++k) {
        Edge e{k - 1, k, x, y, XOf(vertices, k), 0};
        y = YOf(vertices, k);
        e.yc = platform::CInt(y);
        x = e.xc;
        visit(e);
    }
    visit(Edge{n, 0, x, y, XOf(vertices, 0), platform::CInt(YOf(vertices, 0))});
}

// The fan's triangles i = 2 .. n over the vertices as read(k) gives them, unrounded: vertex 0 for
// all of them, vertex i where triangle i ends, its ordinate rounded, and again where triangle
// i + 1 starts. Each vertex is taken once.
template <class Read, class Visit> void WalkFan(int n, Read&& read, Visit&& visit)
{
    const QPointF v0 = read(0);
    QPointF v1 = read(1);
    for (int i = 2; i <= n; ++i) {
        const QPointF v2 = read(i);
        visit(Triangle{i, v0.x(), v0.y(), v1.x(), v1.y(), v2.x(), platform::CInt(v2.y())});
        v1 = v2;
    }
}

} // namespace geometry::detail
