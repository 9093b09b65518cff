// The window on a screen scaled by VOLUNDE_SCALE (QT_SCALE_FACTOR): the drawing is kept at device
// resolution, presses give the same twips as at scale 1 for the same logical point, and dots and
// lines cover whole blocks of device pixels, pure black on white, with nothing blurred.

#include "app/volunde.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

// Readable sizes and rectangles in failure messages.
inline void PrintTo(const QSize& size, std::ostream* out)
{
    *out << size.width() << " x " << size.height();
}
inline void PrintTo(const QRect& rect, std::ostream* out)
{
    *out << rect.width() << " x " << rect.height() << " at " << rect.x() << "," << rect.y();
}

namespace {

constexpr int Scale = VOLUNDE_SCALE;
constexpr QRgb Black = 0xff000000;
constexpr QRgb White = 0xffffffff;

// The black pixels of an image: how many, where, and whether anything is neither black nor white.
struct Ink {
    int count = 0;
    QRect bounds;
    bool onlyBlackAndWhite = true;
};

Ink InkOf(const QImage& image, const QRect& area)
{
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y) | 0xff000000;
            if (pixel == Black) {
                ++ink.count;
                ink.bounds |= QRect(x, y, 1, 1);
            } else if (pixel != White) {
                ink.onlyBlackAndWhite = false;
            }
        }
    return ink;
}

// Whether every Scale x Scale block of device pixels is one colour: the drawing is made of whole
// logical pixels, not smoothed across them.
bool BlocksAreUniform(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y + Scale - 1 <= area.bottom(); y += Scale)
        for (int x = area.left(); x + Scale - 1 <= area.right(); x += Scale)
            for (int dy = 0; dy < Scale; ++dy)
                for (int dx = 0; dx < Scale; ++dx)
                    if (image.pixel(x + dx, y + dy) != image.pixel(x, y))
                        return false;
    return true;
}

class HighDpi : public ::testing::Test {
  protected:
    HighDpi()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    platform::PictureBox& picture() { return window.Picture1; }
    QPoint inside(int x, int y) { return picture().contentsRect().topLeft() + QPoint(x, y); }

    Volunde window;
};

TEST_F(HighDpi, WindowKeepsItsLogicalSizeAndHasScaleTimesTheDevicePixels)
{
    ASSERT_EQ(window.devicePixelRatioF(), Scale)
        << "QT_SCALE_FACTOR is '" << qgetenv("QT_SCALE_FACTOR").constData() << "'";
    EXPECT_EQ(window.size(), QSize(7635 / 15, 6360 / 15));
    const QPixmap shot = window.grab();
    EXPECT_EQ(shot.size(), window.size() * Scale);
    EXPECT_EQ(shot.devicePixelRatio(), Scale);
}

TEST_F(HighDpi, BackingImageIsAtDeviceResolution)
{
    const QSize logical = picture().contentsRect().size();
    const QImage& image = picture().image();
    EXPECT_EQ(image.size(), logical * Scale);
    EXPECT_EQ(image.devicePixelRatio(), Scale);
    EXPECT_EQ(image.deviceIndependentSize(), QSizeF(logical));
    // Erasing keeps the resolution.
    picture().Cls();
    EXPECT_EQ(picture().image().size(), logical * Scale);
}

// A press at a logical point of the inside, and the twips the lists must show for it.
struct PressCase {
    QPointF at;
    const char* x;
    const char* y;
};

void PrintTo(const PressCase& c, std::ostream* out)
{
    *out << "(" << c.at.x() << ", " << c.at.y() << ")";
}

class PressTwips : public HighDpi, public ::testing::WithParamInterface<PressCase> {};

TEST_P(PressTwips, ListsShowTheSameTwipsAsAtScaleOne)
{
    const PressCase& c = GetParam();
    if (c.at == c.at.toPoint()) {
        // Whole logical pixels go the way a user's press goes, through the window system.
        QTest::mousePress(&picture(), Qt::LeftButton, {}, inside(c.at.x(), c.at.y()));
        QTest::mouseRelease(&picture(), Qt::LeftButton, {}, inside(c.at.x(), c.at.y()));
    } else {
        // A press between logical pixels, as a scaled screen delivers it, counts as the logical
        // pixel it falls in.
        const QPointF local = QPointF(picture().contentsRect().topLeft()) + c.at;
        QMouseEvent event(QEvent::MouseButtonPress, local, picture().mapToGlobal(local),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&picture(), &event);
    }
    ASSERT_EQ(window.List1(0).ListCount(), 1);
    EXPECT_EQ(window.List1(0).List(0), QString::fromLatin1(c.x));
    EXPECT_EQ(window.List1(1).List(0), QString::fromLatin1(c.y));
}

INSTANTIATE_TEST_SUITE_P(
    LogicalPoints, PressTwips,
    ::testing::Values(PressCase{{0, 0}, "0", "0"}, PressCase{{1, 1}, "15", "15"},
                      PressCase{{100, 40}, "1500", "600"}, PressCase{{480, 190}, "7200", "2850"},
                      PressCase{{100.5, 40.5}, "1500", "600"},
                      PressCase{{100.75, 40.25}, "1500", "600"}),
    [](const ::testing::TestParamInfo<PressCase>& info) {
        QString name = QStringLiteral("At%1x%2").arg(info.param.at.x()).arg(info.param.at.y());
        return name.replace(u'.', u'_').toStdString();
    });

