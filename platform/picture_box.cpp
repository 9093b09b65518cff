#include "picture_box.h"

#include "twips.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>

#include <cmath>

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

void PictureBox::keep(QRect area)
{
    if (record_)
        record_->Save(image_, area);
}

void PictureBox::Restore(const PixelRecord& record)
{
    image();
    record.RestoreInto(image_);
    drawn();
}

void PictureBox::Cls()
{
    image();
    keep(QRect(QPoint(0, 0), image_.deviceIndependentSize().toSize()));
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
    keep(QRect(px - drawWidth_, py - drawWidth_, 2 * drawWidth_ + 1, 2 * drawWidth_ + 1));
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
    const QPoint from(ToPixel(x1), ToPixel(y1));
    const QPoint to(ToPixel(x2), ToPixel(y2));
    const int reach = drawWidth_ + 1;
    keep(QRect(from, to).normalized().adjusted(-reach, -reach, reach, reach));
    p.setPen(pen(color));
    p.drawLine(QPointF(from), QPointF(to));
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

std::optional<QPointF> PictureBox::Cross() const
{
    if (!cross_)
        return std::nullopt;
    return QPointF(*cross_ * TwipsPerPixel);
}

void PictureBox::ShowTint(const std::vector<QPointF>& corners, const std::vector<int>& numbers,
                          Shade clockwise, Shade anticlockwise)
{
    HideTint();
    std::vector<QPoint> pixels;
    pixels.reserve(corners.size());
    for (const QPointF& c : corners)
        pixels.emplace_back(ToPixel(c.x()), ToPixel(c.y()));
    // A polygon that covers no pixel's centre tints nothing, and has no numbers.
    const Shade shades[2] = {clockwise, anticlockwise};
    tint_ = tintLayers_.colourLayer(pixels, contentsRect().size(), shades, tinted_, tintWindings_);
    if (tint_.isNull())
        return;
    numberImage_ = tintLayers_.numberLayer(pixels, numbers, contentsRect().size(),
                                           devicePixelRatioF(), font(), numbers_);
    for (const auto& placed : numbers_)
        tinted_ |= placed.second;
    update(tinted_.translated(contentsRect().topLeft()));
}

void PictureBox::HideTint()
{
    if (tint_.isNull())
        return;
    update(tinted_.translated(contentsRect().topLeft()));
    tint_ = QImage();
    numberImage_ = QImage();
    tinted_ = QRect();
    tintWindings_ = 0;
    numbers_.clear();
}

QImage PictureBox::Picture()
{
    QImage picture = image().copy();
    QPainter p(&picture);
    paintTint(p, QRect(QPoint(0, 0), contentsRect().size()));
    return picture;
}

void PictureBox::CopyPicture()
{
    QGuiApplication::clipboard()->setImage(Picture());
}

void PictureBox::paintTint(QPainter& painter, const QRect& area) const
{
    if (tint_.isNull() || !area.intersects(tinted_))
        return;
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.drawImage(area, tint_, area);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const qreal ratio = numberImage_.devicePixelRatio();
    painter.drawImage(QRectF(area), numberImage_,
                      QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
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
    const QRect area = (event->rect() & inside).translated(-inside.topLeft());
    if (area.isEmpty())
        return;
    const QImage& drawing = image();
    const qreal ratio = drawing.devicePixelRatio();
    QPainter p(this);
    p.translate(inside.topLeft());
    p.drawImage(QRectF(area), drawing,
                QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
    paintTint(p, area);
    p.setClipRect(QRect(QPoint(0, 0), inside.size()));
    if (cross_ && area.intersects(crossArea().translated(-inside.topLeft()))) {
        // Arms with a gap round the point, so that the dot under it shows whole.
        const QColor magenta(255, 0, 255);
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            // The rectangle spanning both ends: a QRect from the far end back to the near one
            // would be normalized one pixel short at each end.
            const QRect from(*cross_ + d * CrossGap, QSize(1, 1));
            const QRect to(*cross_ + d * CrossArm, QSize(1, 1));
            p.fillRect(from | to, magenta);
        }
    }
    if (focusMarked_ && hasFocus()) {
        // Dotted, a pixel inside the border: black dots between white ones show over any ink.
        const QRect mark(QPoint(1, 1), inside.size() - QSize(3, 3));
        p.setPen(Qt::white);
        p.drawRect(mark);
        QPen dots(Qt::black, 1, Qt::CustomDashLine, Qt::FlatCap);
        dots.setDashPattern({1, 1});
        p.setPen(dots);
        p.drawRect(mark);
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    HideCross();
    if (focusMarked_) {
        focusMarked_ = false;
        update();
    }
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
    if (event->matches(QKeySequence::Copy)) {
        CopyPicture();
        event->accept();
        return;
    }
    const int key = event->key();
    const bool press = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!(press && event->isAutoRepeat()))
        emit KeyDown(key, ShiftCode(event->modifiers()));
    event->accept();
}

// The focus mark shows for a focus that came from the keyboard, none for one from a press; it
// stays as it was for a focus back from another window or a menu.
void PictureBox::focusInEvent(QFocusEvent* event)
{
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        focusMarked_ = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    QFrame::focusInEvent(event);
}

void PictureBox::focusOutEvent(QFocusEvent* event)
{
    HideCross();
    QFrame::focusOutEvent(event);
}

} // namespace platform
