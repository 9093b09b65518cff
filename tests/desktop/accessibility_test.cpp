// Keyboard and screen-reader use of the window: every control that takes the focus has a Bulgarian
// accessible name, Tab and Shift+Tab walk the layout's tab order, Space and Enter press only the
// focused button, and the arrow keys move both coordinate lists together.

#include "app/volunde.h"

#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <set>

namespace {

bool HasCyrillic(const QString& text)
{
    for (const QChar c : text)
        if (c.script() == QChar::Script_Cyrillic)
            return true;
    return false;
}

QString AccessibleName(QWidget* control)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(QAccessible::Name) : QString();
}

class Accessibility : public ::testing::Test {
  protected:
    Accessibility()
    {
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // A press of the drawing at pixel (x, y) of its inside.
    void press(int x, int y)
    {
        const QPoint at = window.Picture1.contentsRect().topLeft() + QPoint(x, y);
        QTest::mouseClick(&window.Picture1, Qt::LeftButton, {}, at);
    }

    // Focus on `control`, as far as the window system is concerned.
    void focus(QWidget* control)
    {
        control->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), control);
    }

    Volunde window;
};

// The controls in tab order, with the names a screen reader reads for them.
struct Stop {
    std::function<QWidget*(Volunde&)> control;
    const char* name;
};

const std::vector<Stop>& TabStops()
{
    static const std::vector<Stop> stops = {
        {[](Volunde& w) { return &w.Text1(0); }, "Отчет"},
        {[](Volunde& w) { return &w.Picture1; }, "Поле за чертане"},
        {[](Volunde& w) { return &w.List1(0); }, "Координати X"},
        {[](Volunde& w) { return &w.List1(1); }, "Координати Y"},
        {[](Volunde& w) { return &w.Command1(0); }, "Трапеци"},
        {[](Volunde& w) { return &w.Command1(2); }, "Чисти"},
        {[](Volunde& w) { return &w.Command1(1); }, "Триъгълници"},
    };
    return stops;
}

TEST_F(Accessibility, EveryFocusableControlHasItsOwnBulgarianName)
{
    std::set<QString> names;
    int focusable = 0;
    for (QWidget* control : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus))
            continue;
        ++focusable;
        const QString name = AccessibleName(control);
        EXPECT_TRUE(HasCyrillic(name))
            << control->metaObject()->className() << " '" << name.toStdString() << "'";
        EXPECT_FALSE(control->accessibleDescription().isEmpty()) << name.toStdString();
        EXPECT_TRUE(names.insert(name).second) << "two controls named " << name.toStdString();
    }
    EXPECT_EQ(focusable, static_cast<int>(TabStops().size()));
}

// A screen reader hears the coordinate lists as lists of their texts, the selection among them.
TEST_F(Accessibility, CoordinateListsAreListsOfItemsNamedByTheirTexts)
{
    press(20, 20);
    press(200, 40);
    window.List1(0).setListIndex(1);
    window.List1(0).setFocus();
    for (int list = 0; list < 2; ++list) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&window.List1(list));
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), QAccessible::List) << list;
        EXPECT_EQ(face->text(QAccessible::Name), AccessibleName(&window.List1(list)));
        ASSERT_EQ(face->childCount(), 2) << list;
        for (int row = 0; row < 2; ++row) {
            QAccessibleInterface* item = face->child(row);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->role(), QAccessible::ListItem);
            EXPECT_EQ(item->text(QAccessible::Name), window.List1(list).List(row));
            EXPECT_EQ(item->state().selected, row == 1) << list << " row " << row;
            EXPECT_EQ(item->state().focused, list == 0 && row == 1) << list << " row " << row;
            const QPoint middle = item->rect().center();
            EXPECT_EQ(face->childAt(middle.x(), middle.y()), item) << list << " row " << row;
            EXPECT_EQ(item->parent(), face);
            EXPECT_EQ(face->indexOfChild(item), row);
        }
        EXPECT_EQ(face->child(2), nullptr);
    }
    // After "Чисти" the lists have no items to offer, and then a new item its own name.
    QAccessibleInterface* xs = QAccessible::queryAccessibleInterface(&window.List1(0));
    const QAccessible::Id first = QAccessible::uniqueId(xs->child(0));
    QTest::mouseClick(&window.Command1(2), Qt::LeftButton);
    EXPECT_EQ(xs->childCount(), 0);
    EXPECT_EQ(QAccessible::accessibleInterface(first), nullptr) << "the item's interface went";
    press(30, 40);
    ASSERT_EQ(xs->childCount(), 1);
    EXPECT_EQ(xs->child(0)->text(QAccessible::Name), QStringLiteral("450"));
}

