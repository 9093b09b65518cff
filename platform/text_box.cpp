#include "text_box.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QMenu>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>

namespace platform {

namespace {

// How many documents of earlier texts are kept: enough for a few undos in a row.
constexpr std::size_t KeptDocuments = 2;

// The text with each CR LF as a single line feed, as the editor splits lines; in one pass, since
// a report runs to megabytes.
QString LineFeedsOnly(const QString& text)
{
    qsizetype cr = text.indexOf(u'\r');
    if (cr < 0)
        return text;
    QString lines(text.size(), Qt::Uninitialized);
    QChar* out = lines.data();
    qsizetype from = 0;
    for (; cr >= 0; cr = text.indexOf(u'\r', cr + 1)) {
        if (cr + 1 < text.size() && text[cr + 1] == u'\n') {
            out = std::copy(text.constData() + from, text.constData() + cr, out);
            from = cr + 1;
        }
    }
    out = std::copy(text.constData() + from, text.constData() + text.size(), out);
    lines.truncate(out - lines.constData());
    return lines;
}

} // namespace

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setUndoRedoEnabled(false);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TextBox::followCaret);
    // Selecting all moves the caret to the end without telling of a cursor move.
    connect(this, &QPlainTextEdit::selectionChanged, this, &TextBox::followCaret);
}

void TextBox::setText(QString text)
{
    text_ = std::move(text);
    caretMoved(-1);
    if (shown_) {
        shown_ = false;
        QTimer::singleShot(0, this, &TextBox::showText);
    }
}

void TextBox::showText()
{
    if (shown_)
        return;
    // The same string, not only the same characters: found without reading a report through.
    const auto same = std::find_if(kept_.begin(), kept_.end(), [&](const Kept& kept) {
        return kept.text.constData() == text_.constData() && kept.text.size() == text_.size();
    });
    std::unique_ptr<QTextDocument> next;
    if (same != kept_.end()) {
        next = std::move(same->document);
        kept_.erase(same);
    } else {
        next = std::make_unique<QTextDocument>();
        next->setDocumentLayout(new QPlainTextDocumentLayout(next.get()));
        next->setUndoRedoEnabled(false);
        next->setDefaultFont(font());
        next->setPlainText(LineFeedsOnly(text_));
    }
    // The box would delete a document of its own that it no longer shows.
    QTextDocument* before = document();
    before->setParent(nullptr);
    kept_.push_back({shownText_, std::unique_ptr<QTextDocument>(before)});
    if (kept_.size() > KeptDocuments)
        kept_.erase(kept_.begin());
    next->setParent(this);
    setDocument(next.release());
    shownText_ = text_;
    shown_ = true;
    setExtraSelections({});
    verticalScrollBar()->setValue(0);
    followCaret();
}

QString TextBox::Line(int index) const
{
    return document()->findBlockByNumber(index).text();
}

void TextBox::setLineBackground(int index, QColor colour)
{
    QList<QTextEdit::ExtraSelection> marks;
    if (index >= 0) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(document()->findBlockByNumber(index));
        // Up to the next line, so that the background reaches across the box.
        mark.cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        mark.format.setBackground(colour);
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        marks.append(mark);
    }
    setExtraSelections(marks);
}

// The caret's line, while the box has the focus and shows its latest text.
void TextBox::followCaret()
{
    if (hasFocus() && shown_)
        caretMoved(textCursor().blockNumber());
}

void TextBox::caretMoved(int line)
{
    if (line == caretLine_)
        return;
    caretLine_ = line;
    emit CaretLine(line);
}

void TextBox::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    followCaret();
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        caretMoved(-1);
}

void TextBox::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setAttribute(Qt::WA_WindowPropagation);
    QAction* copy =
        menu->addAction(QStringLiteral("&Копирай"), QKeySequence::Copy, this, &TextBox::copy);
    copy->setEnabled(textCursor().hasSelection());
    menu->addAction(QStringLiteral("&Маркирай всичко"), QKeySequence::SelectAll, this,
                    &TextBox::selectAll);
    if (!actions().isEmpty()) {
        menu->addSeparator();
        menu->addActions(actions());
    }
    menu->popup(event->globalPos());
}

} // namespace platform
