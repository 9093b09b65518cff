// The window at rest: layout, captions, colours, font, static texts and the state after start.

#include "editor_fixture.h"

#include <QApplication>
#include <QScreen>
#include <QScrollBar>

#include <functional>

namespace {

using namespace editor_testing;

using WindowTest = EditorTest;

struct Placement {
    const char* name;
    std::function<QWidget*(Volunde&)> control;
    int left, top, width, height; // twips
    bool visible;
};

const std::vector<Placement>& Layout()
{
    static const std::vector<Placement> layout = {
        {"Command1(1)", [](Volunde& w) { return &w.Command1(1); }, 5760, 3600, 1695, 375, true},
        {"List2(3)", [](Volunde& w) { return &w.List2(3); }, 4680, 360, 1335, 630, false},
        {"List2(2)", [](Volunde& w) { return &w.List2(2); }, 3360, 360, 1335, 630, false},
        {"List2(1)", [](Volunde& w) { return &w.List2(1); }, 1440, 360, 1335, 630, false},
        {"List2(0)", [](Volunde& w) { return &w.List2(0); }, 120, 360, 1335, 630, false},
        {"Command1(2)", [](Volunde& w) { return &w.Command1(2); }, 6600, 0, 855, 375, true},
        {"Command1(0)", [](Volunde& w) { return &w.Command1(0); }, 3840, 3600, 1455, 375, true},
        {"List1(1)", [](Volunde& w) { return &w.List1(1); }, 2400, 3600, 1215, 345, true},
        {"List1(0)", [](Volunde& w) { return &w.List1(0); }, 600, 3600, 1095, 345, true},
        {"Picture1", [](Volunde& w) { return &w.Picture1; }, 120, 480, 7365, 3000, true},
        {"Text1(1)", [](Volunde& w) { return &w.Text1(1); }, 600, 4680, 6735, 1815, false},
        {"Text1(0)", [](Volunde& w) { return &w.Text1(0); }, 120, 4080, 7335, 2175, true},
        {"Label1(2)", [](Volunde& w) { return &w.Label1(2); }, 1920, 3600, 495, 375, true},
        {"Label1(1)", [](Volunde& w) { return &w.Label1(1); }, 120, 3600, 495, 375, true},
        {"Label1(0)", [](Volunde& w) { return &w.Label1(0); }, 840, 0, 5415, 375, true},
    };
    return layout;
}

TEST_F(WindowTest, EveryControlStandsAtItsPlaceInPixelsOfFifteenTwips)
{
    for (const Placement& p : Layout()) {
        SCOPED_TRACE(p.name);
        QWidget* control = p.control(window);
        EXPECT_EQ(control->parentWidget(), &window);
        EXPECT_EQ(control->geometry(), QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
        EXPECT_EQ(control->isVisible(), p.visible);
    }
}

TEST_F(WindowTest, FixedSizeCentredWithoutMinimiseOrMaximise)
{
    EXPECT_EQ(window.size(), QSize(509, 424));
    EXPECT_EQ(window.minimumSize(), QSize(509, 424));
    EXPECT_EQ(window.maximumSize(), QSize(509, 424));
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    const QRect screen = window.screen()->availableGeometry();
    EXPECT_LE((window.geometry().center() - screen.center()).manhattanLength(), 2);
}

TEST_F(WindowTest, CaptionsExactly)
{
    EXPECT_EQ(window.Command1(0).text(), QStringLiteral("Трапеци"));
    EXPECT_EQ(window.Command1(1).text(), QStringLiteral("Триъгълницци"));
    EXPECT_EQ(window.Command1(2).text(), QStringLiteral("Чисти"));
    EXPECT_EQ(window.Label1(0).text(),
              QStringLiteral("Геометрия - лице на N-ъгълник, метод на трапеци"));
    EXPECT_EQ(window.Label1(1).text(), QStringLiteral("X"));
    EXPECT_EQ(window.Label1(2).text(), QStringLiteral("Y"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(window.Label1(i).alignment().testFlag(Qt::AlignHCenter)) << i;

    const QString title = window.windowTitle();
    const QString suffix = QStringLiteral(" Геометрия - лице на неправилен N-ъгълник");
    ASSERT_TRUE(title.endsWith(suffix)) << title.toStdString();
    const QString address = title.left(title.size() - suffix.size());
    EXPECT_TRUE(address.startsWith(QStringLiteral("www."))) << address.toStdString();
    EXPECT_TRUE(address.endsWith(QStringLiteral(".example"))) << address.toStdString();
    EXPECT_FALSE(address.contains(u' '));
}

TEST_F(WindowTest, ColoursOfTheWindowLabelsButtonsAndSurface)
{
    auto colour = [](QWidget& w, QPalette::ColorRole role) {
        return w.palette().color(role).rgb();
    };
    EXPECT_EQ(colour(window, QPalette::Window), qRgb(192, 192, 255));
    EXPECT_EQ(colour(window.Picture1, QPalette::Window), White);
    EXPECT_EQ(window.Picture1.ForeColor().rgb(), Black);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(colour(window.Label1(i), QPalette::Window), qRgb(255, 192, 128)) << i;
    EXPECT_EQ(colour(window.Command1(0), QPalette::Button), qRgb(128, 255, 128));
    EXPECT_EQ(colour(window.Command1(1), QPalette::Button), qRgb(0, 192, 0));
    EXPECT_EQ(colour(window.Command1(2), QPalette::Button), qRgb(255, 0, 0));
    EXPECT_EQ(colour(window.List1(0), QPalette::Button), qRgb(212, 208, 200)) << "scroll bars";

    // What is painted: the window's background, a label's corner, and each button's face near
    // its left end, where no caption stands. The style shades a face, so its hue is compared.
    const QImage shown = window.grab().toImage();
    EXPECT_EQ(shown.pixel(3, 3), qRgb(192, 192, 255));
    EXPECT_EQ(shown.pixel(840 / 15 + 1, 375 / 15 - 2), qRgb(255, 192, 128));
    auto face = [&](int index) {
        const QRect g = window.Command1(index).geometry();
        return shown.pixelColor(g.left() + 5, g.center().y());
    };
    const QColor faces[] = {face(0), face(1), face(2)};
    const int hues[] = {120, 120, 0};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(faces[i].name().toStdString());
        EXPECT_LE(std::abs(faces[i].hsvHue() - hues[i]), 5) << "button " << i;
        EXPECT_GE(faces[i].hsvSaturation(), 60) << "button " << i;
    }
    EXPECT_GT(faces[0].lightness(), faces[1].lightness()) << "light green left, green right";
}

TEST_F(WindowTest, OneFontForEveryControl)
{
    const QFont font = window.font();
    EXPECT_EQ(font.family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(font.pixelSize(), 16);
    EXPECT_FALSE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_FALSE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    for (const Placement& p : Layout()) {
        QWidget* control = p.control(window);
        EXPECT_FALSE(control->testAttribute(Qt::WA_SetFont)) << p.name << " has a font of its own";
        EXPECT_EQ(control->font(), font) << p.name;
    }
}

TEST_F(WindowTest, IconIsThirtyTwoPixelsWithATransparentSurround)
{
    const QIcon icon = window.windowIcon();
    ASSERT_FALSE(icon.isNull());
    const QImage image = icon.pixmap(32, 32).toImage();
    ASSERT_EQ(image.size(), QSize(32, 32));
    EXPECT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(31, 31)), 0);
    EXPECT_EQ(qAlpha(image.pixel(16, 16)), 255);
}

TEST_F(WindowTest, HelpTextHasFifteenLinesEachEndedByCrLf)
{
    const QString help = window.Text1(0).Text();
    ASSERT_TRUE(help.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = help.chopped(2).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 15);
    for (int i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_FALSE(lines[i].contains(u'\r') || lines[i].contains(u'\n'));
        EXPECT_EQ(lines[i].isEmpty(), i == 6);
        if (i != 6) {
            EXPECT_EQ(lines[i], lines[i].trimmed());
        }
    }
    EXPECT_EQ(lines[7], QStringLiteral("Алгоритъм за изчисляване на лице по метода на трапеците."));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("метод на трапеците")));
}

