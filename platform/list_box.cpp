#include "list_box.h"

#include "list_box_accessible.h"
#include "runtime_error.h"

#include <QAccessible>
#include <QHeaderView>
#include <QMouseEvent>

namespace platform {

int ListBox::Items::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(texts.size());
}

QVariant ListBox::Items::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return texts.at(index.row());
}

ListBox::ListBox(QWidget* parent) : QTableView(parent)
{
    InstallListBoxAccessibility();
    setModel(&items_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ListBox::Items::append(const QString& text)
{
    const int row = static_cast<int>(texts.size());
    beginInsertRows(QModelIndex(), row, row);
    texts.append(text);
    endInsertRows();
}

void ListBox::Items::remove(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    texts.removeAt(row);
    endRemoveRows();
}

void ListBox::Items::reset(QStringList all)
{
    beginResetModel();
    texts = std::move(all);
    endResetModel();
}

void ListBox::AddItem(const QString& text)
{
    items_.append(text);
}

void ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        Raise(InvalidProcedureCall);
    const int selected = listIndex_;
    assigning_ = true;
    // The view would move the selection to a neighbour; a list box is left without one.
    if (currentIndex().row() == index)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    if (selected == index)
        selectionModel()->clearSelection();
    items_.remove(index);
    assigning_ = false;
    // The view keeps the selection on its item, which moves up a row after an earlier one goes.
    listIndex_ = selected == index ? -1 : selected > index ? selected - 1 : selected;
}

void ListBox::Clear()
{
    setItems({});
}

void ListBox::setItems(QStringList texts)
{
    items_.reset(std::move(texts));
    listIndex_ = -1;
}

QString ListBox::List(int index) const
{
    return items_.texts.value(index);
}

int ListBox::ListCount() const
{
    return static_cast<int>(items_.texts.size());
}

void ListBox::setListIndex(int index)
{
    if (index == ListIndex())
        return;
    Select(index);
    emit Click();
}

void ListBox::Select(int index)
{
    assigning_ = true;
    if (index >= 0 && index < ListCount()) {
        const QModelIndex item = items_.index(index);
        selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
        scrollTo(item);
    } else {
        selectionModel()->clear();
    }
    assigning_ = false;
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    // Only the left button selects, as in a standard list box.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QModelIndex under = indexAt(event->position().toPoint());
    // A press on the blank below the items only takes the focus: the view would clear the
    // selection, which a user cannot do to a list box.
    pressedOffItems_ = !under.isValid();
    if (pressedOffItems_) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    const int before = ListIndex();
    QTableView::mousePressEvent(event);
    if (under.row() == before && ListIndex() == before)
        emit Click();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    if (pressedOffItems_) {
        pressedOffItems_ = false;
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const
{
    // Ctrl+click on the selected item would deselect it; the selection only ever moves.
    const QItemSelectionModel::SelectionFlags command = QTableView::selectionCommand(index, event);
    return command.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate
                                                           : command;
}

// The table view would tell assistive technology of cells counted with its headers, so both
// skip it; the list tells of its items, counted from 0.
void ListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // NOLINTNEXTLINE(bugprone-parent-virtual-call): past the table view, on purpose
    QAbstractItemView::currentChanged(current, previous);
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(current.row());
        QAccessible::updateAccessibility(&focus);
    }
}

void ListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    // NOLINTNEXTLINE(bugprone-parent-virtual-call): past the table view, on purpose
    QAbstractItemView::selectionChanged(selected, deselected);
    if (QAccessible::isActive()) {
        for (const auto& [range, kind] : {std::pair{&deselected, QAccessible::SelectionRemove},
                                          {&selected, QAccessible::SelectionAdd}}) {
            if (range->isEmpty())
                continue;
            QAccessibleEvent event(this, kind);
            event.setChild(range->indexes().front().row());
            QAccessible::updateAccessibility(&event);
        }
    }
    listIndex_ = selected.indexes().isEmpty() ? -1 : selected.indexes().front().row();
    if (!assigning_)
        emit Click();
}

void ListBox::updateGeometries()
{
    QTableView::updateGeometries();
    // The one column is as wide as the list's inside.
    setColumnWidth(0, viewport()->width());
}

QModelIndex ListBox::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // Home and End go to the first and the last item, not to the ends of the row.
    if (action == MoveHome || action == MoveEnd)
        modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

void ListBox::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    // Rows appended since the last turn of the event loop are not in the scroll range yet.
    updateGeometries();
    QTableView::scrollTo(index, hint);
}

} // namespace platform
