// The report linked to the figure: the caret's line of the report tints, over the drawing, the
// region it measures, blue where it adds to the total and orange where it takes away.

#include "editor_fixture.h"

#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using namespace editor_testing;

constexpr QRgb Adds = 0xffa5cdff;
constexpr QRgb TakesAway = 0xffffc382;

class ReportFigure : public EditorTest {
  protected:
    ReportFigure()
    {
        // A concave quadrilateral: the fan's first triangle lies outside it.
        for (const QPoint p : {QPoint(200, 8), QPoint(65, 53), QPoint(20, 188), QPoint(20, 8)})
            press(p.x(), p.y());
        QTest::mouseClick(&window.Command1(1), Qt::LeftButton);
        QCoreApplication::processEvents();
        drawing = picture().image();
        plain = shown();
    }

    // A click on line `line` of the report.
    void clickLine(int line)
    {
        platform::TextBox& report = window.Text1(0);
        const QRect start =
            report.cursorRect(QTextCursor(report.document()->findBlockByNumber(line)));
        QTest::mouseClick(report.viewport(), Qt::LeftButton, {}, start.center() + QPoint(40, 0));
    }
    // The surface's inside as the screen shows it.
    QImage shown()
    {
        return picture()
            .grab(picture().contentsRect())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // Whether the surface shows the drawing with the pixels inside `inside` tinted in `hue`
    // (white ground takes the hue, black stays black) and those not `near` it, nor under the
    // vertex numbers, as they are. Only the hue that takes away carries a hatch: diagonal lines
    // of a darker shade.
    ::testing::AssertionResult tinted(const std::function<bool(QPoint)>& inside,
                                      const std::function<bool(QPoint)>& near, QRgb hue)
    {
        const QImage now = shown();
        auto numbered = [&](QPoint p) {
            return std::ranges::any_of(picture().TintNumbers(),
                                       [&](const auto& n) { return n.second.contains(p); });
        };
        auto hatch = [&](QPoint p) {
            const QRgb is = now.pixel(p);
            return inside(p) && drawing.pixel(p) == White && is != hue && qRed(is) <= qRed(hue) &&
                   qGreen(is) <= qGreen(hue) && qBlue(is) <= qBlue(hue);
        };
        int tintedPixels = 0, hatched = 0;
        for (int y = 1; y < now.height(); ++y)
            for (int x = 0; x + 1 < now.width(); ++x) {
                const QRgb is = now.pixel(x, y);
                const QRgb under = drawing.pixel(x, y);
                const QPoint upRight(x + 1, y - 1);
                const bool wrong =
                    !numbered({x, y}) &&
                    ((under == Black && is != Black) ||
                     (inside({x, y}) && !hatch({x, y}) && is != (under == White ? hue : under)) ||
                     (!near({x, y}) && is != under) ||
                     (hatch({x, y}) && inside(upRight) && drawing.pixel(upRight) == White &&
                      !numbered(upRight) && !hatch(upRight)));
                // Along the figure's edges either is right.
                if (wrong)
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is "
                                                         << std::hex << is << ", drawn " << under;
                tintedPixels += is == hue ? 1 : 0;
                hatched += hatch({x, y}) ? 1 : 0;
            }
        if (tintedPixels < 100 || (hatched * 10 > tintedPixels) != (hue == TakesAway))
            return ::testing::AssertionFailure()
                   << tintedPixels << " pixels tinted, " << hatched << " hatched";
        return ::testing::AssertionSuccess();
    }

    QImage drawing;
    QImage plain;
};

// Inside the triangle a, b, c by more than `margin` pixels from its edges; a negative margin
// takes in a band round it.
std::function<bool(QPoint)> Inside(QPointF a, QPointF b, QPointF c, double margin = 1.5)
{
    return [=](QPoint p) {
        auto side = [&](QPointF u, QPointF v) {
            const double cross =
                (v.x() - u.x()) * (p.y() - u.y()) - (v.y() - u.y()) * (p.x() - u.x());
            return cross / std::hypot(v.x() - u.x(), v.y() - u.y());
        };
        const double s1 = side(a, b), s2 = side(b, c), s3 = side(c, a);
        return (s1 > margin && s2 > margin && s3 > margin) ||
               (s1 < -margin && s2 < -margin && s3 < -margin);
    };
}

TEST_F(ReportFigure, TriangleLinesTintTheirTriangleAddingOrTakingAway)
{
    clickLine(1); // the first triangle's oriented line: outside the polygon
    EXPECT_TRUE(tinted(Inside({200, 8}, {65, 53}, {20, 188}),
                       Inside({200, 8}, {65, 53}, {20, 188}, -1.5), TakesAway));
    EXPECT_TRUE(picture().accessibleDescription().startsWith(
        u"Триъгълник 1, 2, 3: изважда се. Върхове: 4."));
    clickLine(2); // the second triangle's Heron line
    EXPECT_TRUE(tinted(Inside({200, 8}, {20, 188}, {20, 8}),
                       Inside({200, 8}, {20, 188}, {20, 8}, -1.5), Adds));
    clickLine(4); // the total: the whole polygon adds
    const auto nearFirst = Inside({200, 8}, {65, 53}, {20, 188}, -1.5);
    const auto second = Inside({200, 8}, {20, 188}, {20, 8});
    EXPECT_TRUE(tinted([&](QPoint p) { return second(p) && !nearFirst(p); },
                       Inside({200, 8}, {20, 188}, {20, 8}, -1.5), Adds));
    EXPECT_EQ(picture().image(), drawing) << "the tint never enters the drawing";
}

TEST_F(ReportFigure, TrapezoidLineTintsDownToTheTopEdge)
{
    QTest::mouseClick(&window.Command1(0), Qt::LeftButton);
    QCoreApplication::processEvents();
    drawing = picture().image();
    clickLine(0); // the edge from (200, 8) left to (65, 53): it adds
    EXPECT_TRUE(tinted([](QPoint p) { return p.x() > 66 && p.x() < 199 && p.y() < 7; },
                       [](QPoint p) { return p.x() >= 64 && p.x() <= 201 && p.y() < 56; }, Adds));
    EXPECT_EQ(window.Text1(0).extraSelections().value(0).format.background().color().rgba(), Adds)
        << "the first line takes its figure's hue";
}

TEST_F(ReportFigure, TintGoesOnFocusOutAndWhenTheReportChanges)
{
    clickLine(3);
    ASSERT_NE(shown(), plain);
    xs().setFocus();
    EXPECT_EQ(shown(), plain);
    EXPECT_TRUE(picture().TintNumbers().empty());
    clickLine(3);
    QTest::keyClick(&window.Text1(0), Qt::Key_A, Qt::ControlModifier); // the caret to the end
    EXPECT_EQ(shown(), plain);
    clickLine(3);
    ASSERT_NE(shown(), plain);
    emit window.Command1(1).Click(); // the same report again, written anew
    EXPECT_TRUE(window.Text1(0).hasFocus());
    EXPECT_EQ(shown(), plain);
    EXPECT_EQ(picture().image(), drawing);
}

TEST_F(ReportFigure, BowTieTotalLightsEachLobeByTheWayItWinds)
{
    QTest::mouseClick(&window.Command1(2), Qt::LeftButton);
    // The left lobe winds clockwise and is the larger, so the signed total has its sense.
    for (const QPoint p : {QPoint(20, 20), QPoint(300, 180), QPoint(300, 120), QPoint(20, 180)})
        press(p.x(), p.y());
    QTest::mouseClick(&window.Command1(0), Qt::LeftButton);
    QCoreApplication::processEvents();
    clickLine(4);
    const QImage now = shown();
    EXPECT_EQ(now.pixel(60, 100), Adds);
    // Of two pixels side by side, one at most is on a diagonal hatch line.
    EXPECT_TRUE(now.pixel(275, 145) == TakesAway || now.pixel(276, 145) == TakesAway);
    EXPECT_EQ(now.pixel(150, 40), White);
    EXPECT_EQ(now.pixel(400, 100), White);
    EXPECT_TRUE(picture().accessibleDescription().startsWith(
        u"Многоъгълник с 4 върха: части се прибавят, части се изваждат."));
}

// A line lit by the caret: its figure's vertex numbers beside their dots, and its hue behind it.
struct LitLine {
    const char* name;
    int command, line;
    std::vector<int> numbers;
    QRgb hue;
};

class LitLineNumbers : public EditorTest, public ::testing::WithParamInterface<LitLine> {};

TEST_P(LitLineNumbers, StandBesideTheirDotsButWhereTheyWouldOverlap)
{
    // Twelve vertices round an ellipse, clockwise; the thirteenth two pixels from the twelfth.
    std::vector<QPoint> dots;
    for (int k = 0; k < 12; ++k)
        dots.emplace_back(qRound(240 + 200 * std::cos(k * M_PI / 6)),
                          qRound(98 + 80 * std::sin(k * M_PI / 6)));
    dots.push_back(dots.back() + QPoint(2, 2));
    for (const QPoint p : dots)
        press(p.x(), p.y());
    QTest::mouseClick(&window.Command1(GetParam().command), Qt::LeftButton);
    QCoreApplication::processEvents();
    platform::TextBox& report = window.Text1(0);
    report.setFocus();
    report.setTextCursor(QTextCursor(report.document()->findBlockByNumber(GetParam().line)));
    const QImage shown = picture().grab(picture().contentsRect()).toImage();
    std::vector<int> numbers;
    for (const auto& [number, box] : picture().TintNumbers()) {
        numbers.push_back(number);
        EXPECT_TRUE(box.adjusted(-4, -4, 4, 4).contains(dots[number - 1])) << number;
        int ink = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                ink += qGray(shown.pixel(x, y)) < 80 ? 1 : 0;
        EXPECT_GE(ink, 5) << number;
    }
    EXPECT_EQ(numbers, GetParam().numbers);
    ASSERT_EQ(report.extraSelections().size(), 1);
    EXPECT_EQ(report.extraSelections()[0].format.background().color().rgba(), GetParam().hue);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LitLineNumbers,
    ::testing::Values(LitLine{"Trapezoid", 0, 3, {4, 5}, Adds},
                      LitLine{"ClosingTrapezoid", 0, 12, {13, 1}, TakesAway},
                      LitLine{"TriangleOfTwoDigitNumbers", 1, 17, {1, 10, 11}, Adds},
                      LitLine{"Total", 1, 22, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, Adds}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
