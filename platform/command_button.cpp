#include "command_button.h"

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

} // namespace platform
