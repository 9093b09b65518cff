#include "geometry/trapezoids.h"

#include <gtest/gtest.h>

namespace {

using geometry::ByTrapezoids;

QString Report(const QStringList& xs, const QStringList& ys, QChar point = u'.')
{
    const auto result = ByTrapezoids({xs, ys}, static_cast<int>(xs.size()), 3000.0f, point);
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

} // namespace
