#include "trapezoids.h"

#include "areas.h"
#include "report_writer.h"

namespace geometry {

using namespace detail;

namespace {

void AppendTrapezoidLine(ReportWriter& out, const Edge& e, double area)
{
    out << TrapezoidLabel << e.xp << u"," << e.yp << u" : " << e.xc << u"," << e.yc
        << u"; лице на трапец = " << area << EndOfLine;
}

void DrawEdgeAndLeg(Construction& result, const Edge& e, float height)
{
    result.segments.push_back(MakeSegment(e.xp, e.yp, e.xc, e.yc, Solid));
    result.segments.push_back(MakeSegment(e.xp, e.yp, e.xp, height, Dotted));
    result.styleAfter = Dotted;
}

} // namespace

Construction ByTrapezoids(const VertexTexts& vertices, int pointCount, float height,
                          QChar decimalPoint)
{
    Construction result;
    const int n = pointCount - 1;
    if (n < 2)
        return result;
    result.report.reserve(static_cast<qsizetype>(pointCount + 1) * 80);
    result.segments.reserve(static_cast<std::size_t>(pointCount) * 2);
    ReportWriter out(result.report, decimalPoint);
    try {
        double T = 0;
        // The start of each edge is the end of the one before, read unrounded.
        double x = XOf(vertices, 0);
        double y = YOf(vertices, 0);
        for (int i = 1; i <= n; ++i) {
            Edge e{x, y, XOf(vertices, i), 0};
            y = YOf(vertices, i);
            e.yc = platform::CInt(y);
            x = e.xc;
            const double S = TrapezoidArea(e);
            T = Finite(T + S);
            AppendTrapezoidLine(out, e, S);
            DrawEdgeAndLeg(result, e, height);
        }
        const Edge closing{x, y, XOf(vertices, 0), platform::CInt(YOf(vertices, 0))};
        DrawEdgeAndLeg(result, closing, height);
        const double S = TrapezoidArea(closing);
        AppendTrapezoidLine(out, closing, S);
        T = Finite(T + S);
        out << TotalLabel << std::abs(T) << EndOfLine;
    } catch (const platform::RunTimeError& error) {
        result.failure = error;
    }
    return result;
}

} // namespace geometry