TEST_F(WindowTest, AphorismHasThreeLinesEachEndingInABlankAndCrLf)
{
    const QString aphorism = window.Text1(1).Text();
    const QStringList lines = aphorism.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[3].isEmpty());
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(lines[i].endsWith(u' ')) << i;
        EXPECT_FALSE(lines[i].trimmed().isEmpty()) << i;
        EXPECT_FALSE(lines[i].contains(u'\n')) << i;
    }
}

TEST_F(WindowTest, ReportBoxShowsTheHelpTextFromTheTop)
{
    QCoreApplication::processEvents();
    platform::TextBox& report = window.Text1(0);
    EXPECT_EQ(report.toPlainText(),
              QString(report.Text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(report.verticalScrollBar()->value(), 0);
    EXPECT_GT(report.verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(report.verticalScrollBar()->isVisible());
    EXPECT_TRUE(report.isReadOnly());
}

TEST_F(WindowTest, TabOrderStartsInTheReportBoxAndSkipsHiddenControlsAndLabels)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const std::vector<QWidget*> expected = {
        &window.Text1(0),    &window.Picture1,    &window.List1(0),    &window.List1(1),
        &window.Command1(0), &window.Command1(2), &window.Command1(1), &window.Text1(0)};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(QApplication::focusWidget(), expected[i]) << "stop " << i;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

TEST_F(WindowTest, StateAfterFormLoad)
{
    EXPECT_EQ(window.PointCount, 0);
    EXPECT_EQ(window.SelectedIndex, -1);
    EXPECT_EQ(window.InputState, 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(window.List1(i).ListCount(), 0) << i;
        EXPECT_EQ(window.List1(i).ListIndex(), -1) << i;
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window.List2(i).ListCount(), 0) << i;
    EXPECT_TRUE(window.Picture1.AutoRedraw());
    EXPECT_EQ(window.Picture1.DrawWidth(), 5);
    EXPECT_EQ(window.Picture1.DrawStyle(), platform::PictureBox::Solid);
    EXPECT_EQ(window.Picture1.Height(), 3000.0f);
    const QImage& surface = window.Picture1.image();
    EXPECT_EQ(count(White), surface.width() * surface.height());
    // The inside is the box less a thin border.
    EXPECT_GE(surface.width(), 7365 / 15 - 6);
    EXPECT_GE(surface.height(), 3000 / 15 - 6);
    EXPECT_EQ(errorBox(), nullptr);
}

} // namespace
