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
    std::vector<QModelIndexList> selections;
    std::vector<int> members; // list indices, PointCount, SelectedIndex, InputState, pen
    QString report;
    QString shownReport;

    bool operator==(const State&) const = default;
};

class Undo;

struct Change {
    const char* name;
    int commandBefore; // -1 for none
    int selected;      // the entry clicked before the change
    std::function<void(Undo&)> change;
};

void PrintTo(const Change& change, std::ostream* out)
{
    *out << change.name;
}

class Undo : public EditorTest, public ::testing::WithParamInterface<Change> {
  public:
    Undo()
    {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    using EditorTest::press;
    using EditorTest::window;
    void command(int index) { QTest::mouseClick(&window.Command1(index), Qt::LeftButton); }

  protected:
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
    for (const QPoint p : {QPoint(40, 30), QPoint(300, 20), QPoint(250, 170), QPoint(60, 150)})
        press(p.x(), p.y());
    if (GetParam().commandBefore >= 0)
        command(GetParam().commandBefore);
    clickEntry(0, GetParam().selected);
    const State before = state();
    GetParam().change(*this);
    const State after = state();
    ASSERT_NE(after, before) << "the change changed nothing";
    // A highlight after the change goes with it.
    if (xs().ListCount() > 0)
        clickEntry(1, 0);
    keys(Qt::Key_Z);
    EXPECT_EQ(state(), before);
    EXPECT_FALSE(picture().CrossShown());
    keys(Qt::Key_Y);
    EXPECT_EQ(state(), after);
    keys(Qt::Key_Z);
    keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(state(), after);
    EXPECT_EQ(errorBox(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, Undo,
    ::testing::Values(Change{"PressOverTheHighlight", -1, 1, [](Undo& t) { t.press(302, 21); }},
                      Change{"BackspaceOnTheHighlight", -1, 3,
                             [](EditorTest& t) {
                                 auto& surface = static_cast<Undo&>(t).window.Picture1;
                                 surface.setFocus();
                                 QTest::keyClick(&surface, Qt::Key_Backspace);
                             }},
                      // Over the help text, with entry open.
                      Change{"Trapezoids", -1, 2, [](Undo& t) { t.command(0); }},
                      Change{"TrianglesOverTrapezoids", 0, 3, [](Undo& t) { t.command(1); }},
                      // The polygon comes back with its construction and report.
                      Change{"ClearAfterTriangles", 1, 2, [](Undo& t) { t.command(2); }}),
    [](const ::testing::TestParamInfo<Change>& info) { return std::string(info.param.name); });

TEST_F(Undo, ANewChangeDropsWhatCouldBeRedoneAndNothingLeftChangesNothing)
{
    const State empty = state();
    keys(Qt::Key_Z);
    keys(Qt::Key_Y);
    EXPECT_EQ(state(), empty);
    press(10, 10);
    press(300, 150);
    keys(Qt::Key_Z);
    press(30, 30);
    keys(Qt::Key_Y);
    EXPECT_EQ(vertices(), (std::vector<QString>{"150;150", "450;450"}));
    for (int k = 0; k < 3; ++k)
        keys(Qt::Key_Z);
    EXPECT_EQ(state(), empty);
}

TEST_F(Undo, TheHighlightIsKeptWithTheChangeUndoneTo)
{
    press(10, 10);
    const State one = state();
    press(12, 12);
    press(300, 150);
    keys(Qt::Key_Z);
    clickEntry(0, 0);
    keys(Qt::Key_Z);
    EXPECT_EQ(state(), one) << "a highlight after an undo goes with the next";
    clickEntry(0, 0);
    // Brought back by an undo, the highlight stays red when the dot over it is taken back.
    const QImage redAlone = picture().image().copy();
    press(12, 12);
    command(0);
    keys(Qt::Key_Z);
    picture().setFocus();
    QTest::keyClick(&picture(), Qt::Key_Backspace);
    EXPECT_EQ(picture().image(), redAlone);
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
    // Reports of two lines a triangle, over a thousand vertices and at the lists' capacity.
    for (int k = 0; k < 100; ++k)
        history.Add(step(2000 * 80), false);
    EXPECT_EQ(history.Undoable(), 100);
    for (int k = 0; k < 40; ++k)
        history.Add(step(65534 * 80), false);
    EXPECT_LE(history.Bytes(), History::MaxBytes);
    EXPECT_GE(history.Bytes(), History::MaxBytes - 11 * 1024 * 1024);
}

} // namespace
