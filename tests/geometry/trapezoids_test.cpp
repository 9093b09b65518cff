#include "geometry/trapezoids.h"

#include "report_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using geometry::ByTrapezoids;
using geometry::Construction;
using geometry::Segment;
using testing_support::ReportLines;

constexpr float Height = 3000.0f;

Construction Compute(const QStringList& xs, const QStringList& ys, QChar point = u'.')
{
    return ByTrapezoids({xs, ys}, static_cast<int>(xs.size()), Height, point);
}

QString Report(const QStringList& xs, const QStringList& ys, QChar point = u'.')
{
    const auto result = Compute(xs, ys, point);
    EXPECT_FALSE(result.failure.has_value());
    return result.report;
}

TEST(Trapezoids, WorkedTriangleGivesSignedTrapezoidsAndTotal)
{
    EXPECT_EQ(Report({"10", "40", "40"}, {"20", "10", "30"}),
              QStringLiteral("Координати бедро: 10,20 : 40,10; лице на трапец = -450\r\n"
                             "Координати бедро: 40,10 : 40,30; лице на трапец = 0\r\n"
                             "Координати бедро: 40,30 : 10,20; лице на трапец = 750\r\n"
                             "Лице на изпъкнал многоъгълник = 300\r\n"));
}

TEST(Trapezoids, ReversedTriangleFlipsEverySignButNotTheTotal)
{
    EXPECT_EQ(Report({"40", "40", "10"}, {"30", "10", "20"}),
              QStringLiteral("Координати бедро: 40,30 : 40,10; лице на трапец = 0\r\n"
                             "Координати бедро: 40,10 : 10,20; лице на трапец = 450\r\n"
                             "Координати бедро: 10,20 : 40,30; лице на трапец = -750\r\n"
                             "Лице на изпъкнал многоъгълник = 300\r\n"));
}

// 20.5 and 21.5 are read as they stand where their vertex starts an edge and rounded to the
// even neighbour where it ends one, in the numbers shown and in S alike.
TEST(Trapezoids, OrdinateIsRoundedOnlyAtTheEndOfAnEdge)
{
    EXPECT_EQ(Report({"0", "10", "10"}, {"20.5", "21.5", "0"}),
              QStringLiteral("Координати бедро: 0,20.5 : 10,22; лице на трапец = -212.5\r\n"
                             "Координати бедро: 10,21.5 : 10,0; лице на трапец = 0\r\n"
                             "Координати бедро: 10,0 : 0,20; лице на трапец = 100\r\n"
                             "Лице на изпъкнал многоъгълник = 112.5\r\n"));
}

TEST(Trapezoids, RepeatedAndCollinearVerticesGiveZeroAreasWithoutFailure)
{
    EXPECT_EQ(Report({"10", "10", "40", "70"}, {"20", "20", "50", "80"}),
              QStringLiteral("Координати бедро: 10,20 : 10,20; лице на трапец = 0\r\n"
                             "Координати бедро: 10,20 : 40,50; лице на трапец = -1050\r\n"
                             "Координати бедро: 40,50 : 70,80; лице на трапец = -1950\r\n"
                             "Координати бедро: 70,80 : 10,20; лице на трапец = 3000\r\n"
                             "Лице на изпъкнал многоъгълник = 0\r\n"));
}

TEST(Trapezoids, NumbersUseTheGivenDecimalSeparator)
{
    EXPECT_EQ(Report({"0", "15", "0"}, {"0.5", "0", "45"}, u','),
              QStringLiteral("Координати бедро: 0,0,5 : 15,0; лице на трапец = -3,75\r\n"
                             "Координати бедро: 15,0 : 0,45; лице на трапец = 337,5\r\n"
                             "Координати бедро: 0,45 : 0,0; лице на трапец = 0\r\n"
                             "Лице на изпъкнал многоъгълник = 333,75\r\n"));
}

TEST(Trapezoids, EdgesSolidThenLegsDottedDownToTheGivenHeight)
{
    const auto result = Compute({"10", "40", "40"}, {"20", "10", "30.5"});
    const std::vector<Segment> expected{
        {10, 20, 40, 10, geometry::Solid},   {10, 20, 10, Height, geometry::Dotted},
        {40, 10, 40, 30, geometry::Solid},   {40, 10, 40, Height, geometry::Dotted},
        {40, 30.5, 10, 20, geometry::Solid}, {40, 30.5, 40, Height, geometry::Dotted},
    };
    EXPECT_EQ(result.segments, expected);
    EXPECT_EQ(result.styleAfter, geometry::Dotted);
}

