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
        WalkEdges(vertices, n, [&](const Edge& e) {
            // The closing edge is drawn before its area is computed, and added to the total
            // after its line.
            if (e.end == 0) {
                DrawEdgeAndLeg(result, e, height);
                const double S = TrapezoidArea(e);
                AppendTrapezoidLine(out, e, S);
                T = Finite(T + S);
                return;
            }
            const double S = TrapezoidArea(e);
            T = Finite(T + S);
            AppendTrapezoidLine(out, e, S);
            DrawEdgeAndLeg(result, e, height);
        });
        out << TotalLabel << std::abs(T) << EndOfLine;
    } catch (const platform::RunTimeError& error) {
        result.failure = error;
    }
    return result;
}

} // namespace geometry
