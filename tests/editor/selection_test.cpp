// Selection: clicks on the coordinate lists move both lists and highlight the vertex in red.

#include "editor_fixture.h"

#include <QSignalBlocker>
#include <QSignalSpy>

namespace {

using namespace editor_testing;

class Selection : public EditorTest {
  protected:
    Selection()
    {
        for (QPoint p : points)
            press(p.x(), p.y());
    }
    // Vertex i's dot is `colour` and every other vertex is black.
    ::testing::AssertionResult onlyRed(int selected)
    {
        for (int i = 0; i < 4; ++i) {
            const QRgb want = i == selected ? Red : Black;
            if (auto result = dotAt(points[i].x(), points[i].y(), want); !result)
                return result << " (vertex " << i << ")";
        }
        const int reds = count(Red);
        if (reds != (selected >= 0 ? 21 : 0))
            return ::testing::AssertionFailure() << reds << " red pixels";
        return ::testing::AssertionSuccess();
    }
    void expectSelected(int index)
    {
        EXPECT_EQ(window.SelectedIndex, index);
        EXPECT_EQ(xs().ListIndex(), index);
        EXPECT_EQ(ys().ListIndex(), index);
        EXPECT_TRUE(onlyRed(index));
        EXPECT_EQ(picture().DrawWidth(), 1);
    }

    const QPoint points[4] = {{20, 30}, {200, 40}, {250, 170}, {60, 150}};
};

TEST_F(Selection, FirstClickTurnsOnlyThatVertexRed)
{
    clickEntry(0, 2);
    expectSelected(2);
}

TEST_F(Selection, SecondClickTurnsTheFirstBlackAndTheSecondRed)
{
    clickEntry(0, 1);
    clickEntry(0, 3);
    expectSelected(3);
    clickEntry(1, 0);
    expectSelected(0);
}

TEST_F(Selection, RightAndMiddleButtonsSelectNothing)
{
    clickEntry(0, 1);
    const QImage before = picture().image();
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QSignalSpy xClicks(&xs(), &platform::ListBox::Click);
        QSignalSpy yClicks(&ys(), &platform::ListBox::Click);
        clickEntry(0, 3, button);
        clickEntry(1, 2, button);
        EXPECT_EQ(xClicks.count() + yClicks.count(), 0) << button;
        expectSelected(1);
        EXPECT_EQ(picture().image(), before) << button;
    }
}

TEST_F(Selection, EitherListMovesTheOther)
{
    clickEntry(1, 2);
    expectSelected(2);
    clickEntry(0, 1);
    expectSelected(1);
}

TEST_F(Selection, ClickingTheSelectedEntryKeepsItRed)
{
    clickEntry(0, 1);
    clickEntry(0, 1);
    expectSelected(1);
    clickEntry(1, 1);
    expectSelected(1);
}

TEST_F(Selection, ArrowKeysMoveTheHighlight)
{
    clickEntry(0, 1);
    QTest::keyClick(&xs(), Qt::Key_Down);
    expectSelected(2);
    QTest::keyClick(&ys(), Qt::Key_Up);
    expectSelected(1);
    QTest::keyClick(&ys(), Qt::Key_Up);
    expectSelected(0);
}

TEST_F(Selection, ClickAfterAResetDrawsNoOldVertexBlack)
{
    clickEntry(0, 1);
    window.ResetPolygon();
    press(100, 100);
    press(150, 120);
    clickEntry(1, 1);
    EXPECT_EQ(window.SelectedIndex, 1);
    EXPECT_EQ(count(Black), 21);
    EXPECT_EQ(count(Red), 21);
    EXPECT_TRUE(dotAt(150, 120, Red));
}

