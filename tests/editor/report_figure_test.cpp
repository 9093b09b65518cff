// The report linked to the figure: the caret's line of the report tints, over the drawing, the
// region it measures, blue where it adds to the total and orange where it takes away.

#include "editor_fixture.h"

#include <QTextBlock>
#include <QTextCursor>

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
    // (white ground takes the hue, black stays black) and those not `near` it as they are.
    ::testing::AssertionResult tinted(const std::function<bool(QPoint)>& inside,
                                      const std::function<bool(QPoint)>& near, QRgb hue)
    {
        const QImage now = shown();
        int tintedPixels = 0;
        for (int y = 0; y < now.height(); ++y)
            for (int x = 0; x < now.width(); ++x) {
                const QRgb is = now.pixel(x, y);
                const QRgb under = drawing.pixel(x, y);
                const bool wrong = (under == Black && is != Black) ||
                                   (inside({x, y}) && is != (under == White ? hue : under)) ||
                                   (!near({x, y}) && is != under);
                // Along the figure's edges either is right.
                if (wrong)
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is "
                                                         << std::hex << is << ", drawn " << under;
                tintedPixels += is == hue ? 1 : 0;
            }
        if (tintedPixels < 100)
            return ::testing::AssertionFailure() << tintedPixels << " pixels tinted";
        return ::testing::AssertionSuccess();
    }

    QImage drawing;
    QImage plain;
};

// Whether a pixel's centre is inside the triangle a, b, c by more than `margin` pixels from its
// edges; a negative margin takes in a band round it.
std::function<bool(QPoint)> Inside(QPointF a, QPointF b, QPointF c, double margin = 1.5)
{
    return [=](QPoint p) {
        auto side = [&](QPointF u, QPointF v) {
            const double cross =
                (v.x() - u.x()) * (p.y() + 0.5 - u.y()) - (v.y() - u.y()) * (p.x() + 0.5 - u.x());
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
    // The second triangle's Heron line, to a quarter pixel: a tint one pixel off shows.
    clickLine(2);
    EXPECT_TRUE(tinted(Inside({200, 8}, {20, 188}, {20, 8}, 0.25),
                       Inside({200, 8}, {20, 188}, {20, 8}, -0.25), Adds));
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
    // Pixels whose centres lie under the edge by more than `margin`, to a quarter pixel.
    const auto under = [](double margin) {
        return [margin](QPoint p) {
            const double x = p.x() + 0.5, y = p.y() + 0.5;
            return x > 65 + margin && x < 200 - margin && y < 8 + (200 - x) / 3 - margin;
        };
    };
    EXPECT_TRUE(tinted(under(0.25), under(-0.25), Adds));
}

TEST_F(ReportFigure, TintGoesOnFocusOutAndWhenTheReportChanges)
{
    clickLine(3);
    ASSERT_NE(shown(), plain);
    xs().setFocus();
    EXPECT_EQ(shown(), plain);
    clickLine(3);
    ASSERT_NE(shown(), plain);
    emit window.Command1(1).Click(); // the same report again, written anew
    EXPECT_TRUE(window.Text1(0).hasFocus());
    EXPECT_EQ(shown(), plain);
    EXPECT_EQ(picture().image(), drawing);
}

} // namespace
