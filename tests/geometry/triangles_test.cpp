#include "geometry/triangles.h"

#include "report_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using geometry::ByTriangles;
using geometry::Construction;
using geometry::Segment;
using testing_support::NumberAtEnd;
using testing_support::ReportLines;

Construction Compute(const QStringList& xs, const QStringList& ys, QChar point = u'.')
{
    return ByTriangles({xs, ys}, static_cast<int>(xs.size()), point);
}

// Worked polygons whose whole report is known.
struct WorkedPolygon {
    const char* name;
    friend void PrintTo(const WorkedPolygon& c, std::ostream* os) { *os << c.name; }
    QStringList xs, ys;
    QString report;
};

class TriangleReports : public testing::TestWithParam<WorkedPolygon> {};

TEST_P(TriangleReports, MatchByteForByte)
{
    const auto& c = GetParam();
    const auto result = Compute(c.xs, c.ys);
    EXPECT_FALSE(result.failure.has_value());
    EXPECT_EQ(result.report, c.report);
}

INSTANTIATE_TEST_SUITE_P(
    Polygons, TriangleReports,
    testing::Values(
        WorkedPolygon{"RightTriangle",
                      {"0", "30", "0"},
                      {"0", "0", "40"},
                      QStringLiteral("Върхове 123: 0,0; 30,0; 0,40;  Херон = 600\r\n"
                                     "Върхове 123: 0,0; 30,0; 0,40;  Ориентирано = 600\r\n"
                                     "Лице на изпъкнал многоъгълник = 600\r\n")},
        // The other direction of travel turns S negative; only |S| is shown.
        WorkedPolygon{"RightTriangleReversed",
                      {"0", "30", "0"},
                      {"40", "0", "0"},
                      QStringLiteral("Върхове 123: 0,40; 30,0; 0,0;  Херон = 600\r\n"
                                     "Върхове 123: 0,40; 30,0; 0,0;  Ориентирано = 600\r\n"
                                     "Лице на изпъкнал многоъгълник = 600\r\n")},
        WorkedPolygon{"Rectangle",
                      {"0", "20", "20", "0"},
                      {"0", "0", "30", "30"},
                      QStringLiteral("Върхове 123: 0,0; 20,0; 20,30;  Херон = 300\r\n"
                                     "Върхове 123: 0,0; 20,0; 20,30;  Ориентирано = 300\r\n"
                                     "Върхове 134: 0,0; 20,30; 0,30;  Херон = 300\r\n"
                                     "Върхове 134: 0,0; 20,30; 0,30;  Ориентирано = 300\r\n"
                                     "Лице на изпъкнал многоъгълник = 600\r\n")},
        // Fan triangles of opposite orientation: the total is |sum of S|, the enclosed area,
        // not the sum of the areas shown.
        WorkedPolygon{"ConcaveQuadrilateral",
                      {"20", "5", "0", "0"},
                      {"0", "5", "20", "0"},
                      QStringLiteral("Върхове 123: 20,0; 5,5; 0,20;  Херон = 100\r\n"
                                     "Върхове 123: 20,0; 5,5; 0,20;  Ориентирано = 100\r\n"
                                     "Върхове 134: 20,0; 0,20; 0,0;  Херон = 200\r\n"
                                     "Върхове 134: 20,0; 0,20; 0,0;  Ориентирано = 200\r\n"
                                     "Лице на изпъкнал многоъгълник = 100\r\n")},
        // 21.5 and 20.5 stand unrounded for a second vertex and are rounded to the even
        // neighbour for a third vertex, in the coordinates shown and in the areas.
        WorkedPolygon{"FractionalOrdinates",
                      {"0", "10", "20", "30"},
                      {"0", "21.5", "20.5", "0"},
                      QStringLiteral("Върхове 123: 0,0; 10,21.5; 20,20;  Херон = 115\r\n"
                                     "Върхове 123: 0,0; 10,21.5; 20,20;  Ориентирано = 115\r\n"
                                     "Върхове 134: 0,0; 20,20.5; 30,0;  Херон = 307.5\r\n"
                                     "Върхове 134: 0,0; 20,20.5; 30,0;  Ориентирано = 307.5\r\n"
                                     "Лице на изпъкнал многоъгълник = 422.5\r\n")},
        // Collinear: the rounded sides leave Heron's product just below zero here.
        WorkedPolygon{"CollinearVertices",
                      {"0", "1", "4"},
                      {"0", "3", "12"},
                      QStringLiteral("Върхове 123: 0,0; 1,3; 4,12;  Херон = 0\r\n"
                                     "Върхове 123: 0,0; 1,3; 4,12;  Ориентирано = 0\r\n"
                                     "Лице на изпъкнал многоъгълник = 0\r\n")},
        WorkedPolygon{"SecondVertexRepeatsTheFirst",
                      {"10", "10", "40"},
                      {"20", "20", "60"},
                      QStringLiteral("Върхове 123: 10,20; 10,20; 40,60;  Херон = 0\r\n"
                                     "Върхове 123: 10,20; 10,20; 40,60;  Ориентирано = 0\r\n"
                                     "Лице на изпъкнал многоъгълник = 0\r\n")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Triangles, NumbersUseTheGivenDecimalSeparator)
{
    const auto result = Compute({"0", "15", "0"}, {"0", "0.5", "45"}, u',');
    const QStringList lines = ReportLines(result.report);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Върхове 123: 0,0; 15,0,5; 0,45;  Херон = ")));
    EXPECT_EQ(lines[1], QStringLiteral("Върхове 123: 0,0; 15,0,5; 0,45;  Ориентирано = 337,5"));
    EXPECT_EQ(lines[2], QStringLiteral("Лице на изпъкнал многоъгълник = 337,5"));
}

// The triangle numbers run together in the label, also once they have two digits.
TEST(Triangles, LabelsRunMultiDigitNumbersTogether)
{
    QStringList xs, ys;
    for (int k = 0; k < 12; ++k) {
        const double angle = 2 * std::numbers::pi * k / 12;
        xs << QString::number(std::lround(500 + 400 * std::cos(angle)));
        ys << QString::number(std::lround(500 + 400 * std::sin(angle)));
    }
    const QStringList lines = ReportLines(Compute(xs, ys).report);
    ASSERT_EQ(lines.size(), 21);
    const auto label = [&](int i, int which) {
        return lines[2 * (i - 2) + which].section(u':', 0, 0);
    };
    EXPECT_EQ(label(2, 0), QStringLiteral("Върхове 123"));
    EXPECT_EQ(label(8, 1), QStringLiteral("Върхове 189"));
    EXPECT_EQ(label(9, 0), QStringLiteral("Върхове 1910"));
    EXPECT_EQ(label(10, 0), QStringLiteral("Върхове 11011"));
    EXPECT_EQ(label(10, 1), QStringLiteral("Върхове 11011"));
    EXPECT_EQ(label(11, 1), QStringLiteral("Върхове 11112"));
}

TEST(Triangles, OutlineSolidThenFanLinesToEveryVertexButTheLast)
{
    const auto result = Compute({"0", "20", "20", "0"}, {"0", "0", "30", "30"});
    const std::vector<Segment> expected{
        {0, 0, 20, 0, geometry::Solid},   {20, 0, 20, 30, geometry::Solid},
        {20, 30, 0, 30, geometry::Solid}, {0, 30, 0, 0, geometry::Solid},
        {0, 0, 20, 0, geometry::DashDot}, {0, 0, 20, 30, geometry::DashDot},
    };
    EXPECT_EQ(result.segments, expected);
    EXPECT_EQ(result.styleAfter, geometry::Solid);
}

// An edge ends at its rounded ordinate; the common vertex and the start of each line keep the
// text's value, and the first vertex is rounded only where the closing edge ends.
TEST(Triangles, LinesEndAtRoundedOrdinatesAndStartAtTheTextValues)
{
    const auto result = Compute({"0", "10", "20", "30"}, {"20.5", "21.5", "20.5", "0"});
    const std::vector<Segment> expected{
        {0, 20.5, 10, 22, geometry::Solid},     {10, 21.5, 20, 20, geometry::Solid},
        {20, 20.5, 30, 0, geometry::Solid},     {30, 0, 0, 20, geometry::Solid},
        {0, 20.5, 10, 21.5, geometry::DashDot}, {0, 20.5, 20, 20.5, geometry::DashDot},
    };
    EXPECT_EQ(result.segments, expected);
    const QStringList lines = ReportLines(result.report);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Върхове 123: 0,20.5; 10,21.5; 20,20;")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Върхове 134: 0,20.5; 20,20.5; 30,0;")));
}

