#include "platform/picture_box.h"
#include "platform/pixel_record.h"
#include "platform/twips.h"
#include "widget_helpers.h"

#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace {

using platform::PictureBox;
using platform::TwipsPerPixel;

constexpr QRgb Black = 0xff000000;
constexpr QRgb Red = 0xffff0000;
constexpr QRgb Paper = 0xfff0e0c0; // a background that is neither white nor black
constexpr int Border = 2;
constexpr int InsideWidth = 100;
constexpr int InsideHeight = 60;

float Twips(int pixels)
{
    return static_cast<float>(pixels * TwipsPerPixel);
}

class PictureBoxTest : public ::testing::Test {
  protected:
    PictureBoxTest() : host(QRect(7, 9, InsideWidth + 2 * Border, InsideHeight + 2 * Border))
    {
        QPalette colours = box().palette();
        colours.setColor(QPalette::Window, QColor(Paper));
        box().setPalette(colours);
        box().Cls();
    }
    PictureBox& box() { return *host.control; }
    QRgb pixel(int x, int y) { return box().image().pixel(x, y); }
    // The inside as the screen shows it once the events are processed: what was painted, where
    // a grab of the widget would paint it afresh.
    QImage screen()
    {
        QTest::qWait(50);
        const QRect inside = box().contentsRect();
        const QImage shown = host.window.screen()->grabWindow(host.window.winId()).toImage();
        return shown.copy(QRect(box().mapTo(&host.window, inside.topLeft()), inside.size()));
    }

    // The pixels of the drawing in `colour`, as "x,y" texts.
    std::vector<QPoint> pixelsIn(QRgb colour)
    {
        std::vector<QPoint> found;
        const QImage& image = box().image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == colour)
                    found.emplace_back(x, y);
        return found;
    }

    // The lengths of the alternating runs of black and background along row `y`, from x 0.
    std::vector<int> runs(int y, int width)
    {
        std::vector<int> lengths;
        QRgb last = pixel(0, y);
        int length = 0;
        for (int x = 0; x < width; ++x) {
            if (pixel(x, y) != last) {
                lengths.push_back(length);
                length = 0;
                last = pixel(x, y);
            }
            ++length;
        }
        lengths.push_back(length);
        return lengths;
    }

    testing_helpers::Hosted<PictureBox> host;
};

TEST_F(PictureBoxTest, ImageCoversTheInsideOfTheBorder)
{
    EXPECT_EQ(box().image().size(), QSize(InsideWidth, InsideHeight));
    EXPECT_EQ(box().contentsRect(), QRect(Border, Border, InsideWidth, InsideHeight));
}

TEST_F(PictureBoxTest, HeightIsTheOuterHeightInTwips)
{
    EXPECT_EQ(box().Height(), (InsideHeight + 2 * Border) * TwipsPerPixel);
    box().setFixedHeight(200);
    EXPECT_EQ(box().Height(), 3000.0f);
}

TEST_F(PictureBoxTest, ClsErasesEverythingToTheBackground)
{
    box().setDrawWidth(5);
    box().PSet(Twips(10), Twips(10));
    box().Line(0, 0, Twips(99), Twips(59), Black);
    box().Cls();
    EXPECT_EQ(pixelsIn(Paper).size(), static_cast<std::size_t>(InsideWidth * InsideHeight));
}

TEST_F(PictureBoxTest, WideDotIsRoundAndCentredOnThePointInForeColor)
{
    EXPECT_EQ(box().ForeColor().rgb(), Black);
    box().setDrawWidth(5);
    box().PSet(Twips(20) + 7, Twips(30) + 14); // anywhere within the pixel (20, 30)
    const std::vector<QPoint> dot = pixelsIn(Black);
    ASSERT_EQ(dot.size(), 21u); // 5 x 5 without the four corners
    QPoint sum;
    for (QPoint p : dot) {
        EXPECT_LE(std::abs(p.x() - 20), 2);
        EXPECT_LE(std::abs(p.y() - 30), 2);
        EXPECT_FALSE(std::abs(p.x() - 20) == 2 && std::abs(p.y() - 30) == 2) << "a corner";
        sum += p;
    }
    EXPECT_EQ(sum, QPoint(20 * 21, 30 * 21)) << "symmetric about the point";
    for (int d = -2; d <= 2; ++d) {
        EXPECT_EQ(pixel(20 + d, 30), Black);
        EXPECT_EQ(pixel(20, 30 + d), Black);
    }
}

