#include "figures.h"

#include "areas.h"
#include "report_writer.h"

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
        double T = 0;
        double S = 0;
        Outline outline(n);
        WalkEdges(vertices, n, [&](const Edge& e) {
            outline.take(e);
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
            WalkFan(outline, [&](const Triangle& t) {
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
        if (!itemLine) {
            figure.corners.reserve(outline.x.size());
            figure.numbers.reserve(outline.x.size());
            for (std::size_t k = 0; k < outline.x.size(); ++k) {
                figure.corners.emplace_back(outline.x[k], outline.yEnd[k]);
                figure.numbers.push_back(static_cast<int>(k) + 1);
            }
        }
        figure.clockwiseAdds = T >= 0;
        return figure;
    } catch (const platform::RunTimeError&) {
        return std::nullopt;
    }
}

} // namespace geometry
