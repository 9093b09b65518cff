#include "list_box_accessible.h"

#include "list_box.h"

#include <QAbstractItemModel>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include <array>

namespace platform {

namespace {

// One item of a list: a list item named by its text, selected when it is the list's ListIndex.
class ListItemAccessible : public QAccessibleInterface {
  public:
    ListItemAccessible(ListBox* list, int row) : list_(list), row_(row) {}

    bool isValid() const override { return list_ && row_ < list_->ListCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(list_.data());
    }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && list_ ? list_->List(row_) : QString();
    }
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    const ListBox* list() const { return list_.data(); }
    int row() const { return row_; }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect shown = list_->visualRect(list_->model()->index(row_, 0));
        return QRect(list_->viewport()->mapToGlobal(shown.topLeft()), shown.size());
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.selectable = true;
        s.focusable = true;
        s.selected = list_->selectionModel()->isRowSelected(row_);
        s.focused = list_->hasFocus() && list_->currentIndex().row() == row_;
        const QRect shown = list_->visualRect(list_->model()->index(row_, 0));
        s.offscreen = !list_->viewport()->rect().intersects(shown);
        s.invisible = s.offscreen || !list_->isVisible();
        return s;
    }

  private:
    QPointer<ListBox> list_;
    int row_;
};

// The list itself. Its item interfaces are made as they are asked for; those of removed items
// are dropped, so that a later item in the same row gets an interface of its own.
class ListAccessible : public QAccessibleWidget {
  public:
    explicit ListAccessible(ListBox* list) : QAccessibleWidget(list, QAccessible::List)
    {
        const QAbstractItemModel* model = list->model();
        watches_ = {
            QObject::connect(model, &QAbstractItemModel::rowsRemoved, list,
                             [this](const QModelIndex&, int first, int) { forget(first); }),
            QObject::connect(model, &QAbstractItemModel::modelReset, list, [this] { forget(0); })};
    }
    ~ListAccessible() override
    {
        for (const QMetaObject::Connection& watch : watches_)
            QObject::disconnect(watch);
        forget(0);
    }

    int childCount() const override { return list()->ListCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto found = items_.constFind(index); found != items_.cend())
            if (QAccessibleInterface* item = QAccessible::accessibleInterface(*found))
                return item;
        auto* item = new ListItemAccessible(list(), index);
        items_.insert(index, QAccessible::registerAccessibleInterface(item));
        return item;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* item = dynamic_cast<const ListItemAccessible*>(child);
        return item && item->list() == list() && item->isValid() ? item->row() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint local = list()->viewport()->mapFromGlobal(QPoint(x, y));
        return child(list()->indexAt(local).row());
    }
    QAccessibleInterface* focusChild() const override
    {
        return list()->hasFocus() ? child(list()->currentIndex().row()) : nullptr;
    }

  private:
    ListBox* list() const { return static_cast<ListBox*>(widget()); }

    // Drops the interfaces of the items from row `first` on.
    void forget(int first)
    {
        for (auto it = items_.begin(); it != items_.end();) {
            if (it.key() >= first) {
                QAccessible::deleteAccessibleInterface(it.value());
                it = items_.erase(it);
            } else {
                ++it;
            }
        }
    }

    mutable QHash<int, QAccessible::Id> items_;
    std::array<QMetaObject::Connection, 2> watches_;
};

QAccessibleInterface* ListBoxFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(ListBox::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new ListAccessible(static_cast<ListBox*>(object));
    return nullptr;
}

} // namespace

void InstallListBoxAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(ListBoxFactory);
        return true;
    }();
    (void)installed;
}

} // namespace platform
