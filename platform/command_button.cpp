#include "command_button.h"

#include <QKeyEvent>

namespace platform {

CommandButton::CommandButton(const QString& caption, QRgb face, QWidget* parent)
    : QPushButton(caption, parent)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Button, QColor(face));
    setPalette(colours);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &CommandButton::Click);
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    // QPushButton takes Enter only when it is default or auto-default; these buttons are neither,
    // so that the window has no default button, and take Enter here.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace platform
