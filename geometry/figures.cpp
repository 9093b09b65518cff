#include "figures.h"

#include "areas.h"
#include "report_writer.h"

#include <numeric>

namespace geometry {

using namespace detail;

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
        Figure figure;
        if (!itemLine) {
            figure.corners.resize(static_cast<std::size_t>(n) + 1);
            figure.numbers.resize(figure.corners.size());
            std::iota(figure.numbers.begin(), figure.numbers.end(), 1);
        }
        double T = 0;
        double S = 0;
        if (trapezoids || !itemLine)
            WalkEdges(vertices, n, [&](const Edge& e) {
                if (!itemLine)
                    figure.corners[e.end] = {e.xc, double(e.yc)};
                if (!trapezoids)
                    return;
                const double area = TrapezoidArea(e);
                T = Finite(T + area);
                if (itemLine && e.start == line) {
                    S = area;
                    figure.shape = Figure::Shape::Trapezoid;
                    figure.corners = {{e.xp, e.yp}, {e.xc, double(e.yc)}, {e.xc, 0}, {e.xp, 0}};
                    figure.numbers = {e.start + 1, e.end + 1};
                }
            });
        if (!trapezoids)
            WalkFan(
                n, [&](int k) { return QPointF(XOf(vertices, k), YOf(vertices, k)); },
                [&](const Triangle& t) {
                    const double area = OrientedArea(t);
                    T = Finite(T + area);
                    if (itemLine && t.i == 2 + line / 2) {
                        S = area;
                        figure.shape = Figure::Shape::Triangle;
                        figure.corners = {{t.x0, t.y0}, {t.x1, t.y1}, {t.x2, double(t.y2)}};
                        figure.numbers = {1, t.i, t.i + 1};
                    }
                });
        if (itemLine && S == 0)
            return std::nullopt;
        figure.clockwiseAdds = T >= 0;
        return figure;
    } catch (const platform::RunTimeError&) {
        return std::nullopt;
    }
}

} // namespace geometry
