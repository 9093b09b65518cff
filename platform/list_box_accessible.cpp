#include "list_box_accessible.h"

#include "list_box.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

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

// The list itself. Its item interfaces are made as they are asked for and live as long as it.
class ListAccessible : public QAccessibleWidget {
  public:
    explicit ListAccessible(ListBox* list) : QAccessibleWidget(list, QAccessible::List) {}
    ~ListAccessible() override
    {
        for (const QAccessible::Id id : std::as_const(items_))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return list()->ListCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto found = items_.constFind(index); found != items_.cend())
            return QAccessible::accessibleInterface(*found);
        auto* item = new ListItemAccessible(list(), index);
        items_.insert(index, QAccessible::registerAccessibleInterface(item));
        return item;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (auto it = items_.cbegin(); it != items_.cend(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child)
                return child->isValid() ? it.key() : -1;
        return -1;
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

    mutable QHash<int, QAccessible::Id> items_;
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
