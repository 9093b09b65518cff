// Both methods against an independent area computation, on many random polygons.

#include "geometry/trapezoids.h"
#include "geometry/triangles.h"

#include "report_lines.h"

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

namespace bg = boost::geometry;
using Point = bg::model::d2::point_xy<double>;
// Open rings in either direction: the oracle's area is then signed, and its magnitude is what
// the methods report.
using Polygon = bg::model::polygon<Point, true, false>;

using testing_support::NumberAtEnd;
using testing_support::ReportLines;

// Coordinates in twips inside the drawing surface.
constexpr int Width = 7365;
constexpr int Height = 3000;
// The fourth power of the surface's diagonal, a bound on that of any half perimeter.
constexpr double Diagonal4 = (double(Width) * Width + double(Height) * Height) *
                             (double(Width) * Width + double(Height) * Height);

struct Vertices {
    std::vector<Point> points;
    QStringList xs, ys;
};

Vertices FromPoints(const std::vector<Point>& points)
{
    Vertices v{points, {}, {}};
    for (const Point& p : points) {
        v.xs << QString::number(static_cast<int>(p.x()));
        v.ys << QString::number(static_cast<int>(p.y()));
    }
    return v;
}

double OracleArea(const std::vector<Point>& points)
{
    Polygon polygon;
    for (const Point& p : points)
        bg::append(polygon.outer(), p);
    return std::abs(bg::area(polygon));
}

bool IsSimple(const std::vector<Point>& points)
{
    Polygon polygon;
    for (const Point& p : points)
        bg::append(polygon.outer(), p);
    bg::correct(polygon);
    return bg::is_valid(polygon);
}

// A star-shaped polygon: vertices at sorted random angles around a centre, at random radii, so
// that most are concave. Whole twips, clipped to the surface; polygons that rounding made
// self-touching are drawn again.
std::vector<Point> RandomStarShaped(std::mt19937& random)
{
    std::uniform_int_distribution<int> count(3, 40);
    std::uniform_int_distribution<int> cx(1000, Width - 1000), cy(800, Height - 800);
    for (;;) {
        const int n = count(random);
        const double x0 = cx(random), y0 = cy(random);
        const double reach = std::min({x0, Width - x0, y0, Height - y0});
        std::uniform_real_distribution<double> angle(0, 2 * std::numbers::pi);
        std::uniform_real_distribution<double> radius(0.1 * reach, reach);
        std::vector<double> angles(static_cast<std::size_t>(n));
        for (double& a : angles)
            a = angle(random);
        std::sort(angles.begin(), angles.end());
        std::vector<Point> points;
        for (double a : angles) {
            const double r = radius(random);
            points.emplace_back(std::clamp(std::round(x0 + r * std::cos(a)), 0.0, double(Width)),
                                std::clamp(std::round(y0 + r * std::sin(a)), 0.0, double(Height)));
        }
        if (IsSimple(points))
            return points;
    }
}

// The convex hull of random points, in order around it, starting at a random hull vertex.
std::vector<Point> RandomConvex(std::mt19937& random)
{
    std::uniform_int_distribution<int> count(3, 30), x(0, Width), y(0, Height);
    for (;;) {
        bg::model::multi_point<Point> cloud;
        const int n = count(random);
        for (int k = 0; k < n; ++k)
            bg::append(cloud, Point(x(random), y(random)));
        Polygon hull;
        bg::convex_hull(cloud, hull);
        std::vector<Point> points(hull.outer().begin(), hull.outer().end());
        if (points.size() > 1 && bg::equals(points.front(), points.back()))
            points.pop_back();
        if (points.size() < 3)
            continue;
        std::rotate(points.begin(),
                    points.begin() +
                        std::uniform_int_distribution<std::size_t>(0, points.size() - 1)(random),
                    points.end());
        return points;
    }
}

double Total(const QString& report)
{
    const QStringList lines = ReportLines(report);
    EXPECT_FALSE(lines.isEmpty());
    return lines.isEmpty() ? NAN : NumberAtEnd(lines.last());
}

