#include "list_box.h"

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

ListBox::ListBox(QWidget* parent) : QListView(parent)
{
    setModel(&items_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
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

void ListBox::Items::clear()
{
    beginResetModel();
    texts.clear();
    endResetModel();
}

void ListBox::AddItem(const QString& text)
{
    items_.append(text);
}

void ListBox::Clear()
{
    items_.clear();
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
    assigning_ = true;
    if (index >= 0 && index < ListCount()) {
        const QModelIndex item = items_.index(index);
        selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
        scrollTo(item);
    } else {
        selectionModel()->clear();
    }
    assigning_ = false;
    emit Click();
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
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
    QListView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && under.isValid() && under.row() == before &&
        ListIndex() == before)
        emit Click();
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (pressedOffItems_) {
        pressedOffItems_ = false;
        event->accept();
        return;
    }
    QListView::mouseReleaseEvent(event);
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const
{
    // Ctrl+click on the selected item would deselect it; the selection only ever moves.
    const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    return command.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate
                                                           : command;
}

void ListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QListView::selectionChanged(selected, deselected);
    listIndex_ = selected.indexes().isEmpty() ? -1 : selected.indexes().front().row();
    if (!assigning_)
        emit Click();
}

} // namespace platform