TEST_F(PictureBoxTest, DotWidthFollowsDrawWidthAndTheGivenColour)
{
    box().setDrawWidth(1);
    box().PSet(Twips(5), Twips(5), Red);
    EXPECT_EQ(pixelsIn(Red), std::vector<QPoint>{QPoint(5, 5)});
    box().setDrawWidth(5);
    box().PSet(Twips(50), Twips(40), Red);
    EXPECT_EQ(pixelsIn(Red).size(), 22u);
    EXPECT_EQ(pixel(50, 40), Red);
    // A black dot over a red one replaces it exactly.
    box().PSet(Twips(50), Twips(40), Black);
    EXPECT_EQ(pixelsIn(Red).size(), 1u);
    EXPECT_EQ(pixelsIn(Black).size(), 21u);
}

TEST_F(PictureBoxTest, DotsAtTheEdgeAreClipped)
{
    box().setDrawWidth(5);
    box().PSet(0, 0);
    box().PSet(Twips(InsideWidth - 1), Twips(InsideHeight - 1));
    EXPECT_EQ(pixel(0, 0), Black);
    EXPECT_EQ(pixel(InsideWidth - 1, InsideHeight - 1), Black);
    EXPECT_EQ(pixelsIn(Black).size(), 2u * 8u); // the quarter of each dot inside
}

TEST_F(PictureBoxTest, LineStylesAreSolidDottedAndDashDot)
{
    box().setDrawWidth(1);
    const int length = 60;
    const int rows[] = {10, 20, 30};
    const int styles[] = {PictureBox::Solid, PictureBox::Dotted, PictureBox::DashDot};
    for (int i = 0; i < 3; ++i) {
        box().setDrawStyle(styles[i]);
        box().Line(0, Twips(rows[i]), Twips(length), Twips(rows[i]), Black);
    }
    // Each line is one pixel thick: the rows above and below stay clean.
    for (int row : rows)
        for (int x = 0; x < InsideWidth; ++x) {
            ASSERT_EQ(pixel(x, row - 1), Paper);
            ASSERT_EQ(pixel(x, row + 1), Paper);
        }
    const std::vector<int> solid = runs(rows[0], length);
    EXPECT_EQ(solid, std::vector<int>{length}) << "a solid line has no gaps";

    // Black runs are the even entries (each row starts black at x 0).
    auto blackRuns = [](const std::vector<int>& r) {
        std::vector<int> black;
        for (std::size_t i = 0; i + 1 < r.size(); i += 2) // the last run may be cut
            black.push_back(r[i]);
        return black;
    };
    const std::vector<int> dotted = blackRuns(runs(rows[1], length));
    const std::vector<int> dashDot = blackRuns(runs(rows[2], length));
    ASSERT_EQ(pixel(0, rows[1]), Black);
    ASSERT_EQ(pixel(0, rows[2]), Black);
    ASSERT_GE(dotted.size(), 8u);
    ASSERT_GE(dashDot.size(), 4u);
    for (int run : dotted)
        EXPECT_LE(run, 2) << "dots are short";
    // Dash-dot alternates long dashes with short dots.
    for (std::size_t i = 0; i < dashDot.size(); ++i) {
        if (i % 2 == 0)
            EXPECT_GE(dashDot[i], 3) << "dash " << i;
        else
            EXPECT_LE(dashDot[i], 2) << "dot " << i;
    }
}

