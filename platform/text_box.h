#pragma once

#include <QPlainTextEdit>

#include <memory>
#include <vector>

namespace platform {

// A multi-line, locked text box: the user can select, scroll and copy but not edit. Text holds
// lines separated by CR LF. Setting the text is cheap: the box shows the latest text once, when
// control returns to the event loop, however often it was set in between. The box keeps the
// documents of the last texts it showed, so that showing one of those texts again, as an undo
// does, swaps its document back instead of laying out the text anew.
class TextBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit TextBox(QWidget* parent = nullptr);

    const QString& Text() const { return text_; }
    void setText(QString text);

    // Shows the latest text now instead of at the next turn of the event loop.
    void showText();

    // The text of line `index` as shown, counted from 0; a wrapped line is one line.
    QString Line(int index) const;
    // Shows line `index` of the shown text on a background of `colour`; -1 for no line.
    void setLineBackground(int index, QColor colour);

  signals:
    // The line the caret stands on, while the box has the focus: raised when the caret moves to
    // another line, when the box takes the focus and when it shows a new text; -1 when it loses
    // the focus (but to its own menu) and when its text is set.
    void CaretLine(int line);

  protected:
    // The box's own menu, in Bulgarian and the window's colours: copy and select all, then the
    // actions added to the box.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void followCaret();
    void caretMoved(int line);

    QString text_;
    // The text the document shows, and the documents that showed texts before it, newest last.
    QString shownText_;
    struct Kept {
        QString text;
        std::unique_ptr<QTextDocument> document;
    };
    std::vector<Kept> kept_;
    bool shown_ = true;
    int caretLine_ = -1;
};

} // namespace platform
