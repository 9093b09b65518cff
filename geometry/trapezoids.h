#pragma once

#include "construction.h"

#include <QChar>

namespace geometry {

// The area of the closed polygon by right trapezoids under its edges.
//
// Each edge from vertex i - 1 to vertex i (i = 1 .. n, then the closing edge n -> 0, with
// n = pointCount - 1) bounds, with the vertical lines through its ends and the line y = 0, a
// trapezoid of signed area S = (0.5 * (yp + yc)) * (xp - xc), evaluated in that order in IEEE
// double. xp, yp and xc are the texts read as numbers; yc, the ordinate of the edge's end, is
// rounded to a 16-bit Integer first (halves to even). For y downwards S is positive for an edge
// that runs to the left. The total line shows |sum of S| in edge order, the area of any polygon
// whose edges do not cross, for either direction of travel; loops of opposite orientation in a
// self-intersecting polygon cancel.
//
// Report: per edge "Координати бедро: xp,yp : xc,yc; лице на трапец = S", then
// "Лице на изпъкнал многоъгълник = |T|", each line ended by CR LF; numbers to 15 significant
// digits with `decimalPoint`, yc as an Integer.
//
// Construction, per edge in order: the edge, solid, from (xp, yp) to (xc, yc), and a dotted
// leg from (xp, yp) straight down to (xp, height). The style left set is dotted.
//
// With fewer than three vertices the result is empty. An ordinate outside the 16-bit range or
// an arithmetic overflow stops the run with `failure` set.
Construction ByTrapezoids(const VertexTexts& vertices, int pointCount, float height,
                          QChar decimalPoint);

} // namespace geometry
