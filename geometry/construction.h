#pragma once

// What an area method produces: the report text and the construction lines to draw.

#include "platform/runtime_error.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace geometry {

// Line styles, as the drawing surface numbers them.
enum LineStyle { Solid = 0, Dotted = 2, DashDot = 3 };

// A black construction line, in the drawing surface's coordinates (twips, y downwards).
struct Segment {
    float x1, y1, x2, y2;
    LineStyle style;

    bool operator==(const Segment&) const = default;
};

struct Construction {
    // One line per trapezoid or two per triangle, then the total line; each ends in CR LF.
    QString report;
    // In drawing order.
    std::vector<Segment> segments;
    // The line style the method leaves set on the surface.
    LineStyle styleAfter = Solid;
    // A run-time error that stopped the run; report and segments hold what came before it.
    std::optional<platform::RunTimeError> failure;
};

// The polygon as the coordinate lists hold it: vertex k is x[k], y[k], in entry order. Reading
// past the end of a list gives the empty text, which reads as 0.
struct VertexTexts {
    const QStringList& x;
    const QStringList& y;
};

} // namespace geometry