TEST_F(Selection, ClickAfterAnAreaCommandDrawsTheOldSelectionBlackOverItsRedrawnDot)
{
    clickEntry(0, 1);
    QTest::mouseClick(&window.Command1(0), Qt::LeftButton);
    ASSERT_EQ(window.InputState, -1);
    EXPECT_EQ(window.SelectedIndex, 1) << "the selection outlives the redraw";
    EXPECT_EQ(count(Red), 0);
    clickEntry(1, 2);
    EXPECT_EQ(window.SelectedIndex, 2);
    EXPECT_TRUE(dotAt(points[1].x(), points[1].y(), Black));
    EXPECT_TRUE(dotAt(points[2].x(), points[2].y(), Red));
    EXPECT_EQ(count(Red), 21);
}

TEST_F(Selection, WorksWhileThePolygonIsClosed)
{
    window.InputState = -1;
    clickEntry(1, 3);
    expectSelected(3);
    EXPECT_EQ(window.PointCount, 4);
    EXPECT_EQ(window.InputState, -1);
}

// Assigning ListIndex inside List1_Click raises a nested List1_Click for the other list. The
// state at the end is the same whether the nesting happens or not.
TEST_F(Selection, NestedClickEndsInTheSameStateAsNone)
{
    clickEntry(0, 0);
    QSignalSpy nested(&ys(), &platform::ListBox::Click);
    clickEntry(0, 2);
    EXPECT_EQ(nested.size(), 1) << "the Y list's assignment raised its Click";
    expectSelected(2);
    const QImage withNesting = picture().image();

    Volunde quiet;
    for (QPoint p : points) {
        const QPoint at = quiet.Picture1.contentsRect().topLeft() + p;
        QTest::mousePress(&quiet.Picture1, Qt::LeftButton, {}, at);
    }
    for (int target : {0, 2}) {
        const QSignalBlocker blockX(&quiet.List1(0));
        const QSignalBlocker blockY(&quiet.List1(1));
        quiet.List1(0).setListIndex(target);
        quiet.List1_Click(0);
    }
    EXPECT_EQ(quiet.SelectedIndex, 2);
    EXPECT_EQ(quiet.List1(0).ListIndex(), 2);
    EXPECT_EQ(quiet.List1(1).ListIndex(), 2);
    EXPECT_EQ(quiet.Picture1.image(), withNesting);
}

TEST_F(Selection, ClickWhileTheListHasNoSelectionChangesNothing)
{
    const QImage blank = picture().image();
    window.List1_Click(0); // nothing selected yet
    EXPECT_EQ(window.SelectedIndex, -1);
    EXPECT_EQ(xs().ListIndex(), -1);
    EXPECT_EQ(ys().ListIndex(), -1);
    EXPECT_EQ(picture().image(), blank);

    clickEntry(0, 1);
    {
        const QSignalBlocker block(&xs());
        xs().setListIndex(-1);
    }
    window.List1_Click(0);
    EXPECT_EQ(window.SelectedIndex, 1);
    EXPECT_EQ(ys().ListIndex(), 1);
    EXPECT_TRUE(onlyRed(1)) << "no red dot at 0,0";
    EXPECT_EQ(pixel(0, 0), White);
}

TEST_F(Selection, RunTimeErrorInAHandlerLeavesTheWindowRunning)
{
    window.ResetPolygon();
    xs().AddItem(QStringLiteral("300"));
    ys().AddItem(QStringLiteral("40000")); // beyond a 16-bit Y
    window.PointCount = 1;

    clickEntry(0, 0);
    QMessageBox* box = errorBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->text().contains(QStringLiteral("6")));
    EXPECT_EQ(box->palette().color(QPalette::Window), window.palette().color(QPalette::Window));
    EXPECT_EQ(QApplication::activeModalWidget(), box);
    EXPECT_EQ(window.findChildren<QMessageBox*>().size(), 1) << "one message per click";
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(vertices(), std::vector<QString>{QStringLiteral("300;40000")});
    EXPECT_EQ(window.PointCount, 1);
    EXPECT_EQ(count(Red), 0);

    // Once the message is dismissed the window takes input again.
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::processEvents();
    press(10, 10);
    EXPECT_EQ(window.PointCount, 2);
    EXPECT_EQ(xs().List(1), QStringLiteral("150"));
}

} // namespace