TEST_F(PictureBoxTest, LineGoesFromPointToPoint)
{
    box().setDrawWidth(1);
    box().Line(Twips(10), Twips(5), Twips(10), Twips(45), Black);
    box().Line(Twips(30), Twips(50), Twips(70), Twips(10), Black);
    for (int y = 6; y < 45; ++y)
        EXPECT_EQ(pixel(10, y), Black) << y;
    EXPECT_EQ(pixel(30, 50), Black);
    EXPECT_EQ(pixel(50, 30), Black);
    EXPECT_EQ(pixel(11, 20), Paper);
    platform::PixelRecord record;
    box().setRecord(&record);
    box().setDrawWidth(3);
    box().Line(Twips(60), Twips(5), Twips(95), Twips(55), Red);
    box().setRecord(nullptr);
    box().Restore(record);
    EXPECT_TRUE(pixelsIn(Red).empty()) << "a record keeps what a line drew over";
}

TEST_F(PictureBoxTest, DrawingSurvivesHideAndShow)
{
    host.show();
    box().setDrawWidth(5);
    box().PSet(Twips(40), Twips(20), Red);
    box().setDrawWidth(1);
    box().Line(0, Twips(50), Twips(90), Twips(50), Black);
    host.window.hide();
    QCoreApplication::processEvents();
    host.show();
    EXPECT_EQ(pixel(40, 20), Red);
    // What the widget paints on screen is the drawing, inside the border.
    const QImage shown = box().grab().toImage();
    EXPECT_EQ(shown.pixel(Border + 40, Border + 20), Red);
    EXPECT_EQ(shown.pixel(Border + 60, Border + 50), Black);
    EXPECT_EQ(shown.pixel(Border + 60, Border + 30), Paper);
    EXPECT_NE(shown.pixel(0, 0), Paper) << "the border is not part of the drawing";
}

TEST_F(PictureBoxTest, DrawingAppearsOnScreenAfterTheEventLoopRuns)
{
    host.show();
    box().setDrawWidth(5);
    box().PSet(Twips(10), Twips(10));
    EXPECT_EQ(screen().pixel(10, 10), Black);
    box().Cls();
    EXPECT_EQ(screen().pixel(10, 10), Paper);
}

// The cross's arms run from 3 to 8 pixels out, so that a dot under it shows whole; moved, it
// leaves nothing behind on the screen.
TEST_F(PictureBoxTest, CrossLeavesItsPointFreeAndNothingBehindWhenMoved)
{
    host.show();
    box().ShowCross(Twips(70), Twips(40));
    box().update(); // painted whole, as after a drawing
    const QImage first = screen();
    box().ShowCross(Twips(30), Twips(30));
    const QImage moved = screen();
    for (const QPoint arm : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
        for (int d = 0; d <= 10; ++d) {
            const QPoint at = QPoint(70, 40) + arm * d;
            EXPECT_EQ(first.pixel(at) == qRgb(255, 0, 255), d >= 3 && d <= 8) << at.x() << at.y();
            EXPECT_EQ(moved.pixel(at), Paper) << at.x() << "," << at.y();
        }
}

// A tint takes in the pixels whose centres its polygon covers, out to the edges of the inside:
// here all but the corner cut off along the line from (60, 60) to (0, 30).
TEST_F(PictureBoxTest, TintCoversThePixelCentresItsPolygonCovers)
{
    host.show();
    const float right = Twips(InsideWidth), bottom = Twips(InsideHeight);
    const platform::Shade blue{qRgb(165, 205, 255)};
    box().ShowTint({{0, 0}, {right, 0}, {right, bottom}, {Twips(60), bottom}, {0, Twips(30)}}, {},
                   blue, blue);
    const QImage shown = screen();
    for (int y = 0; y < InsideHeight; ++y)
        for (int x = 0; x < InsideWidth; ++x) {
            const double beyondCut = (y + 0.5 - 30 - (x + 0.5) / 2) / std::sqrt(1.25);
            if (std::abs(beyondCut) > 0.25) {
                ASSERT_EQ(shown.pixel(x, y), beyondCut < 0 ? qRgb(155, 180, 192) : Paper)
                    << x << "," << y;
            }
        }
    box().ShowTint({{0, 0}, {Twips(10), 0}, {Twips(10), Twips(10)}}, {}, blue, blue);
    EXPECT_EQ(screen().pixel(InsideWidth - 1, 0), Paper) << "the tint before is gone";
}

// A record saves each tile as drawing first reaches it, the last of them too, and puts them back,
// at the pixel ratio of the drawing it goes into.
TEST(PixelRecordTest, PutsBackEveryTileDrawnOver)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Paper);
    const QImage before = image.copy();
    platform::PixelRecord record;
    for (const QRect area : {QRect(0, 0, 64, 32), QRect(0, 32, 32, 32), QRect(32, 32, 32, 32)}) {
        record.Save(image, area);
        QPainter(&image).fillRect(area, Qt::black);
    }
    record.RestoreInto(image);
    EXPECT_EQ(image, before);
    QImage scaled(128, 128, QImage::Format_RGB32), paper = scaled;
    scaled.fill(Black);
    paper.fill(Paper);
    scaled.setDevicePixelRatio(2);
    record.RestoreInto(scaled);
    EXPECT_EQ(scaled, paper) << "put back at twice the pixel ratio";
}

