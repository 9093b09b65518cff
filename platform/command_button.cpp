#include "command_button.h"

#include <QKeyEvent>
#include <QPainter>

#include <utility>

namespace platform {

namespace {

// A two-pixel edge round `r`: the outer and inner colours of the top and left sides, then those
// of the bottom and right sides.
void DrawEdge(QPainter& p, QRect r, QColor outerTopLeft, QColor innerTopLeft,
              QColor outerBottomRight, QColor innerBottomRight)
{
    for (const auto& [topLeft, bottomRight] :
         {std::pair{outerTopLeft, outerBottomRight}, {innerTopLeft, innerBottomRight}}) {
        p.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
        p.fillRect(r.left(), r.top() + 1, 1, r.height() - 2, topLeft);
        p.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
        p.fillRect(r.right(), r.top(), 1, r.height() - 1, bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}

} // namespace

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

void CommandButton::paintEvent(QPaintEvent* /*event*/)
{
    // Drawn here rather than by the style, which would shade the face or ignore its colour.
    QPainter p(this);
    const QPalette& colours = palette();
    const QRect r = rect();
    p.fillRect(r, colours.color(QPalette::Button));
    const bool sunken = isDown();
    if (sunken)
        DrawEdge(p, r, colours.color(QPalette::Shadow), colours.color(QPalette::Dark),
                 colours.color(QPalette::Light), colours.color(QPalette::Midlight));
    else
        DrawEdge(p, r, colours.color(QPalette::Light), colours.color(QPalette::Midlight),
                 colours.color(QPalette::Shadow), colours.color(QPalette::Dark));
    if (hasFocus()) {
        QPen dotted(colours.color(QPalette::ButtonText), 0);
        dotted.setDashPattern({1, 1});
        p.setPen(dotted);
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
    p.setPen(colours.color(QPalette::ButtonText));
    const int shift = sunken ? 1 : 0;
    p.drawText(r.translated(shift, shift), Qt::AlignCenter, text());
}

} // namespace platform