double TrapezoidTotal(const Vertices& v)
{
    const auto result =
        geometry::ByTrapezoids({v.xs, v.ys}, static_cast<int>(v.xs.size()), float(Height), u'.');
    EXPECT_FALSE(result.failure.has_value());
    return Total(result.report);
}

// Whole-twip vertices make every trapezoid and triangle area a multiple of 0.5 well inside the
// exactly representable range, so both totals are exact; the tolerance only allows for the
// 15 digits the report shows.
constexpr double RelativeTolerance = 1e-13;

void ExpectArea(double actual, double expected)
{
    EXPECT_NEAR(actual, expected, RelativeTolerance * std::max(1.0, expected));
}

TEST(AreaProperties, BothTotalsEqualTheAreaOfRandomSimplePolygons)
{
    std::mt19937 random(20240611);
    for (int polygon = 0; polygon < 300; ++polygon) {
        const Vertices v = FromPoints(RandomStarShaped(random));
        const double area = OracleArea(v.points);
        SCOPED_TRACE(testing::Message()
                     << "polygon " << polygon << ": " << v.xs.size() << " vertices, area " << area);
        ExpectArea(TrapezoidTotal(v), area);
        const auto triangles =
            geometry::ByTriangles({v.xs, v.ys}, static_cast<int>(v.xs.size()), u'.');
        EXPECT_FALSE(triangles.failure.has_value());
        ExpectArea(Total(triangles.report), area);
        if (HasFailure())
            return;
    }
}

TEST(AreaProperties, TotalsDoNotDependOnTheStartOrDirectionOfTravel)
{
    std::mt19937 random(7);
    for (int polygon = 0; polygon < 100; ++polygon) {
        std::vector<Point> points = RandomStarShaped(random);
        const double area = OracleArea(points);
        std::rotate(points.begin(), points.begin() + polygon % points.size(), points.end());
        std::reverse(points.begin(), points.end());
        const Vertices v = FromPoints(points);
        SCOPED_TRACE(testing::Message() << "polygon " << polygon);
        ExpectArea(TrapezoidTotal(v), area);
        ExpectArea(
            Total(geometry::ByTriangles({v.xs, v.ys}, static_cast<int>(v.xs.size()), u'.').report),
            area);
        if (HasFailure())
            return;
    }
}

// On a convex polygon entered in order all fan triangles share one orientation, so the total
// is also the sum of the areas the oriented lines show, and each Heron line agrees with its
// oriented line.
TEST(AreaProperties, OnConvexPolygonsTheTotalIsTheSumOfTheShownAreas)
{
    std::mt19937 random(1234);
    for (int polygon = 0; polygon < 300; ++polygon) {
        const Vertices v = FromPoints(RandomConvex(random));
        const double area = OracleArea(v.points);
        SCOPED_TRACE(testing::Message()
                     << "polygon " << polygon << ": " << v.xs.size() << " vertices, area " << area);
        const auto result =
            geometry::ByTriangles({v.xs, v.ys}, static_cast<int>(v.xs.size()), u'.');
        ASSERT_FALSE(result.failure.has_value());
        const QStringList lines = ReportLines(result.report);
        ASSERT_EQ(lines.size(), 2 * (v.xs.size() - 2) + 1);
        double shown = 0;
        for (qsizetype line = 0; line + 1 < lines.size(); line += 2) {
            const double heron = NumberAtEnd(lines[line]);
            const double oriented = NumberAtEnd(lines[line + 1]);
            EXPECT_GE(oriented, 0);
            // Heron's product carries a rounding error of a few units in the last place of
            // s^4, which on thin triangles is large beside the area itself.
            EXPECT_NEAR(heron * heron, oriented * oriented, 1e-14 * Diagonal4);
            shown += oriented;
        }
        ExpectArea(NumberAtEnd(lines.last()), shown);
        ExpectArea(NumberAtEnd(lines.last()), area);
        ExpectArea(TrapezoidTotal(v), area);
        if (HasFailure())
            return;
    }
}

} // namespace
