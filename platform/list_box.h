#pragma once

#include <QAbstractListModel>
#include <QStringList>
#include <QTableView>

namespace platform {

// An unsorted single-selection list of texts. Click is raised when the user clicks an item
// (also the selected one), when the keyboard moves the selection, and at once, before the
// assignment returns, when an assignment to ListIndex changes the selection.
//
// The rows are those of a one-column table view without headers or grid: appending a row then
// costs the same however many there are, where a list view lays out every row again.
class ListBox : public QTableView {
    Q_OBJECT

  public:
    explicit ListBox(QWidget* parent = nullptr);

    // Appends `text` as the last item.
    void AddItem(const QString& text);
    // Removes item `index`, raising no Click; if it was selected, ListIndex becomes -1, and a
    // selected item after it stays selected, one row up.
    void RemoveItem(int index);
    // Removes every item; ListIndex becomes -1.
    void Clear();
    // The text of item `index`; the empty text for an index outside the items.
    QString List(int index) const;
    // Every item's text, in order.
    const QStringList& List() const { return items_.texts; }
    int ListCount() const;
    int ListIndex() const { return listIndex_; }
    void setListIndex(int index);

    // For putting a list back as it was: every item replaced at once, leaving ListIndex -1; and
    // item `index` selected (none for -1) as setting ListIndex does, but raising no Click.
    void setItems(QStringList texts);
    void Select(int index);
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

  signals:
    void Click();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

  private:
    class Items : public QAbstractListModel {
      public:
        int rowCount(const QModelIndex& parent) const override;
        QVariant data(const QModelIndex& index, int role) const override;
        void append(const QString& text);
        void remove(int row);
        void reset(QStringList all);
        QStringList texts;
    };

    Items items_;
    int listIndex_ = -1;
    bool assigning_ = false;
    bool pressedOffItems_ = false;
};

} // namespace platform
