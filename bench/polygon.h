#pragma once

// Polygons for the benchmarks: deterministic, star-shaped round the centre of the drawing
// surface (so their edges do not cross), every vertex on a whole pixel as a mouse press puts it.

#include <QStringList>

#include <vector>

namespace bench {

// A vertex in twips, as the surface's mouse event delivers it.
struct Point {
    float x, y;
};

// `n` vertices inside a surface of `width` by `height` pixels, in order round the centre.
std::vector<Point> MakePolygon(int n, int width, int height);

// The vertex texts as the two coordinate lists hold them after entry.
struct ListTexts {
    QStringList x, y;
};
ListTexts ToListTexts(const std::vector<Point>& polygon);

// The inside of the drawing surface at the window's fixed size, in pixels.
inline constexpr int SurfaceWidth = 487;
inline constexpr int SurfaceHeight = 196;

} // namespace bench