// One line per edge, the closing edge last before the total, and one edge and one leg per
// vertex.
class TrapezoidCounts : public testing::TestWithParam<int> {};

TEST_P(TrapezoidCounts, OneLinePerEdgeAndTheTotal)
{
    const int n = GetParam();
    QStringList xs, ys;
    for (int k = 0; k < n; ++k) {
        const double angle = 2 * std::numbers::pi * k / n;
        xs << QString::number(std::lround(1000 + 800 * std::cos(angle)));
        ys << QString::number(std::lround(1000 + 800 * std::sin(angle)));
    }
    const auto result = Compute(xs, ys);
    ASSERT_FALSE(result.failure.has_value());
    const QStringList lines = ReportLines(result.report);
    ASSERT_EQ(lines.size(), n + 1);
    EXPECT_TRUE(lines[n - 1].startsWith(QStringLiteral("Координати бедро: %1,%2 : %3,%4;")
                                            .arg(xs.last(), ys.last(), xs[0], ys[0])));
    EXPECT_TRUE(lines[n].startsWith(QStringLiteral("Лице на изпъкнал многоъгълник = ")));
    EXPECT_EQ(result.segments.size(), static_cast<std::size_t>(2 * n));
}

INSTANTIATE_TEST_SUITE_P(Polygons, TrapezoidCounts, testing::Values(3, 4, 7, 12, 100),
                         testing_support::VertexCountName);

// With fewer than three vertices nothing is computed, drawn or written.
class TrapezoidsTooFewVertices : public testing::TestWithParam<int> {};

TEST_P(TrapezoidsTooFewVertices, GiveAnEmptyResult)
{
    const QStringList xs = QStringList{"10", "40"}.mid(0, GetParam());
    const QStringList ys = QStringList{"20", "10"}.mid(0, GetParam());
    const auto result = Compute(xs, ys);
    EXPECT_TRUE(result.report.isEmpty());
    EXPECT_TRUE(result.segments.empty());
    EXPECT_FALSE(result.failure.has_value());
}

INSTANTIATE_TEST_SUITE_P(Counts, TrapezoidsTooFewVertices, testing::Values(0, 1, 2),
                         testing_support::VertexCountName);

// A run-time error stops the run where it arises; what came before it stays.
struct TrapezoidFailure {
    const char* name;
    friend void PrintTo(const TrapezoidFailure& c, std::ostream* os) { *os << c.name; }
    QStringList xs, ys;
    int linesBefore;
    std::size_t segmentsBefore;
};

class TrapezoidFailures : public testing::TestWithParam<TrapezoidFailure> {};

TEST_P(TrapezoidFailures, StopWithOverflowKeepingWhatCameBefore)
{
    const auto& c = GetParam();
    const auto result = Compute(c.xs, c.ys);
    ASSERT_TRUE(result.failure.has_value());
    EXPECT_EQ(result.failure->number(), platform::Overflow);
    EXPECT_EQ(ReportLines(result.report).size(), c.linesBefore);
    EXPECT_EQ(result.segments.size(), c.segmentsBefore);
    EXPECT_FALSE(result.report.contains(QStringLiteral("многоъгълник")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrapezoidFailures,
    testing::Values(
        // Vertex 2 ends the second edge.
        TrapezoidFailure{"OrdinateBeyondSixteenBitsEndsAnEdge",
                         {"0", "10", "20", "30"},
                         {"0", "10", "40000", "0"},
                         1,
                         2},
        // Vertex 0 starts the first edge unrounded and ends only the closing edge.
        TrapezoidFailure{"OrdinateBeyondSixteenBitsOnlyEndsTheClosingEdge",
                         {"0", "10", "20"},
                         {"40000", "10", "0"},
                         2,
                         4},
        TrapezoidFailure{
            "NegativeOrdinateBeyondSixteenBits", {"0", "10", "20"}, {"0", "-32769", "0"}, 0, 0},
        TrapezoidFailure{
            "AreaBeyondDoubleRange", {"1E200", "-1E200", "0"}, {"1E200", "0", "0"}, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Trapezoids, OrdinatesAtTheSixteenBitLimitsAreAccepted)
{
    const auto result = Compute({"0", "10", "20"}, {"32767.4", "-32768", "0"});
    EXPECT_FALSE(result.failure.has_value());
    EXPECT_EQ(ReportLines(result.report).size(), 4);
}

} // namespace
