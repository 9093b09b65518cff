#pragma once

#include <QPlainTextEdit>

namespace platform {

// A multi-line, locked text box: the user can select, scroll and copy but not edit. Text holds
// lines separated by CR LF. Setting the text is cheap: the box shows the latest text once, when
// control returns to the event loop, however often it was set in between.
class TextBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit TextBox(QWidget* parent = nullptr);

    const QString& Text() const { return text_; }
    void setText(QString text);

    // Shows the latest text now instead of at the next turn of the event loop.
    void showText();

  protected:
    // The box's own menu, in Bulgarian and the window's colours: copy and select all.
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    QString text_;
    bool shown_ = true;
};

} // namespace platform
