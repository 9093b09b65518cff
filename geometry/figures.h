#pragma once

// The figure each report line describes, found from the line and the vertices alone.

#include "construction.h"

#include <QPointF>
#include <QStringView>

#include <optional>
#include <vector>

namespace geometry {

enum class Method { Trapezoids, Triangles };

// The method whose report `report` is, told by its first line; none for any other text.
std::optional<Method> MethodOfReport(QStringView report);

struct Figure {
    enum class Shape { Trapezoid, Triangle, Polygon };
    Shape shape = Shape::Polygon;
    // Corners in the drawing surface's coordinates (twips, y downwards), in order round it.
    std::vector<QPointF> corners;
    // The numbers of the polygon's vertices that the first corners are, counted from 1 as the
    // report counts them.
    std::vector<int> numbers;
    // Whether the method's signed total, the sum of the trapezoids' S or of the triangles'
    // oriented S, is that of an outline running clockwise on the surface (T >= 0): where the
    // figure winds clockwise round a point, it adds to the total; where it winds the other way,
    // it takes away.
    bool clockwiseAdds = true;
};

// The figure of line `line` (counted from 0) of `method`'s report over the polygon, whose text
// is `text`:
// - a trapezoid line: the trapezoid under its edge, (xp, yp), (xc, yc), (xc, 0), (xp, 0),
//   numbered by the edge's two vertices;
// - a triangle line, Heron or oriented: the triangle 0, i - 1, i;
// - the total line: the polygon, each vertex where the method's edges end (its ordinate
//   rounded), every vertex numbered;
// with the numbers the line shows. None for any other line, for a trapezoid or triangle of zero
// area, and where reading the vertices raises a run-time error, as the method's run stopped
// there. Costs one walk of the method's items, for the sign of the total.
std::optional<Figure> FigureOfLine(const VertexTexts& vertices, int pointCount, Method method,
                                   int line, QStringView text);

} // namespace geometry
