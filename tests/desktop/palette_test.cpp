// The window looks as laid out whatever the desktop's colour scheme: black ink on the white
// surface, black captions on the labels' and buttons' own colours, black text on white lists and
// report, and button faces flat in exactly their colours.

#include "app/volunde.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr QRgb Black = 0xff000000;
constexpr QRgb White = 0xffffffff;

// A dark scheme as desktops set it: light text on dark grey everywhere.
QPalette DarkPalette()
{
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::WindowText, QColor(240, 240, 240));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(240, 240, 240));
    dark.setColor(QPalette::ButtonText, QColor(240, 240, 240));
    dark.setColor(QPalette::Highlight, QColor(220, 220, 220));
    dark.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    return dark;
}

// Brightness from 0 to 255.
int Grey(QRgb c)
{
    return qGray(c);
}

// Whether `image` holds pixels of the ink (darker than 64) and none lighter than `lightest`,
// inside `inset` pixels from its edges.
::testing::AssertionResult DarkInkOnly(const QImage& image, int lightest, int inset = 0)
{
    int ink = 0;
    for (int y = inset; y < image.height() - inset; ++y)
        for (int x = inset; x < image.width() - inset; ++x) {
            const QRgb c = image.pixel(x, y);
            if (Grey(c) < 64)
                ++ink;
            if (Grey(c) > lightest)
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " is light: " << std::hex << c;
        }
    if (ink == 0)
        return ::testing::AssertionFailure() << "no dark ink";
    return ::testing::AssertionSuccess();
}

class UnderADarkScheme : public ::testing::Test {
  protected:
    UnderADarkScheme()
    {
        QApplication::setPalette(DarkPalette());
        window = std::make_unique<Volunde>();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    ~UnderADarkScheme() override
    {
        window.reset();
        QApplication::setPalette(saved);
    }

    QPalette saved = QApplication::palette();
    std::unique_ptr<Volunde> window;
};

TEST_F(UnderADarkScheme, InkIsBlackOnWhiteAndCaptionsAreBlackOnTheirColours)
{
    const QPoint inside = window->Picture1.contentsRect().topLeft();
    QTest::mouseClick(&window->Picture1, Qt::LeftButton, {}, inside + QPoint(40, 50));
    QTest::mouseClick(&window->Picture1, Qt::LeftButton, {}, inside + QPoint(300, 120));
    const QImage surface = window->Picture1.grab().toImage();
    EXPECT_EQ(surface.pixel(inside + QPoint(40, 50)), Black);
    EXPECT_EQ(surface.pixel(inside + QPoint(100, 100)), White);

    for (int i = 0; i < window->Label1.size(); ++i)
        EXPECT_TRUE(DarkInkOnly(window->Label1(i).grab().toImage(), 220)) << "label " << i;
    // Inside the buttons' edges: the caption on the face; "Чисти" is pure red, grey 76.
    for (int i = 0; i < window->Command1.size(); ++i)
        EXPECT_TRUE(DarkInkOnly(window->Command1(i).grab().toImage(), 230, 2)) << "button " << i;

    // The report and the lists: dark text on a white ground, the selection legible.
    for (QWidget* text :
         {window->Text1(0).viewport(), window->List1(0).viewport(), window->List1(1).viewport()}) {
        const QImage shown = text->grab().toImage();
        EXPECT_EQ(shown.pixel(shown.width() - 2, shown.height() - 2), White);
        int ink = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                ink += Grey(shown.pixel(x, y)) < 64 ? 1 : 0;
        EXPECT_GT(ink, 20) << text->parent()->metaObject()->className();
    }
    window->List1(0).setListIndex(1);
    const QPalette& list = window->List1(0).palette();
    EXPECT_GT(Grey(list.color(QPalette::HighlightedText).rgb()) -
                  Grey(list.color(QPalette::Highlight).rgb()),
              150);
}

// The face is exactly the laid-out colour; the edge is lit from the top left, and pressed it is
// sunken; a dotted frame shows the focus.
TEST(ButtonFaces, AreFlatInTheirOwnColours)
{
    Volunde window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QRgb faces[] = {qRgb(128, 255, 128), qRgb(0, 192, 0), qRgb(255, 0, 0)};
    for (int i = 0; i < window.Command1.size(); ++i) {
        platform::CommandButton& button = window.Command1(i);
        const QImage up = button.grab().toImage();
        const int middle = up.height() / 2;
        for (const QPoint at : {QPoint(4, middle), QPoint(up.width() - 5, middle),
                                QPoint(up.width() / 2, 3), QPoint(up.width() / 2, up.height() - 4)})
            EXPECT_EQ(up.pixel(at), faces[i])
                << "button " << i << " at " << at.x() << "," << at.y();
        EXPECT_EQ(up.pixel(0, 0), White) << i;
        EXPECT_EQ(up.pixel(up.width() - 1, up.height() - 1), Black) << i;
        EXPECT_EQ(up.pixel(up.width() / 2, up.height() - 1), Black) << i;
        button.setDown(true);
        const QImage down = button.grab().toImage();
        button.setDown(false);
        EXPECT_EQ(down.pixel(0, 0), Black) << i;
        EXPECT_EQ(down.pixel(down.width() - 1, down.height() - 1), White) << i;
        EXPECT_EQ(down.pixel(4, middle), faces[i]) << i;
        button.setFocus();
        const QImage focused = button.grab().toImage();
        int right = 0, bottom = 0;
        for (int k = 5; k < 10; ++k) {
            right += focused.pixel(focused.width() - 4, k) == Black ? 1 : 0;
            bottom += focused.pixel(k, focused.height() - 4) == Black ? 1 : 0;
        }
        EXPECT_TRUE(focused.pixel(4, 3) == Black && right > 0 && bottom > 0)
            << "a dotted focus frame 3 pixels in, on " << i;
    }
}

} // namespace
