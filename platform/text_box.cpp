#include "text_box.h"

#include <QScrollBar>
#include <QTimer>

namespace platform {

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setUndoRedoEnabled(false);
}

void TextBox::setText(QString text)
{
    text_ = std::move(text);
    if (shown_) {
        shown_ = false;
        QTimer::singleShot(0, this, &TextBox::showText);
    }
}

void TextBox::showText()
{
    if (shown_)
        return;
    shown_ = true;
    QString lines = text_;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setPlainText(lines);
    verticalScrollBar()->setValue(0);
}

} // namespace platform
