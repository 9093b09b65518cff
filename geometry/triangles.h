#pragma once

#include "construction.h"

#include <QChar>

namespace geometry {

// The area of the closed polygon by a fan of triangles that share vertex 0: triangle i
// (i = 2 .. n, n = pointCount - 1) has the vertices 0, i - 1 and i.
//
// For each triangle, in IEEE double and in this order: the sides a = |v0 v(i-1)|,
// b = |v(i-1) vi|, c = |v0 vi| (each square a difference times itself); s = (b + c + a) / 2;
// Heron's H = sqrt(((s * (s - b)) * (s - c)) * (s - a)), taken as 0 where rounding leaves that
// product at or below zero (collinear vertices); the oriented area
// S = 0.5 * (x0*y1 + y0*x2 + x1*y2 - x2*y1 - y2*x0 - x1*y0), summed left to right. S is positive
// when the three vertices run clockwise on a surface with y downwards. Only y2, the ordinate of
// vertex i, is rounded to a 16-bit Integer (halves to even); every other coordinate is the text
// read as a number.
//
// The total line shows |sum of S|: the area of any polygon whose edges do not cross, equal to
// the trapezoid total, also where the fan's triangles differ in orientation.
//
// Report: per triangle two lines, "Върхове 1<i><i+1>: x0,y0; x1,y1; x2,y2;  Херон = H" and the
// same with "  Ориентирано = |S|", then "Лице на изпъкнал многоъгълник = |T|", each ended by
// CR LF; the label's numbers run together without separators.
//
// Construction: the closed outline, solid, edge by edge from vertex 0 round to vertex 0; then
// per triangle a dash-dot line from vertex 0 to vertex i - 1. The style left set is solid.
//
// With fewer than three vertices the result is empty. An ordinate outside the 16-bit range or
// an arithmetic overflow stops the run with `failure` set.
Construction ByTriangles(const VertexTexts& vertices, int pointCount, QChar decimalPoint);

} // namespace geometry
