// Each report line's figure, found from the line and the vertices: the region it measures and
// whether it adds to the method's signed total or takes away from it.

#include "geometry/figures.h"
#include "geometry/trapezoids.h"
#include "geometry/triangles.h"

#include "report_lines.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

using geometry::Method;

struct Expected {
    int line;
    std::vector<QPointF> corners; // empty: no figure
    bool adds = true;
};

struct FigureCase {
    const char* name;
    Method method;
    QStringList xs, ys;
    std::vector<Expected> lines; // every line of the report, in order
};

class FigureOfEachLine : public ::testing::TestWithParam<FigureCase> {};

TEST_P(FigureOfEachLine, IsTheRegionItMeasuresWithTheSignOfItsArea)
{
    const FigureCase& c = GetParam();
    const int n = static_cast<int>(c.xs.size());
    const QString report = c.method == Method::Trapezoids
                               ? geometry::ByTrapezoids({c.xs, c.ys}, n, 3000.0F, u'.').report
                               : geometry::ByTriangles({c.xs, c.ys}, n, u'.').report;
    ASSERT_EQ(geometry::MethodOfReport(report), c.method);
    const QStringList lines = testing_support::ReportLines(report);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(c.lines.size()));
    for (const Expected& e : c.lines) {
        const auto figure =
            geometry::FigureOfLine({c.xs, c.ys}, n, c.method, e.line, lines[e.line]);
        ASSERT_EQ(figure.has_value(), !e.corners.empty()) << "line " << e.line;
        if (!figure)
            continue;
        EXPECT_EQ(figure->corners, e.corners) << "line " << e.line;
        double twiceArea = 0; // positive for corners running clockwise on the surface
        for (std::size_t k = 0; k < e.corners.size(); ++k) {
            const QPointF a = e.corners[k], b = e.corners[(k + 1) % e.corners.size()];
            twiceArea += a.x() * b.y() - b.x() * a.y();
        }
        EXPECT_EQ((twiceArea > 0) == figure->clockwiseAdds, e.adds) << "line " << e.line;
    }
    // Lines that are not the report's, or not where the line says.
    for (const int line : {-1, static_cast<int>(lines.size())})
        EXPECT_FALSE(geometry::FigureOfLine({c.xs, c.ys}, n, c.method, line, lines.front()));
    EXPECT_FALSE(geometry::FigureOfLine({c.xs, c.ys}, n, c.method, 0, lines.back()));
}

// A rectangle, y downwards: its top edge runs right and takes away, its bottom edge runs left and
// adds; the vertical edges measure nothing. A concave quadrilateral whose fan triangles differ
// in orientation: the first lies outside the polygon and takes away.
INSTANTIATE_TEST_SUITE_P(
    Polygons, FigureOfEachLine,
    ::testing::Values(
        FigureCase{"TrapezoidsOfARectangle",
                   Method::Trapezoids,
                   {"0", "20", "20", "0"},
                   {"10", "10", "30", "30"},
                   {{0, {{0, 10}, {20, 10}, {20, 0}, {0, 0}}, false},
                    {1, {}},
                    {2, {{20, 30}, {0, 30}, {0, 0}, {20, 0}}, true},
                    {3, {}},
                    {4, {{0, 10}, {20, 10}, {20, 30}, {0, 30}}, true}}},
        // A figure eight whose loops cancel: the signed total is 0, which counts as adding;
        // without its slanted closing edge, which runs back to vertex 0, it would be -200. The
        // total line lights the whole outline, each loop by its winding.
        FigureCase{"TrapezoidsOfAFigureEight",
                   Method::Trapezoids,
                   {"10", "30", "10", "30"},
                   {"0", "0", "20", "20"},
                   {{0, {}},
                    {1, {{30, 0}, {10, 20}, {10, 0}, {30, 0}}, true},
                    {2, {{10, 20}, {30, 20}, {30, 0}, {10, 0}}, false},
                    {3, {{30, 20}, {10, 0}, {10, 0}, {30, 0}}, true},
                    {4, {{10, 0}, {30, 0}, {10, 20}, {30, 20}}, false}}},
        FigureCase{"TrianglesOfAConcaveQuadrilateral",
                   Method::Triangles,
                   {"20", "5", "0", "0"},
                   {"0", "5", "20", "0"},
                   {{0, {{20, 0}, {5, 5}, {0, 20}}, false},
                    {1, {{20, 0}, {5, 5}, {0, 20}}, false},
                    {2, {{20, 0}, {0, 20}, {0, 0}}, true},
                    {3, {{20, 0}, {0, 20}, {0, 0}}, true},
                    {4, {{20, 0}, {5, 5}, {0, 20}, {0, 0}}, true}}},
        // The ordinate that ends an edge or a triangle is the rounded one the line shows.
        FigureCase{"RoundedOrdinates",
                   Method::Triangles,
                   {"0", "30", "0"},
                   {"0.5", "0", "40.5"},
                   {{0, {{0, 0.5}, {30, 0}, {0, 40}}, true},
                    {1, {{0, 0.5}, {30, 0}, {0, 40}}, true},
                    {2, {{0, 0}, {30, 0}, {0, 40}}, true}}}),
    [](const ::testing::TestParamInfo<FigureCase>& info) { return std::string(info.param.name); });

TEST(FigureOfLine, NoneForTheHelpTextOrWhereReadingTheVerticesFails)
{
    EXPECT_FALSE(geometry::MethodOfReport(u"Много практически задачи изискват\r\n"));
    EXPECT_FALSE(geometry::MethodOfReport(u""));
    // The third ordinate is beyond 16 bits: the method stopped there, and no line has a figure.
    const QStringList xs{"0", "10", "20"};
    const QStringList ys{"0", "10", "40000"};
    EXPECT_FALSE(geometry::FigureOfLine({xs, ys}, 3, Method::Trapezoids, 0,
                                        u"Координати бедро: 0,0 : 10,10; лице на трапец = -50"));
}

} // namespace
