// Undo and redo: every kind of change undone puts back the whole window as it was before it,
// pixel for pixel, and made again gives what it gave the first time.

#include "editor_fixture.h"

#include <QItemSelectionModel>

#include <functional>
#include <string>

namespace {

using namespace editor_testing;

// Everything a change can alter.
struct State {
    QImage drawing;
    std::vector<QString> vertices;
    std::vector<int> listIndex;
    std::vector<QModelIndexList> shownSelection;
    int pointCount;
    int selectedIndex;
    int inputState;
    QString report;
    int drawWidth;
    int drawStyle;

    bool operator==(const State&) const = default;
};

class UndoTest : public EditorTest {
  public:
    UndoTest()
    {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    using EditorTest::clickEntry;
    using EditorTest::press;
    void command(int index) { QTest::mouseClick(&window.Command1(index), Qt::LeftButton); }
    void surfaceKey(Qt::Key key)
    {
        picture().setFocus();
        QTest::keyClick(&picture(), key);
    }

  protected:
    State state()
    {
        QCoreApplication::processEvents();
        return {
            picture().image().copy(),
            vertices(),
            {xs().ListIndex(), ys().ListIndex()},
            {xs().selectionModel()->selectedIndexes(), ys().selectionModel()->selectedIndexes()},
            window.PointCount,
            window.SelectedIndex,
            window.InputState,
            window.Text1(0).Text(),
            picture().DrawWidth(),
            picture().DrawStyle()};
    }
    void shortcut(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QTest::keyClick(&xs(), key, modifiers);
    }
    void undo() { shortcut(Qt::Key_Z, Qt::ControlModifier); }
    void redo() { shortcut(Qt::Key_Y, Qt::ControlModifier); }
};

struct Change {
    const char* name;
    std::function<void(UndoTest&)> prepare;
    std::function<void(UndoTest&)> change;
};

void PrintTo(const Change& change, std::ostream* out)
{
    *out << change.name;
}

class UndoEachChange : public UndoTest, public ::testing::WithParamInterface<Change> {};

void Quadrilateral(UndoTest& t, int selected)
{
    for (const QPoint p : {QPoint(40, 30), QPoint(300, 20), QPoint(250, 170), QPoint(60, 150)})
        t.press(p.x(), p.y());
    t.clickEntry(0, selected);
}

TEST_P(UndoEachChange, UndoPutsBackTheStateBeforeAndRedoTheStateAfter)
{
    GetParam().prepare(*this);
    const State before = state();
    GetParam().change(*this);
    const State after = state();
    ASSERT_NE(after, before) << "the change changed nothing";
    // A highlight after the change goes with it.
    if (xs().ListCount() > 0)
        clickEntry(1, 0);
    undo();
    EXPECT_EQ(state(), before);
    EXPECT_FALSE(picture().CrossShown());
    redo();
    EXPECT_EQ(state(), after);
    shortcut(Qt::Key_Z, Qt::ControlModifier);
    shortcut(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(state(), after);
    EXPECT_EQ(errorBox(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, UndoEachChange,
    ::testing::Values(
        // Over the highlighted vertex's dot.
        Change{"PressOverTheHighlight", [](UndoTest& t) { Quadrilateral(t, 1); },
               [](UndoTest& t) { t.press(302, 21); }},
        Change{"SpaceAtTheCross", [](UndoTest& t) { Quadrilateral(t, 3); },
               [](UndoTest& t) {
                   t.surfaceKey(Qt::Key_Left);
                   t.surfaceKey(Qt::Key_Space);
               }},
        // The highlighted vertex taken back.
        Change{"Backspace", [](UndoTest& t) { Quadrilateral(t, 3); },
               [](UndoTest& t) { t.surfaceKey(Qt::Key_Backspace); }},
        // Over the help text, with entry open.
        Change{"Trapezoids", [](UndoTest& t) { Quadrilateral(t, 2); },
               [](UndoTest& t) { t.command(0); }},
        Change{"TrianglesAfterTrapezoids",
               [](UndoTest& t) {
                   Quadrilateral(t, 2);
                   t.command(0);
                   t.clickEntry(0, 3);
               },
               [](UndoTest& t) { t.command(1); }},
        // The report and the construction come back with the polygon.
        Change{"ClearAfterTriangles",
               [](UndoTest& t) {
                   Quadrilateral(t, 0);
                   t.command(1);
                   t.clickEntry(1, 2);
               },
               [](UndoTest& t) { t.command(2); }}),
    [](const ::testing::TestParamInfo<Change>& info) { return std::string(info.param.name); });

TEST_F(UndoTest, ANewChangeDropsWhatCouldBeRedoneAndNothingLeftChangesNothing)
{
    const State empty = state();
    undo();
    redo();
    EXPECT_EQ(state(), empty);
    press(10, 10);
    press(20, 20);
    undo();
    press(30, 30);
    redo();
    EXPECT_EQ(vertices(), (std::vector<QString>{"150;150", "450;450"}));
    undo();
    undo();
    undo();
    EXPECT_EQ(state(), empty);
}

TEST(History, KeepsAHundredChangesOfAThousandVerticesAndNeverMoreThanItsBound)
{
    History history;
    const QStringList thousand(1000, QStringLiteral("4567"));
    auto step = [&](qsizetype reportCharacters) {
        auto made = std::make_unique<History::Step>();
        made->before.report = QString(reportCharacters, u'7');
        made->before.vertices = {thousand, thousand};
        return made;
    };
    // A report of two lines a triangle over a thousand vertices.
    for (int k = 0; k < 100; ++k)
        history.Add(step(2000 * 80), false);
    EXPECT_EQ(history.Undoable(), 100);
    // Reports at the lists' capacity.
    for (int k = 0; k < 40; ++k)
        history.Add(step(65534 * 80), false);
    EXPECT_LE(history.Bytes(), History::MaxBytes);
    EXPECT_GE(history.Bytes(), History::MaxBytes - 11 * 1024 * 1024);
    EXPECT_GE(history.Undoable(), 5);
}

} // namespace
