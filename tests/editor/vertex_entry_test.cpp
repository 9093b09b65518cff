// Vertex entry: presses on the drawing surface place dots and fill the coordinate lists.

#include "editor_fixture.h"

#include "platform/conversions.h"

#include <QApplication>
#include <QMouseEvent>

#include <ostream>

namespace {

using namespace editor_testing;

using VertexEntry = EditorTest;

TEST_F(VertexEntry, EachPressDrawsAFiveDotAndListsItsTwips)
{
    const QPoint presses[] = {{10, 20}, {300, 150}, {486, 4}, {0, 195}};
    for (QPoint p : presses)
        press(p.x(), p.y());
    ASSERT_EQ(window.PointCount, 4);
    ASSERT_EQ(xs().ListCount(), 4);
    ASSERT_EQ(ys().ListCount(), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pixel(presses[i].x(), presses[i].y()), Black);
        if (i < 2) { // the others stand at the edges, where the dot is cut off
            EXPECT_TRUE(dotAt(presses[i].x(), presses[i].y(), Black));
        }
        // The texts are whole twips, without a decimal separator in any locale.
        EXPECT_EQ(xs().List(i), QString::number(presses[i].x() * 15));
        EXPECT_EQ(ys().List(i), QString::number(presses[i].y() * 15));
    }
    EXPECT_EQ(picture().DrawWidth(), 1);
    EXPECT_EQ(xs().ListIndex(), -1) << "entry selects nothing";
}

TEST_F(VertexEntry, DotIsFivePixelsAcrossAndRound)
{
    press(100, 100);
    EXPECT_EQ(count(Black), 21);
    EXPECT_EQ(pixel(97, 100), White);
    EXPECT_EQ(pixel(103, 100), White);
    EXPECT_EQ(pixel(98, 98), White);
    EXPECT_EQ(pixel(102, 102), White);
    EXPECT_TRUE(dotAt(100, 100, Black));
}

struct PressKind {
    const char* name;
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
};

class AnyPress : public EditorTest, public ::testing::WithParamInterface<PressKind> {};

TEST_P(AnyPress, AddsAVertexLikeALeftPress)
{
    press(40, 60, GetParam().button, GetParam().modifiers);
    ASSERT_EQ(window.PointCount, 1);
    EXPECT_EQ(vertices(), std::vector<QString>{QStringLiteral("600;900")});
    EXPECT_TRUE(dotAt(40, 60, Black));
}

INSTANTIATE_TEST_SUITE_P(
    ButtonsAndModifiers, AnyPress,
    ::testing::Values(PressKind{"Left", Qt::LeftButton, {}},
                      PressKind{"Right", Qt::RightButton, {}},
                      PressKind{"Middle", Qt::MiddleButton, {}},
                      PressKind{"ShiftLeft", Qt::LeftButton, Qt::ShiftModifier},
                      PressKind{"CtrlLeft", Qt::LeftButton, Qt::ControlModifier},
                      PressKind{"ShiftCtrlRight", Qt::RightButton,
                                Qt::ShiftModifier | Qt::ControlModifier}),
    [](const ::testing::TestParamInfo<PressKind>& info) { return std::string(info.param.name); });

TEST_F(VertexEntry, TwoPressesAtOnePointAddTwoEqualVertices)
{
    press(50, 50);
    press(50, 50);
    EXPECT_EQ(window.PointCount, 2);
    EXPECT_EQ(vertices(),
              (std::vector<QString>{QStringLiteral("750;750"), QStringLiteral("750;750")}));
}

TEST_F(VertexEntry, ListsStayInStepWithPointCount)
{
    for (int i = 0; i < 40; ++i) {
        press(7 + (i * 37) % 480, 3 + (i * 53) % 190,
              i % 3 == 0 ? Qt::RightButton : Qt::LeftButton);
        ASSERT_EQ(xs().ListCount(), window.PointCount);
        ASSERT_EQ(ys().ListCount(), window.PointCount);
    }
    EXPECT_EQ(window.PointCount, 40);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(platform::Val(xs().List(i)), (7 + (i * 37) % 480) * 15) << i;
        EXPECT_EQ(platform::Val(ys().List(i)), (3 + (i * 53) % 190) * 15) << i;
    }
}

TEST_F(VertexEntry, FractionalPositionsAreListedAsWholeTwips)
{
    // A scaled screen delivers positions between pixels; the lists still hold whole twips.
    const QPointF inside = QPointF(picture().contentsRect().topLeft());
    const QPointF at = inside + QPointF(12.6, 22.4);
    QMouseEvent event(QEvent::MouseButtonPress, at, picture().mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&picture(), &event);
    EXPECT_EQ(vertices(), std::vector<QString>{QStringLiteral("180;330")});
    EXPECT_TRUE(dotAt(12, 22, Black));
}

TEST_F(VertexEntry, PressesAreIgnoredWhileThePolygonIsClosed)
{
    press(30, 30);
    window.InputState = -1;
    const QImage before = picture().image();
    press(60, 60);
    press(90, 90, Qt::RightButton);
    EXPECT_EQ(window.PointCount, 1);
    EXPECT_EQ(vertices(), std::vector<QString>{QStringLiteral("450;450")});
    EXPECT_EQ(picture().image(), before);

    window.ResetPolygon();
    press(120, 80);
    EXPECT_EQ(window.PointCount, 1);
    EXPECT_EQ(vertices(), std::vector<QString>{QStringLiteral("1800;1200")});
    EXPECT_EQ(count(Black), 21) << "the old dot went with the reset";
}

TEST_F(VertexEntry, TheClearButtonReopensEntry)
{
    press(30, 30);
    window.InputState = -1;
    QTest::mouseClick(&window.Command1(2), Qt::LeftButton);
    EXPECT_EQ(window.InputState, 0);
    EXPECT_EQ(window.PointCount, 0);
    press(40, 40);
    EXPECT_EQ(vertices(), std::vector<QString>{QStringLiteral("600;600")});
}

// The lists take 16-bit indices: at 32,767 vertices a press adds nothing.
TEST_F(VertexEntry, APressAtFullCapacityAddsNothing)
{
    constexpr int Full = 32767;
    for (int i = 0; i < Full - 1; ++i) {
        const QString text = QString::number((i % 400) * 15);
        xs().AddItem(text);
        ys().AddItem(text);
    }
    window.PointCount = Full - 1;

    press(200, 100); // the last one that fits
    ASSERT_EQ(window.PointCount, Full);
    EXPECT_EQ(xs().List(Full - 1), QStringLiteral("3000"));
    EXPECT_TRUE(dotAt(200, 100, Black));

    const QImage before = picture().image();
    press(300, 50);
    press(310, 60, Qt::RightButton);
    EXPECT_EQ(window.PointCount, Full);
    EXPECT_EQ(xs().ListCount(), Full);
    EXPECT_EQ(ys().ListCount(), Full);
    EXPECT_EQ(picture().image(), before);
    EXPECT_EQ(errorBox(), nullptr) << "no overflow";

    // The last vertex can still be selected.
    ys().setListIndex(Full - 1);
    EXPECT_EQ(window.SelectedIndex, Full - 1);
    EXPECT_EQ(xs().ListIndex(), Full - 1);
    EXPECT_TRUE(dotAt(200, 100, Red));
    EXPECT_EQ(errorBox(), nullptr);
}

} // namespace
