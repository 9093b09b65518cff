#include "triangles.h"

#include "areas.h"
#include "report_writer.h"

#include <cmath>

namespace geometry {

using namespace detail;

namespace {

double Side(double xa, double ya, double xb, double yb)
{
    return Finite(std::sqrt((xa - xb) * (xa - xb) + (ya - yb) * (ya - yb)));
}

double Heron(const Triangle& t)
{
    const double a = Side(t.x0, t.y0, t.x1, t.y1);
    const double b = Side(t.x1, t.y1, t.x2, t.y2);
    const double c = Side(t.x0, t.y0, t.x2, t.y2);
    const double s = Finite((b + c + a) / 2);
    const double product = Finite(((s * (s - b)) * (s - c)) * (s - a));
    return product > 0 ? std::sqrt(product) : 0.0;
}

void AppendTriangleLine(ReportWriter& out, const Triangle& t, QStringView label, double area)
{
    out << TriangleLabel << t.i << t.i + 1 << u": " << t.x0 << u"," << t.y0 << u"; " << t.x1 << u","
        << t.y1 << u"; " << t.x2 << u"," << t.y2 << u"; " << label << area << EndOfLine;
}

} // namespace

Construction ByTriangles(const VertexTexts& vertices, int pointCount, QChar decimalPoint)
{
    Construction result;
    const int n = pointCount - 1;
    if (n < 2)
        return result;
    result.report.reserve(static_cast<qsizetype>(2 * pointCount) * 80);
    result.segments.reserve(2 * static_cast<std::size_t>(pointCount));
    ReportWriter out(result.report, decimalPoint);
    try {
        // The outline reads every vertex once; the fan takes the values again, as reading the
        // unchanged texts afresh would give them.
        std::vector<QPointF> read(static_cast<std::size_t>(pointCount));
        WalkEdges(vertices, n, [&](const Edge& e) {
            read[e.start] = {e.xp, e.yp};
            result.segments.push_back(MakeSegment(e.xp, e.yp, e.xc, e.yc, Solid));
        });
        double T = 0;
        WalkFan(
            n, [&](int k) { return read[k]; },
            [&](const Triangle& t) {
                result.segments.push_back(MakeSegment(t.x0, t.y0, t.x1, t.y1, DashDot));
                const double H = Heron(t);
                const double S = OrientedArea(t);
                T = Finite(T + S);
                AppendTriangleLine(out, t, u" Херон = ", H);
                AppendTriangleLine(out, t, u" Ориентирано = ", std::abs(S));
            });
        out << TotalLabel << std::abs(T) << EndOfLine;
    } catch (const platform::RunTimeError& error) {
        result.failure = error;
    }
    return result;
}

} // namespace geometry
