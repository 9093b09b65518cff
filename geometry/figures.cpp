#include "figures.h"

#include "areas.h"
#include "report_writer.h"

namespace geometry {

using namespace detail;

namespace {

// Edge k of the polygon of n + 1 vertices: from vertex k to k + 1, or for k = n the closing edge
// back to vertex 0.
Edge EdgeAt(const VertexTexts& vertices, int n, int k)
{
    const int end = k < n ? k + 1 : 0;
    return {XOf(vertices, k), YOf(vertices, k), XOf(vertices, end),
            platform::CInt(YOf(vertices, end))};
}

Triangle TriangleAt(const VertexTexts& vertices, int i)
{
    return {i,
            XOf(vertices, 0),
            YOf(vertices, 0),
            XOf(vertices, i - 1),
            YOf(vertices, i - 1),
            XOf(vertices, i),
            platform::CInt(YOf(vertices, i))};
}

// The method's signed total, summed in the method's order, reading each vertex once.
double SignedTotal(const VertexTexts& vertices, int n, Method method)
{
    const bool trapezoids = method == Method::Trapezoids;
    const double x0 = XOf(vertices, 0);
    const double y0 = YOf(vertices, 0);
    double x = x0; // the vertex before, as read
    double y = y0;
    double T = 0;
    // The trapezoids close the polygon with the edge from vertex n back to vertex 0.
    for (int k = 1; k <= (trapezoids ? n + 1 : n); ++k) {
        const double xk = k <= n ? XOf(vertices, k) : x0;
        const double yk = k <= n ? YOf(vertices, k) : y0;
        const int rounded = platform::CInt(yk);
        if (trapezoids)
            T = Finite(T + TrapezoidArea({x, y, xk, rounded}));
        else if (k >= 2)
            T = Finite(T + OrientedArea({k, x0, y0, x, y, xk, rounded}));
        x = xk;
        y = yk;
    }
    return T;
}

std::vector<QPointF> Outline(const VertexTexts& vertices, int n)
{
    std::vector<QPointF> corners;
    corners.reserve(static_cast<std::size_t>(n) + 1);
    for (int k = 0; k <= n; ++k)
        corners.emplace_back(XOf(vertices, k), platform::CInt(YOf(vertices, k)));
    return corners;
}

} // namespace

std::optional<Method> MethodOfReport(QStringView report)
{
    if (report.startsWith(TrapezoidLabel))
        return Method::Trapezoids;
    if (report.startsWith(TriangleLabel))
        return Method::Triangles;
    return std::nullopt;
}

std::optional<Figure> FigureOfLine(const VertexTexts& vertices, int pointCount, Method method,
                                   int line, QStringView text)
{
    const int n = pointCount - 1;
    if (n < 2 || line < 0)
        return std::nullopt;
    const bool trapezoids = method == Method::Trapezoids;
    const int totalLine = trapezoids ? n + 1 : 2 * (n - 1);
    const QStringView label = trapezoids ? TrapezoidLabel : TriangleLabel;
    const bool itemLine = line < totalLine && text.startsWith(label);
    if (!itemLine && !(line == totalLine && text.startsWith(TotalLabel)))
        return std::nullopt;
    try {
        const double T = SignedTotal(vertices, n, method);
        Figure figure;
        double S = T;
        if (!itemLine) {
            figure.corners = Outline(vertices, n);
        } else if (trapezoids) {
            const Edge e = EdgeAt(vertices, n, line);
            S = TrapezoidArea(e);
            figure.corners = {{e.xp, e.yp}, {e.xc, double(e.yc)}, {e.xc, 0}, {e.xp, 0}};
        } else {
            const Triangle t = TriangleAt(vertices, 2 + line / 2);
            S = OrientedArea(t);
            figure.corners = {{t.x0, t.y0}, {t.x1, t.y1}, {t.x2, double(t.y2)}};
        }
        if (S == 0)
            return std::nullopt;
        figure.addsToTotal = (S > 0) == (T >= 0);
        return figure;
    } catch (const platform::RunTimeError&) {
        return std::nullopt;
    }
}

} // namespace geometry
