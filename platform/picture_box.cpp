#include "picture_box.h"

#include "twips.h"

#include <QMouseEvent>
#include <QPaintEvent>

#include <cmath>

namespace platform {

namespace {

int ToPixel(float twips)
{
    return static_cast<int>(std::floor(twips / TwipsPerPixel));
}

int ButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int ShiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

Qt::PenStyle PenStyle(int drawStyle)
{
    switch (drawStyle) {
    case PictureBox::Dotted:
        return Qt::DotLine;
    case PictureBox::DashDot:
        return Qt::DashDotLine;
    default:
        return Qt::SolidLine;
    }
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
}

PictureBox::~PictureBox() = default;

const QImage& PictureBox::image()
{
    endPainting();
    const QSize inside = contentsRect().size();
    const qreal ratio = devicePixelRatioF();
    if (image_.deviceIndependentSize() != QSizeF(inside) || image_.devicePixelRatio() != ratio) {
        QImage resized(inside * ratio, QImage::Format_RGB32);
        resized.setDevicePixelRatio(ratio);
        resized.fill(palette().color(QPalette::Window));
        if (!image_.isNull()) {
            QPainter copy(&resized);
            copy.drawImage(QPoint(0, 0), image_);
        }
        image_ = std::move(resized);
    }
    return image_;
}

QPainter& PictureBox::painter()
{
    if (!painter_) {
        image();
        painter_.emplace(&image_);
    }
    return *painter_;
}

const QPen& PictureBox::pen(QRgb color)
{
    // One pen kept per style: the trapezoids alternate edge and leg, line by line.
    const Qt::PenStyle style = PenStyle(drawStyle_);
    QPen& kept = pens_[style == Qt::DotLine ? 1 : style == Qt::DashDotLine ? 2 : 0];
    if (kept.style() != style || kept.width() != drawWidth_ || kept.color() != QColor(color))
        kept = QPen(QColor(color), drawWidth_, style, Qt::FlatCap);
    return kept;
}

void PictureBox::endPainting()
{
    painter_.reset();
}

void PictureBox::drawn()
{
    if (!updatePending_) {
        updatePending_ = true;
        update(contentsRect());
    }
}

void PictureBox::Cls()
{
    image();
    image_.fill(palette().color(QPalette::Window));
    drawn();
}

void PictureBox::PSet(float x, float y)
{
    PSet(x, y, ForeColor().rgb());
}

void PictureBox::PSet(float x, float y, QRgb color)
{
    const int px = ToPixel(x);
    const int py = ToPixel(y);
    QPainter& p = painter();
    if (drawWidth_ <= 1) {
        p.fillRect(QRect(px, py, 1, 1), QColor(color));
        drawn();
        return;
    }
    // The pixels whose centres lie within half the width of the dot's centre: the centre of the
    // point's pixel for an odd width, its top left corner for an even one.
    // Rows that span the same pixels are filled as one rectangle.
    const double radius = drawWidth_ / 2.0;
    const double centre = drawWidth_ % 2 ? 0.5 : 0.0;
    const QColor fill(color);
    QRect band;
    for (int row = -drawWidth_; row <= drawWidth_; ++row) {
        const double dy = row + 0.5 - centre;
        if (dy * dy > radius * radius)
            continue;
        const double half = std::sqrt(radius * radius - dy * dy);
        const int first = static_cast<int>(std::ceil(centre - 0.5 - half));
        const int last = static_cast<int>(std::floor(centre - 0.5 + half));
        const QRect span(px + first, py + row, last - first + 1, 1);
        if (!band.isNull() && span.left() == band.left() && span.right() == band.right() &&
            span.top() == band.bottom() + 1) {
            band.setBottom(span.bottom());
            continue;
        }
        if (!band.isNull())
            p.fillRect(band, fill);
        band = span;
    }
    if (!band.isNull())
        p.fillRect(band, fill);
    drawn();
}

void PictureBox::Line(float x1, float y1, float x2, float y2, QRgb color)
{
    QPainter& p = painter();
    p.setPen(pen(color));
    p.drawLine(QPointF(ToPixel(x1), ToPixel(y1)), QPointF(ToPixel(x2), ToPixel(y2)));
    drawn();
}

float PictureBox::Height() const
{
    return static_cast<float>(height() * TwipsPerPixel);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    updatePending_ = false;
    const QRect inside = contentsRect();
    const QRect dirty = event->rect() & inside;
    if (dirty.isEmpty())
        return;
    const QImage& drawing = image();
    const qreal ratio = drawing.devicePixelRatio();
    const QRectF source(QPointF(dirty.topLeft() - inside.topLeft()) * ratio,
                        QSizeF(dirty.size()) * ratio);
    QPainter(this).drawImage(QRectF(dirty), drawing, source);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPoint pixel(static_cast<int>(std::floor(event->position().x())),
                       static_cast<int>(std::floor(event->position().y())));
    const QRect inside = contentsRect();
    if (inside.contains(pixel)) {
        const QPoint at = pixel - inside.topLeft();
        emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                       static_cast<float>(at.x() * TwipsPerPixel),
                       static_cast<float>(at.y() * TwipsPerPixel));
    }
    QFrame::mousePressEvent(event);
}

} // namespace platform