TEST_F(Accessibility, TabAndShiftTabWalkTheTabOrderReadingEachName)
{
    const std::vector<Stop>& stops = TabStops();
    ASSERT_EQ(QApplication::focusWidget(), stops.front().control(window));
    // Forwards through every stop and round to the first again.
    for (std::size_t i = 0; i <= stops.size(); ++i) {
        const Stop& stop = stops[i % stops.size()];
        ASSERT_EQ(QApplication::focusWidget(), stop.control(window)) << "Tab stop " << i;
        EXPECT_EQ(AccessibleName(QApplication::focusWidget()), QString::fromUtf8(stop.name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // The focus is on the second stop now; backwards round to it again.
    for (std::size_t i = stops.size() + 1; i > 0; --i) {
        const Stop& stop = stops[i % stops.size()];
        ASSERT_EQ(QApplication::focusWidget(), stop.control(window)) << "Shift+Tab stop " << i;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    }
}

// A dotted mark a pixel inside the surface's border, over the drawing, for a focus from Tab.
TEST_F(Accessibility, SurfaceMarksAFocusFromTheKeyboardButNotFromAPress)
{
    platform::PictureBox& surface = window.Picture1;
    press(30, 40);
    const QImage drawing = surface.image();
    auto shown = [&] {
        return surface.grab(surface.contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
    };
    focus(&window.Text1(0));
    QTest::keyClick(&window.Text1(0), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), &surface);
    const QImage marked = shown();
    const QRect within = marked.rect().adjusted(2, 2, -2, -2);
    EXPECT_EQ(marked.copy(within), drawing.copy(within));
    int dots = 0;
    for (int x = 0; x < marked.width(); ++x)
        dots += marked.pixel(x, 1) == 0xff000000 && marked.pixel(x, 0) == drawing.pixel(x, 0);
    EXPECT_GT(dots, marked.width() / 3);
    EXPECT_EQ(surface.image(), drawing);
    QTest::keyClick(&surface, Qt::Key_Right); // the cross, which goes with the focus too
    QTest::keyClick(&surface, Qt::Key_Tab);
    EXPECT_EQ(shown(), drawing);
    focus(&window.Text1(0));
    QTest::mouseClick(&surface, Qt::LeftButton, {}, surface.contentsRect().topLeft());
    ASSERT_EQ(QApplication::focusWidget(), &surface);
    EXPECT_EQ(shown(), surface.image());
}

TEST_F(Accessibility, NoButtonIsTheWindowsDefault)
{
    for (int i = 0; i < window.Command1.size(); ++i) {
        EXPECT_FALSE(window.Command1(i).isDefault()) << i;
        EXPECT_FALSE(window.Command1(i).autoDefault()) << i;
    }
}

// A key that presses the focused button.
struct KeyCase {
    const char* label;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

void PrintTo(const KeyCase& c, std::ostream* out)
{
    *out << c.label;
}

class PressKey : public Accessibility, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(PressKey, PressesTheFocusedButtonOnly)
{
    const KeyCase& c = GetParam();
    for (int pressed = 0; pressed < window.Command1.size(); ++pressed) {
        std::vector<std::unique_ptr<QSignalSpy>> clicks;
        for (int i = 0; i < window.Command1.size(); ++i)
            clicks.push_back(
                std::make_unique<QSignalSpy>(&window.Command1(i), &platform::CommandButton::Click));
        focus(&window.Command1(pressed));
        QTest::keyClick(&window.Command1(pressed), c.key, c.modifiers);
        for (int i = 0; i < window.Command1.size(); ++i)
            EXPECT_EQ(clicks[i]->count(), i == pressed ? 1 : 0)
                << c.label << " on button " << pressed << ", button " << i;
    }
}

TEST_P(PressKey, PressesNoButtonFromAnotherControl)
{
    const KeyCase& c = GetParam();
    std::vector<std::unique_ptr<QSignalSpy>> clicks;
    for (int i = 0; i < window.Command1.size(); ++i)
        clicks.push_back(
            std::make_unique<QSignalSpy>(&window.Command1(i), &platform::CommandButton::Click));
    for (QWidget* control :
         {static_cast<QWidget*>(&window.Text1(0)), static_cast<QWidget*>(&window.Picture1),
          static_cast<QWidget*>(&window.List1(0)), static_cast<QWidget*>(&window.List1(1))}) {
        focus(control);
        QTest::keyClick(control, c.key, c.modifiers);
    }
    for (int i = 0; i < window.Command1.size(); ++i)
        EXPECT_EQ(clicks[i]->count(), 0) << c.label << ", button " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PressKey,
    ::testing::Values(KeyCase{"Space", Qt::Key_Space, Qt::NoModifier},
                      KeyCase{"Return", Qt::Key_Return, Qt::NoModifier},
                      KeyCase{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.label); });

TEST_F(Accessibility, EnterOnAMethodButtonRunsTheMethod)
{
    press(20, 20);
    press(200, 20);
    press(100, 150);
    focus(&window.Command1(0));
    QTest::keyClick(&window.Command1(0), Qt::Key_Return);
    EXPECT_EQ(window.InputState, -1);
    EXPECT_TRUE(window.Text1(0).Text().contains(QStringLiteral("Лице на изпъкнал многоъгълник")));
}

class ArrowKeys : public Accessibility, public ::testing::WithParamInterface<int> {};

TEST_P(ArrowKeys, MoveBothListsAndTheHighlightedVertex)
{
    const int list = GetParam();
    press(20, 20);
    press(200, 20);
    press(100, 150);
    platform::ListBox& box = window.List1(list);
    focus(&box);
    box.setListIndex(0);
    struct Step {
        Qt::Key key;
        int index;
    };
    for (const Step step : {Step{Qt::Key_Down, 1}, Step{Qt::Key_Down, 2}, Step{Qt::Key_Down, 2},
                            Step{Qt::Key_Up, 1}, Step{Qt::Key_Home, 0}, Step{Qt::Key_End, 2}}) {
        QTest::keyClick(&box, step.key);
        EXPECT_EQ(window.List1(0).ListIndex(), step.index) << "key " << step.key;
        EXPECT_EQ(window.List1(1).ListIndex(), step.index) << "key " << step.key;
        EXPECT_EQ(window.SelectedIndex, step.index) << "key " << step.key;
    }
}

INSTANTIATE_TEST_SUITE_P(XAndY, ArrowKeys, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == 0 ? "XList" : "YList");
                         });

} // namespace
