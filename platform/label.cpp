#include "label.h"

namespace platform {

Label::Label(const QString& caption, QRgb background, QWidget* parent) : QLabel(caption, parent)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(background));
    setPalette(colours);
    setAutoFillBackground(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

} // namespace platform