class TriangleCounts : public testing::TestWithParam<int> {};

TEST_P(TriangleCounts, TwoLinesPerTriangleAndTheTotal)
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
    ASSERT_EQ(lines.size(), 2 * (n - 2) + 1);
    for (int line = 0; line + 1 < lines.size(); ++line)
        EXPECT_TRUE(lines[line].contains(line % 2 ? QStringLiteral(";  Ориентирано = ")
                                                  : QStringLiteral(";  Херон = ")))
            << lines[line].toStdString();
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("Лице на изпъкнал многоъгълник = ")));
    EXPECT_EQ(result.segments.size(), static_cast<std::size_t>(n + (n - 2)));
    // Heron's area and the oriented one agree for every triangle of a regular polygon.
    for (int line = 0; line + 1 < lines.size(); line += 2)
        EXPECT_NEAR(NumberAtEnd(lines[line]), NumberAtEnd(lines[line + 1]),
                    1e-6 * NumberAtEnd(lines[line + 1]));
}

INSTANTIATE_TEST_SUITE_P(Polygons, TriangleCounts, testing::Values(3, 4, 7, 12, 100),
                         testing_support::VertexCountName);

class TrianglesTooFewVertices : public testing::TestWithParam<int> {};

TEST_P(TrianglesTooFewVertices, GiveAnEmptyResult)
{
    const QStringList xs = QStringList{"0", "30"}.mid(0, GetParam());
    const QStringList ys = QStringList{"0", "0"}.mid(0, GetParam());
    const auto result = Compute(xs, ys);
    EXPECT_TRUE(result.report.isEmpty());
    EXPECT_TRUE(result.segments.empty());
    EXPECT_FALSE(result.failure.has_value());
}

