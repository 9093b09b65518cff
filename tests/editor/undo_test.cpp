// Undo and redo: every kind of change undone puts back the whole window as it was before it,
// pixel for pixel, and made again gives what it gave the first time.

#include "editor_fixture.h"

#include <QItemSelectionModel>

#include <string>

namespace {

using namespace editor_testing;

// Everything a change can alter.
struct State {
    QImage drawing;
    std::vector<QString> vertices;
    std::vector<QModelIndexList> selections;
    std::vector<int> members; // list indices, PointCount, SelectedIndex, InputState, pen
    QString report;
    QString shownReport;

    bool operator==(const State&) const = default;
};

constexpr int PressOverTheHighlight = -1, Backspace = -2;

struct Change {
    const char* name;
    int commandBefore; // -1 for none
    int selected;      // the entry clicked before the change
    int change;        // a command's index, or one of the two above
};

class Undo : public EditorTest, public ::testing::WithParamInterface<Change> {
  protected:
    Undo()
    {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void command(int index) { QTest::mouseClick(&window.Command1(index), Qt::LeftButton); }
    State state()
    {
        QCoreApplication::processEvents();
        return {
            picture().image().copy(),
            vertices(),
            {xs().selectionModel()->selectedIndexes(), ys().selectionModel()->selectedIndexes()},
            {xs().ListIndex(), ys().ListIndex(), window.PointCount, window.SelectedIndex,
             window.InputState, picture().DrawWidth(), picture().DrawStyle()},
            window.Text1(0).Text(),
            window.Text1(0).toPlainText()};
    }
    void keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(&xs(), key, modifiers);
    }
};

TEST_P(Undo, PutsBackTheStateBeforeAndRedoTheStateAfter)
{
    const auto [name, commandBefore, selected, change] = GetParam();
    for (const QPoint p : {QPoint(40, 30), QPoint(300, 20), QPoint(250, 170), QPoint(60, 150)})
        press(p.x(), p.y());
    if (commandBefore >= 0)
        command(commandBefore);
    clickEntry(0, selected);
    const State before = state();
    if (change == PressOverTheHighlight) {
        press(302, 21);
    } else if (change == Backspace) {
        picture().setFocus();
        QTest::keyClick(&picture(), Qt::Key_Backspace);
    } else {
        command(change);
    }
    const State after = state();
    ASSERT_NE(after, before) << "the change changed nothing";
    // A highlight after the change goes with it.
    if (xs().ListCount() > 0)
        clickEntry(1, 0);
    keys(Qt::Key_Z);
    EXPECT_EQ(state(), before);
    keys(Qt::Key_Y);
    EXPECT_EQ(state(), after);
    EXPECT_EQ(errorBox(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, Undo,
    ::testing::Values(Change{"PressOverTheHighlight", -1, 1, PressOverTheHighlight},
                      Change{"BackspaceOnTheHighlight", -1, 3, Backspace},
                      Change{"TrapezoidsOverTheHelpText", -1, 2, 0}, // entry stays open
                      Change{"TrianglesOverTrapezoids", 0, 3, 1},
                      // The polygon comes back with its construction and report.
                      Change{"ClearAfterTriangles", 1, 2, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// With nothing to undo or redo nothing changes; a new change drops what could have been redone;
// a highlight made after an undo goes with the next undo, and one brought back by an undo stays
// red when the dot over it is taken back.
TEST_F(Undo, RedoIsDroppedByANewChangeAndTheHighlightGoesWithItsChange)
{
    const State empty = state();
    keys(Qt::Key_Z);
    keys(Qt::Key_Y);
    EXPECT_EQ(state(), empty);
    press(10, 10);
    const State one = state();
    press(12, 12);
    press(300, 150);
    keys(Qt::Key_Z);
    clickEntry(0, 0);
    keys(Qt::Key_Z);
    EXPECT_EQ(state(), one);
    press(30, 30);
    keys(Qt::Key_Y);
    EXPECT_EQ(vertices(), (std::vector<QString>{"150;150", "450;450"}));
    clickEntry(0, 0);
    const QImage redAlone = picture().image().copy();
    press(12, 12);
    command(0);
    keys(Qt::Key_Z);
    picture().setFocus();
    QTest::keyClick(&picture(), Qt::Key_Backspace);
    EXPECT_EQ(picture().image(), redAlone);
}

// Reports of two lines a triangle, over a thousand vertices and at the lists' capacity.
TEST(History, KeepsAHundredChangesOfAThousandVerticesAndNeverMoreThanItsBound)
{
    History history;
    const QStringList thousand(1000, QStringLiteral("4567"));
    for (int k = 0; k < 140; ++k) {
        auto step = std::make_unique<History::Step>();
        step->before.report = QString((k < 100 ? 2000 : 65534) * 80, u'7');
        step->before.vertices = {thousand, thousand};
        history.Add(std::move(step), false);
        if (k == 99) {
            EXPECT_EQ(history.Undoable(), 100);
        }
    }
    EXPECT_LE(history.Bytes(), History::MaxBytes);
    EXPECT_GE(history.Bytes(), History::MaxBytes - 11 * 1024 * 1024);
    EXPECT_EQ(history.Undoable(), History::MaxBytes / (2 * 65534 * 80)) << "two bytes a character";
}

} // namespace