TEST_F(HighDpi, FivePixelDotCoversFiveLogicalPixelsOfWholeDevicePixelBlocks)
{
    QTest::mouseClick(&picture(), Qt::LeftButton, {}, inside(100, 40));
    const QImage& image = picture().image();
    const Ink ink = InkOf(image, image.rect());
    // A round dot five logical pixels across: 21 of the 5 x 5 pixels, corners left out.
    EXPECT_EQ(ink.bounds, QRect(98 * Scale, 38 * Scale, 5 * Scale, 5 * Scale));
    EXPECT_EQ(ink.count, 21 * Scale * Scale);
    EXPECT_TRUE(ink.onlyBlackAndWhite);
    EXPECT_TRUE(BlocksAreUniform(image, ink.bounds));
}

TEST_F(HighDpi, ThinLinesAreOneLogicalPixelWideAndSolid)
{
    picture().setDrawWidth(1);
    picture().setDrawStyle(platform::PictureBox::Solid);
    picture().Line(150, 300, 1500, 300, 0);   // logical row 20, pixels 10 to 100
    picture().Line(3000, 150, 3000, 1500, 0); // logical column 200, pixels 10 to 100
    const QImage& image = picture().image();
    // The middle of each line: Scale device pixels thick, every one of them black.
    const Ink across = InkOf(image, QRect(20 * Scale, 0, 70 * Scale, 60 * Scale));
    EXPECT_EQ(across.bounds.width(), 70 * Scale);
    EXPECT_EQ(across.bounds.height(), Scale);
    EXPECT_LE(std::abs(across.bounds.top() - 20 * Scale), Scale - 1);
    EXPECT_EQ(across.count, across.bounds.width() * across.bounds.height());
    const Ink down = InkOf(image, QRect(150 * Scale, 20 * Scale, 100 * Scale, 70 * Scale));
    EXPECT_EQ(down.bounds.height(), 70 * Scale);
    EXPECT_EQ(down.bounds.width(), Scale);
    EXPECT_LE(std::abs(down.bounds.left() - 200 * Scale), Scale - 1);
    EXPECT_EQ(down.count, down.bounds.width() * down.bounds.height());
    EXPECT_TRUE(InkOf(image, image.rect()).onlyBlackAndWhite);
}

TEST_F(HighDpi, ScreenShowsTheDrawingAtDeviceResolution)
{
    QTest::mouseClick(&picture(), Qt::LeftButton, {}, inside(100, 40));
    // What the widget paints, not the backing image: no upscaled, blurred copy of a smaller one.
    const QImage shown = picture().grab().toImage();
    ASSERT_EQ(shown.size(), picture().size() * Scale);
    const QRect insideDevice(picture().contentsRect().topLeft() * Scale,
                             picture().contentsRect().size() * Scale);
    const Ink ink = InkOf(shown, insideDevice);
    EXPECT_EQ(ink.bounds,
              QRect(insideDevice.topLeft() + QPoint(98, 38) * Scale, QSize(5, 5) * Scale));
    EXPECT_EQ(ink.count, 21 * Scale * Scale);
    EXPECT_TRUE(ink.onlyBlackAndWhite);
    // A part painted alone, as a repaint of the cross or a tint paints it, shows the same.
    const QRect part(inside(90, 30), QSize(20, 20));
    EXPECT_EQ(picture().grab(part).toImage(),
              shown.copy(QRect(part.topLeft() * Scale, part.size() * Scale)));
}

// The lit total line copied from the report's menu, then the surface reached by Tab, with its
// cross shown, copied by Ctrl+C.
TEST_F(HighDpi, CopiedDrawingIsTheSurfaceAsShownWithoutTheCrossOrTheFocusMark)
{
    for (const QPoint p : {QPoint(40, 20), QPoint(300, 60), QPoint(120, 170)})
        QTest::mouseClick(&picture(), Qt::LeftButton, {}, inside(p.x(), p.y()));
    QTest::mouseClick(&window.Command1(1), Qt::LeftButton);
    QCoreApplication::processEvents();
    platform::TextBox& report = window.Text1(0);
    report.setFocus();
    report.setTextCursor(QTextCursor(report.document()->findBlockByNumber(2)));
    ASSERT_TRUE(picture().TintShown());
    auto copied = [] {
        return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    };
    ASSERT_EQ(report.actions().value(0)->text(), QStringLiteral("Копирай &чертежа"));
    report.actions()[0]->trigger();
    EXPECT_EQ(
        copied(),
        picture().grab(picture().contentsRect()).toImage().convertToFormat(QImage::Format_RGB32));
    QTest::keyClick(&report, Qt::Key_Tab);
    QTest::keyClick(&picture(), Qt::Key_Right);
    ASSERT_TRUE(picture().CrossShown());
    QTest::keyClick(&picture(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copied(), picture().image());
}

} // namespace