// The mark of a focus from the keyboard, a pixel inside, leaves the screen at a press.
TEST_F(PictureBoxTest, FocusMarkGoesFromTheScreenAtAPress)
{
    host.show();
    host.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host.window));
    box().clearFocus();
    box().setFocus(Qt::TabFocusReason);
    ASSERT_NE(screen().copy(0, 1, InsideWidth, 1), box().image().copy(0, 1, InsideWidth, 1));
    QTest::mouseClick(&box(), Qt::LeftButton, {}, box().contentsRect().center());
    EXPECT_EQ(screen(), box().image());
}

// Every width paints exactly the pixels whose centres lie within half the width of the dot's
// centre: the centre of the point's pixel for an odd width, its top left corner for an even one.
class DotShape : public PictureBoxTest, public ::testing::WithParamInterface<int> {};

TEST_P(DotShape, PixelsWithinHalfTheWidthOfTheCentre)
{
    const int width = GetParam();
    box().setDrawWidth(width);
    box().PSet(Twips(40), Twips(30));
    const double centre = width % 2 ? 40.5 : 40.0;
    const double middle = width % 2 ? 30.5 : 30.0;
    std::vector<QPoint> expected;
    for (int y = 0; y < InsideHeight; ++y)
        for (int x = 0; x < InsideWidth; ++x) {
            const double dx = x + 0.5 - centre;
            const double dy = y + 0.5 - middle;
            if (dx * dx + dy * dy <= width * width / 4.0)
                expected.emplace_back(x, y);
        }
    EXPECT_EQ(pixelsIn(Black), expected);
}

INSTANTIATE_TEST_SUITE_P(Widths, DotShape, ::testing::Range(1, 10),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Width" + std::to_string(info.param);
                         });

// The constructions switch style, and the editor switches colour, from one line to the next.
TEST_F(PictureBoxTest, EachLineTakesTheWidthStyleAndColourSetForIt)
{
    struct Drawn {
        int row, width, style;
        QRgb colour;
    };
    const Drawn lines[] = {{5, 1, PictureBox::Solid, Red},     {10, 1, PictureBox::Dotted, Black},
                           {15, 1, PictureBox::Solid, Black},  {20, 1, PictureBox::Dotted, Red},
                           {30, 3, PictureBox::Solid, Red},    {40, 1, PictureBox::Solid, Red},
                           {45, 1, PictureBox::DashDot, Black}};
    for (const Drawn& d : lines) {
        box().setDrawWidth(d.width);
        box().setDrawStyle(d.style);
        box().Line(0, Twips(d.row), Twips(80), Twips(d.row), d.colour);
    }
    for (const Drawn& d : lines) {
        const std::vector<int> along = runs(d.row, 80);
        EXPECT_EQ(pixel(0, d.row), d.colour) << "row " << d.row;
        if (d.style == PictureBox::Solid)
            EXPECT_EQ(along.size(), 1u) << "row " << d.row << " is solid";
        else
            EXPECT_GT(along.size(), 4u) << "row " << d.row << " is broken";
        int thickness = 0;
        for (int y = d.row - 3; y <= d.row + 3; ++y)
            thickness += pixel(0, y) == d.colour ? 1 : 0;
        EXPECT_EQ(thickness, d.width) << "row " << d.row;
    }
}