INSTANTIATE_TEST_SUITE_P(Counts, TrianglesTooFewVertices, testing::Values(0, 1, 2),
                         testing_support::VertexCountName);

struct TriangleFailure {
    const char* name;
    friend void PrintTo(const TriangleFailure& c, std::ostream* os) { *os << c.name; }
    QStringList xs, ys;
    std::size_t segmentsBefore;
};

class TriangleFailures : public testing::TestWithParam<TriangleFailure> {};

// The outline is drawn before any triangle is computed, so a failing vertex stops the run
// with no report and the edges before it drawn.
TEST_P(TriangleFailures, StopWithOverflowKeepingTheEdgesBefore)
{
    const auto& c = GetParam();
    const auto result = Compute(c.xs, c.ys);
    ASSERT_TRUE(result.failure.has_value());
    EXPECT_EQ(result.failure->number(), platform::Overflow);
    EXPECT_TRUE(result.report.isEmpty());
    EXPECT_EQ(result.segments.size(), c.segmentsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TriangleFailures,
    testing::Values(TriangleFailure{"OrdinateBeyondSixteenBitsEndsAnEdge",
                                    {"0", "10", "20", "30"},
                                    {"0", "10", "40000", "0"},
                                    1},
                    TriangleFailure{"FirstOrdinateBeyondSixteenBitsEndsTheClosingEdge",
                                    {"0", "10", "20"},
                                    {"40000", "10", "0"},
                                    2},
                    TriangleFailure{
                        "AbscissaBeyondSingleRange", {"0", "10", "1E39"}, {"0", "10", "0"}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
