// The surface by keyboard: the cross moved with the arrow keys, a vertex placed at it, and the
// last vertex taken back.

#include "editor_fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>

#include <memory>

namespace {

using namespace editor_testing;

class Keyboard : public EditorTest {
  protected:
    Keyboard() { picture().setFocus(); }

    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(&picture(), k, modifiers);
    }
    QPoint crossPixel()
    {
        EXPECT_TRUE(picture().CrossShown());
        return (picture().Cross().value_or(QPointF()) / 15).toPoint();
    }
};

TEST_F(Keyboard, SpacePlacesAVertexAtTheCrossAsALeftPressThere)
{
    // From the middle of the empty surface: ten right, two right, one down.
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    const QPoint middle(picture().contentsRect().width() / 2,
                        picture().contentsRect().height() / 2);
    ASSERT_EQ(crossPixel(), middle + QPoint(12, 1));
    key(Qt::Key_Space);
    key(Qt::Key_Left, Qt::ShiftModifier);
    key(Qt::Key_Return);
    EXPECT_EQ(window.PointCount, 2);
    // The cross is shown over the drawing but is no part of it.
    const QImage shown = picture().grab().toImage();
    const QPoint arm = picture().contentsRect().topLeft() + middle + QPoint(2, 6);
    EXPECT_NE(shown.pixel(arm), Black);
    EXPECT_NE(shown.pixel(arm), White);

    Volunde pressed;
    pressed.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pressed));
    for (const QPoint p : {middle + QPoint(12, 1), middle + QPoint(2, 1)})
        QTest::mouseClick(&pressed.Picture1, Qt::LeftButton, {},
                          pressed.Picture1.contentsRect().topLeft() + p);
    EXPECT_EQ(window.PointCount, 2);
    EXPECT_EQ(xs().List(), pressed.List1(0).List());
    EXPECT_EQ(ys().List(), pressed.List1(1).List());
    EXPECT_EQ(picture().image(), pressed.Picture1.image());
}

TEST_F(Keyboard, ShiftStepsTenPixelsAndTheCrossStaysInside)
{
    press(100, 50);
    key(Qt::Key_Up); // the cross starts at the last vertex
    EXPECT_EQ(crossPixel(), QPoint(100, 49));
    key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(crossPixel(), QPoint(90, 49));
    for (int i = 0; i < 20; ++i) {
        key(Qt::Key_Left, Qt::ShiftModifier);
        key(Qt::Key_Up, Qt::ShiftModifier);
    }
    EXPECT_EQ(crossPixel(), QPoint(0, 0));
    for (int i = 0; i < 60; ++i) {
        key(Qt::Key_Right, Qt::ShiftModifier);
        key(Qt::Key_Down);
    }
    const QSize inside = picture().contentsRect().size();
    EXPECT_EQ(crossPixel(), QPoint(inside.width() - 1, 60));
    // A press with the mouse takes the cross away; Space then only shows it again.
    press(10, 10);
    EXPECT_FALSE(picture().CrossShown());
    picture().setFocus();
    key(Qt::Key_Space);
    EXPECT_EQ(window.PointCount, 2);
    EXPECT_EQ(crossPixel(), QPoint(10, 10));
    // A held arrow key moves the cross at every repeat, a held Space places no more vertices.
    for (const Qt::Key held : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Space, Qt::Key_Space}) {
        QKeyEvent repeat(QEvent::KeyPress, held, {}, QString(), true);
        QApplication::sendEvent(&picture(), &repeat);
    }
    EXPECT_EQ(crossPixel(), QPoint(12, 10));
    EXPECT_EQ(window.PointCount, 2);
}

class TakeBack : public Keyboard {
  protected:
    // The same window with only `pressed` entered by the mouse and `selected` clicked.
    std::unique_ptr<Volunde> reference(std::initializer_list<QPoint> pressed, int selected)
    {
        auto other = std::make_unique<Volunde>();
        other->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(other.get()));
        for (const QPoint p : pressed)
            QTest::mouseClick(&other->Picture1, Qt::LeftButton, {},
                              other->Picture1.contentsRect().topLeft() + p);
        if (selected >= 0)
            other->List1(0).setListIndex(selected);
        return other;
    }
};

TEST_F(TakeBack, BackspaceTakesBackTheLastVertexAndRedrawsTheDotsItCovered)
{
    press(100, 100);
    press(160, 40);
    clickEntry(1, 0);
    press(101, 100); // over the centre of the first, highlighted, vertex
    picture().setFocus();
    key(Qt::Key_Up);
    key(Qt::Key_Backspace);
    EXPECT_EQ(window.PointCount, 2);
    EXPECT_EQ(vertices(), (std::vector<QString>{"1500;1500", "2400;600"}));
    EXPECT_EQ(window.SelectedIndex, 0);
    EXPECT_EQ(crossPixel(), QPoint(160, 40)) << "the cross moves to the new last vertex";
    EXPECT_EQ(picture().image(), reference({{100, 100}, {160, 40}}, 0)->Picture1.image());
    EXPECT_EQ(count(Red), 21);
    // Dots four pixels apart across or down share a pixel.
    const QImage two = picture().image();
    for (const QPoint p : {QPoint(164, 40), QPoint(160, 44)}) {
        press(p.x(), p.y());
        key(Qt::Key_Backspace);
        EXPECT_EQ(picture().image(), two) << p.x() << "," << p.y();
    }
    // An area command over two vertices erases the highlight and leaves entry open; a vertex
    // taken back over the old highlight does not bring it back.
    QTest::mouseClick(&window.Command1(0), Qt::LeftButton);
    press(101, 100);
    key(Qt::Key_Backspace);
    EXPECT_EQ(window.PointCount, 2);
    EXPECT_EQ(count(Red), 0);
}

TEST_F(TakeBack, BackspaceOnTheHighlightedVertexLeavesNoSelection)
{
    press(100, 100);
    press(160, 40);
    clickEntry(0, 1);
    key(Qt::Key_Backspace);
    EXPECT_EQ(window.PointCount, 1);
    EXPECT_EQ(window.SelectedIndex, -1);
    EXPECT_EQ(xs().ListIndex(), -1);
    EXPECT_EQ(ys().ListIndex(), -1);
    EXPECT_TRUE(xs().selectionModel()->selectedIndexes().isEmpty());
    EXPECT_EQ(picture().image(), reference({{100, 100}}, -1)->Picture1.image());
    // Entry goes on after it, as vertex 2; taking that back draws no highlight anywhere.
    press(30, 30);
    EXPECT_EQ(vertices(), (std::vector<QString>{"1500;1500", "450;450"}));
    picture().setFocus();
    key(Qt::Key_Backspace);
    EXPECT_EQ(count(Red), 0);
}

TEST_F(TakeBack, IsRefusedWithNoVerticesAndOnceEntryIsClosed)
{
    key(Qt::Key_Backspace);
    EXPECT_EQ(window.PointCount, 0);
    EXPECT_EQ(errorBox(), nullptr);
    for (const QPoint p : {QPoint(20, 20), QPoint(200, 30), QPoint(120, 150)})
        press(p.x(), p.y());
    QTest::mouseClick(&window.Command1(0), Qt::LeftButton);
    const QImage closed = picture().image();
    const QString report = window.Text1(0).Text();
    picture().setFocus();
    key(Qt::Key_Backspace);
    EXPECT_EQ(window.PointCount, 3);
    EXPECT_EQ(xs().ListCount(), 3);
    EXPECT_EQ(picture().image(), closed);
    EXPECT_EQ(window.Text1(0).Text(), report);
    EXPECT_EQ(errorBox(), nullptr);
}

} // namespace