struct PressCase {
    const char* name;
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    int buttonCode;
    int shiftCode;
};

class PictureBoxPress : public PictureBoxTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(PictureBoxPress, ReportsButtonShiftAndWholePixelTwipsFromTheInside)
{
    host.show();
    QSignalSpy spy(&box(), &PictureBox::MouseDown);
    const auto [name, button, modifiers, buttonCode, shiftCode] = GetParam();
    QTest::mousePress(&box(), button, modifiers, QPoint(Border + 17, Border + 42));
    QTest::mouseRelease(&box(), button, modifiers, QPoint(Border + 17, Border + 42));
    ASSERT_EQ(spy.size(), 1);
    const QList<QVariant> args = spy.at(0);
    EXPECT_EQ(args.at(0).toInt(), buttonCode);
    EXPECT_EQ(args.at(1).toInt(), shiftCode);
    EXPECT_EQ(args.at(2).toFloat(), 17.0f * TwipsPerPixel);
    EXPECT_EQ(args.at(3).toFloat(), 42.0f * TwipsPerPixel);
}

INSTANTIATE_TEST_SUITE_P(
    ButtonsAndModifiers, PictureBoxPress,
    ::testing::Values(PressCase{"Left", Qt::LeftButton, {}, 1, 0},
                      PressCase{"Right", Qt::RightButton, {}, 2, 0},
                      PressCase{"Middle", Qt::MiddleButton, {}, 4, 0},
                      PressCase{"ShiftLeft", Qt::LeftButton, Qt::ShiftModifier, 1, 1},
                      PressCase{"CtrlLeft", Qt::LeftButton, Qt::ControlModifier, 1, 2},
                      PressCase{"AltRight", Qt::RightButton, Qt::AltModifier, 2, 4},
                      PressCase{"ShiftCtrlLeft", Qt::LeftButton,
                                Qt::ShiftModifier | Qt::ControlModifier, 1, 3}),
    [](const ::testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });

TEST_F(PictureBoxTest, PressesOnTheBorderAreIgnoredAndTheInsideReachesItsEdges)
{
    host.show();
    QSignalSpy spy(&box(), &PictureBox::MouseDown);
    const int right = InsideWidth + 2 * Border - 1;
    const int bottom = InsideHeight + 2 * Border - 1;
    // (QTest takes the point 0,0 for "the centre", so the corner is probed at 1,1.)
    for (QPoint onBorder : {QPoint(1, 1), QPoint(0, 30), QPoint(1, 30), QPoint(50, 1),
                            QPoint(right, 30), QPoint(50, bottom), QPoint(right - 1, bottom - 1)})
        QTest::mousePress(&box(), Qt::LeftButton, {}, onBorder);
    EXPECT_EQ(spy.size(), 0);
    QTest::mousePress(&box(), Qt::LeftButton, {}, QPoint(Border, Border));
    QTest::mousePress(&box(), Qt::LeftButton, {}, QPoint(right - Border, bottom - Border));
    ASSERT_EQ(spy.size(), 2);
    EXPECT_EQ(spy.at(0).at(2).toFloat(), 0.0f);
    EXPECT_EQ(spy.at(0).at(3).toFloat(), 0.0f);
    EXPECT_EQ(spy.at(1).at(2).toFloat(), Twips(InsideWidth - 1));
    EXPECT_EQ(spy.at(1).at(3).toFloat(), Twips(InsideHeight - 1));
}

} // namespace
