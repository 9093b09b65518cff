#include "picture_box.h"

#include "twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace platform {

namespace {

// The cross's arms reach this many pixels from its point, and leave this many free round it.
constexpr int CrossArm = 8;
constexpr int CrossGap = 3;

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

// A `size` image, white but where the polygon through `corners` (pixels) covers a pixel's centre
// by the even-odd rule, there `colour`; `changed` is set to the part that is not white. Each row
// marks where the edges cross it and fills between the marks: linear in the crossings and the
// pixels, where a general rasterizer spends per span on a polygon of thousands of edges.
QImage TintImage(const std::vector<QPoint>& corners, QSize size, QRgb colour, QRect& changed)
{
    const int width = size.width();
    const int height = size.height();
    std::vector<std::uint8_t> toggles(static_cast<std::size_t>(height) * (width + 1));
    const std::size_t n = corners.size();
    for (std::size_t k = 0; k < n; ++k) {
        const QPointF a = corners[k];
        const QPointF b = corners[(k + 1) % n];
        if (a.y() == b.y())
            continue;
        // The rows whose centre line y = row + 0.5 the edge crosses, its lower end excluded.
        const double top = std::min(a.y(), b.y());
        const double bottom = std::max(a.y(), b.y());
        const int first = std::max(0, static_cast<int>(std::ceil(top - 0.5)));
        const int last = std::min(height - 1, static_cast<int>(std::ceil(bottom - 0.5)) - 1);
        const double slope = (b.x() - a.x()) / (b.y() - a.y());
        for (int row = first; row <= last; ++row) {
            const double x = a.x() + (row + 0.5 - a.y()) * slope;
            const int column = std::clamp(static_cast<int>(std::ceil(x - 0.5)), 0, width);
            toggles[static_cast<std::size_t>(row) * (width + 1) + column] ^= 1;
        }
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPoint least(width, height);
    QPoint most(-1, -1);
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* marks = &toggles[static_cast<std::size_t>(row) * (width + 1)];
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        bool inside = false;
        for (int column = 0; column < width; ++column) {
            inside ^= marks[column] != 0;
            if (!inside)
                continue;
            line[column] = colour;
            least = QPoint(std::min(least.x(), column), std::min(least.y(), row));
            most = QPoint(std::max(most.x(), column), std::max(most.y(), row));
        }
    }
    changed = QRect(least, most);
    return changed.isEmpty() ? QImage() : image;
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
    ++erasures_;
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

float PictureBox::ScaleWidth() const
{
    return static_cast<float>(contentsRect().width() * TwipsPerPixel);
}

float PictureBox::ScaleHeight() const
{
    return static_cast<float>(contentsRect().height() * TwipsPerPixel);
}

void PictureBox::ShowCross(float x, float y)
{
    const QRect before = crossArea();
    cross_ = QPoint(ToPixel(x), ToPixel(y));
    update(before | crossArea());
}

void PictureBox::HideCross()
{
    if (!cross_)
        return;
    update(crossArea());
    cross_.reset();
}

float PictureBox::CrossX() const
{
    return cross_ ? static_cast<float>(cross_->x() * TwipsPerPixel) : 0.0F;
}

float PictureBox::CrossY() const
{
    return cross_ ? static_cast<float>(cross_->y() * TwipsPerPixel) : 0.0F;
}

void PictureBox::ShowTint(const std::vector<QPointF>& corners, QRgb colour)
{
    HideTint();
    std::vector<QPoint> pixels;
    pixels.reserve(corners.size());
    for (const QPointF& c : corners)
        pixels.emplace_back(ToPixel(c.x()), ToPixel(c.y()));
    // A polygon that covers no pixel's centre tints nothing.
    tint_ = TintImage(pixels, contentsRect().size(), colour, tinted_);
    update(tinted_.translated(contentsRect().topLeft()));
}

void PictureBox::HideTint()
{
    if (tint_.isNull())
        return;
    update(tinted_.translated(contentsRect().topLeft()));
    tint_ = QImage();
    tinted_ = QRect();
}

QRect PictureBox::crossArea() const
{
    if (!cross_)
        return {};
    return QRect(*cross_ - QPoint(CrossArm, CrossArm), QSize(2 * CrossArm + 1, 2 * CrossArm + 1))
        .translated(contentsRect().topLeft());
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
    QPainter p(this);
    p.drawImage(QRectF(dirty), drawing, source);
    if (!tint_.isNull() && dirty.intersects(tinted_.translated(inside.topLeft()))) {
        p.setCompositionMode(QPainter::CompositionMode_Multiply);
        p.drawImage(dirty, tint_, dirty.translated(-inside.topLeft()));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (cross_ && dirty.intersects(crossArea())) {
        // Arms with a gap round the point, so that the dot under it shows whole.
        p.setClipRect(inside);
        const QPoint c = *cross_ + inside.topLeft();
        const QColor magenta(255, 0, 255);
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            // The rectangle spanning both ends: a QRect from the far end back to the near one
            // would be normalized one pixel short at each end.
            const QRect from(c + d * CrossGap, QSize(1, 1));
            const QRect to(c + d * CrossArm, QSize(1, 1));
            p.fillRect(from | to, magenta);
        }
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    HideCross();
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

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool press = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!(press && event->isAutoRepeat()))
        emit KeyDown(key, ShiftCode(event->modifiers()));
    event->accept();
}

void PictureBox::focusOutEvent(QFocusEvent* event)
{
    HideCross();
    QFrame::focusOutEvent(event);
}

} // namespace platform
