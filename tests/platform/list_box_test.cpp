#include "platform/list_box.h"
#include "widget_helpers.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using platform::ListBox;

class ListBoxTest : public ::testing::Test {
  protected:
    ListBoxTest() : host(QRect(10, 10, 120, 200))
    {
        for (const char* text : {"100", "200", "300", "400"})
            list().AddItem(QString::fromLatin1(text));
        // Records the selection as seen from inside each Click.
        QObject::connect(&list(), &ListBox::Click, &list(),
                         [this] { seen.push_back(list().ListIndex()); });
    }
    ListBox& list() { return *host.control; }

    // Clicks item `row` with the mouse, as a user does.
    void clickItem(int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QModelIndex item = list().model()->index(row, 0);
        list().scrollTo(item);
        QTest::mouseClick(list().viewport(), Qt::LeftButton, modifiers,
                          list().visualRect(item).center());
    }

    testing_helpers::Hosted<ListBox> host;
    std::vector<int> seen;
};

TEST_F(ListBoxTest, AddItemAppendsInOrderAndListOutsideTheItemsIsEmpty)
{
    EXPECT_EQ(list().ListCount(), 4);
    EXPECT_EQ(list().List(0), QStringLiteral("100"));
    EXPECT_EQ(list().List(3), QStringLiteral("400"));
    for (int outside : {-1, 4, 5, 32767, -32768})
        EXPECT_EQ(list().List(outside), QString()) << outside;
    EXPECT_EQ(list().ListIndex(), -1);
}

TEST_F(ListBoxTest, AssigningListIndexClicksOnceBeforeReturning)
{
    list().setListIndex(2);
    // No event loop has run: the Click came from inside the assignment and saw the new value.
    EXPECT_EQ(seen, std::vector<int>{2});
    EXPECT_EQ(list().ListIndex(), 2);
    list().setListIndex(0);
    EXPECT_EQ(seen, (std::vector<int>{2, 0}));
    list().setListIndex(-1);
    EXPECT_EQ(seen, (std::vector<int>{2, 0, -1}));
    EXPECT_EQ(list().ListIndex(), -1);
    QCoreApplication::processEvents();
    EXPECT_EQ(seen.size(), 3u) << "no Click queued for later";
}

TEST_F(ListBoxTest, AssigningThePresentValueRaisesNothing)
{
    list().setListIndex(-1);
    EXPECT_TRUE(seen.empty());
    list().setListIndex(1);
    seen.clear();
    list().setListIndex(1);
    list().setListIndex(1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(list().ListIndex(), 1);
}

TEST_F(ListBoxTest, AssignmentInsideClickNestsAndSettles)
{
    // A Click handler that assigns again, as the editor does: the nested Click sees the final
    // value and the chain stops once the value no longer changes.
    int depth = 0;
    int deepest = 0;
    QObject::connect(&list(), &ListBox::Click, &list(), [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        if (list().ListIndex() == 1)
            list().setListIndex(3);
        --depth;
    });
    list().setListIndex(1);
    EXPECT_EQ(list().ListIndex(), 3);
    EXPECT_EQ(seen, (std::vector<int>{1, 3}));
    EXPECT_EQ(deepest, 2);
}

TEST_F(ListBoxTest, ClearEmptiesAndDeselects)
{
    list().setListIndex(2);
    list().Clear();
    EXPECT_EQ(list().ListCount(), 0);
    EXPECT_EQ(list().ListIndex(), -1);
    EXPECT_EQ(list().List(0), QString());
    EXPECT_TRUE(list().List().isEmpty());
    // The list takes items and selections again afterwards, and the first one is a change.
    list().AddItem(QStringLiteral("5"));
    seen.clear();
    list().setListIndex(0);
    EXPECT_EQ(seen, std::vector<int>{0});
}

// Removing an item raises no Click; the selection stays on its item, wherever that now stands,
// and the view shows the same selection as ListIndex.
TEST_F(ListBoxTest, RemoveItemKeepsTheSelectionOnItsItem)
{
    list().setListIndex(2);
    seen.clear();
    // The item before the selected one, one after it, then the selected item itself.
    for (const auto& [removed, listIndex] :
         std::vector<std::pair<int, int>>{{0, 1}, {2, 1}, {1, -1}}) {
        list().RemoveItem(removed);
        QCoreApplication::processEvents();
        EXPECT_EQ(list().ListIndex(), listIndex) << removed;
        const QModelIndexList shown = list().selectionModel()->selectedRows();
        EXPECT_EQ(shown.isEmpty() ? -1 : shown.front().row(), listIndex) << removed;
    }
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(list().List(), QStringList{QStringLiteral("200")});
}

TEST_F(ListBoxTest, MouseClickOnAnItemClicksOnceAlsoWhenAlreadySelected)
{
    host.show();
    clickItem(1);
    EXPECT_EQ(seen, std::vector<int>{1});
    EXPECT_EQ(list().ListIndex(), 1);
    clickItem(1);
    EXPECT_EQ(seen, (std::vector<int>{1, 1}));
    clickItem(3);
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 3}));
    EXPECT_EQ(list().ListIndex(), 3);
}

// The user can move the selection but never take it away: a list once selected keeps an entry.
TEST_F(ListBoxTest, UserCannotLeaveTheListWithoutASelection)
{
    host.show();
    list().setListIndex(0);
    seen.clear();
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {},
                      QPoint(5, list().viewport()->height() - 3));
    EXPECT_TRUE(seen.empty()) << "a click below the items hits no item";
    EXPECT_EQ(list().ListIndex(), 0);
    clickItem(0, Qt::ControlModifier);
    EXPECT_EQ(list().ListIndex(), 0);
    EXPECT_EQ(seen, std::vector<int>{0}) << "Ctrl+click on the selected item is a click on it";
    clickItem(2, Qt::ControlModifier);
    EXPECT_EQ(list().ListIndex(), 2);
    EXPECT_EQ(seen.back(), 2);
}

TEST_F(ListBoxTest, ArrowKeysMoveTheSelectionAndClick)
{
    host.show();
    list().setFocus();
    list().setListIndex(1);
    seen.clear();
    QTest::keyClick(&list(), Qt::Key_Down);
    QTest::keyClick(&list(), Qt::Key_Down);
    QTest::keyClick(&list(), Qt::Key_Up);
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 2}));
    EXPECT_EQ(list().ListIndex(), 2);
}

TEST_F(ListBoxTest, UserCannotEditAnItem)
{
    host.show();
    list().setListIndex(0);
    const QModelIndex item = list().model()->index(0, 0);
    QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, list().visualRect(item).center());
    QTest::keyClick(&list(), Qt::Key_F2);
    QTest::keyClicks(&list(), QStringLiteral("9"));
    QTest::keyClick(&list(), Qt::Key_Return);
    EXPECT_EQ(list().List(0), QStringLiteral("100"));
    EXPECT_EQ(list().ListCount(), 4);
}

} // namespace
