#include "picture_box.h"

#include "twips.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace platform {

// Memory kept from one tint to the next, so that lighting figure after figure takes none afresh:
// each new page of it would cost a fault.
struct TintMemory {
    std::vector<std::int16_t> crossings;
    std::vector<std::uint8_t> taken;
    std::vector<QRgb> tint, text, numbers;
};

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

// Hatch lines run where a pixel's column and row add up to a multiple of this.
constexpr int HatchPitch = 6;

// An image of `size` over `pixels`, which grow to fit it.
QImage ImageOver(std::vector<QRgb>& pixels, QSize size, QImage::Format format)
{
    pixels.resize(static_cast<std::size_t>(size.width()) * size.height());
    return {reinterpret_cast<uchar*>(pixels.data()), size.width(), size.height(),
            size.width() * static_cast<qsizetype>(sizeof(QRgb)), format};
}

// `colour` multiplied with `by`, channel by channel, as the tint is with the drawing.
QRgb Multiplied(QRgb colour, QRgb by)
{
    return qRgb(qRed(colour) * qRed(by) / 255, qGreen(colour) * qGreen(by) / 255,
                qBlue(colour) * qBlue(by) / 255);
}

// A `size` image, white but where the polygon through `corners` (pixels) winds round a pixel's
// centre: there the shade of that winding, shades[0] clockwise and shades[1] anticlockwise (as
// seen with y downwards), deeper where it winds round twice or more. `changed` is set to the
// part that is not white and `windings` to the Winding flags met. Each row adds up where the
// edges cross it, +1 upwards and -1 downwards, and sums from the left: linear in the crossings
// and the pixels, where a general rasterizer spends per span on a polygon of thousands of edges.
QImage TintImage(const std::vector<QPoint>& corners, QSize size,
                 const std::array<PictureBox::Shade, 2>& shades, TintMemory& memory,
                 QRect& changed, int& windings)
{
    const int width = size.width();
    const int height = size.height();
    // Sixteen bits hold any sum: the polygon has at most 32,767 edges.
    std::vector<std::int16_t>& crossings = memory.crossings;
    crossings.assign(static_cast<std::size_t>(height) * (width + 1), 0);
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
        const std::int16_t upwards = b.y() < a.y() ? 1 : -1;
        for (int row = first; row <= last; ++row) {
            const double x = a.x() + (row + 0.5 - a.y()) * slope;
            const int column = std::clamp(static_cast<int>(std::ceil(x - 0.5)), 0, width);
            crossings[static_cast<std::size_t>(row) * (width + 1) + column] += upwards;
        }
    }
    // By way round and depth: the hue, the hue multiplied with itself; then the hatch.
    std::array<QRgb, 6> colours{};
    for (std::size_t way = 0; way < 2; ++way) {
        const QRgb hue = shades[way].hue;
        colours[way * 3] = hue;
        colours[way * 3 + 1] = Multiplied(hue, hue);
        colours[way * 3 + 2] = shades[way].hatched ? Multiplied(hue, qRgb(140, 140, 140)) : 0;
    }
    QImage image = ImageOver(memory.tint, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPoint least(width, height);
    QPoint most(-1, -1);
    windings = 0;
    for (int row = 0; row < height; ++row) {
        const std::int16_t* marks = &crossings[static_cast<std::size_t>(row) * (width + 1)];
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        int winding = 0;
        for (int column = 0; column < width; ++column) {
            winding += marks[column];
            if (winding == 0)
                continue;
            const std::size_t way = winding > 0 ? 0 : 1;
            const QRgb hatch = colours[way * 3 + 2];
            line[column] = hatch != 0 && (column + row) % HatchPitch == 0
                               ? hatch
                               : colours[way * 3 + (std::abs(winding) > 1 ? 1 : 0)];
            windings |= winding > 0 ? PictureBox::Clockwise : PictureBox::Anticlockwise;
            least = QPoint(std::min(least.x(), column), std::min(least.y(), row));
            most = QPoint(std::max(most.x(), column), std::max(most.y(), row));
        }
    }
    changed = QRect(least, most);
    return changed.isEmpty() ? QImage() : image;
}

// Over `area` of `halo` (device pixels): white, as opaque as the most opaque pixel of `text`
// within `reach` of it, left and right, then up and down.
void Halo(const QImage& text, QImage& halo, const QRect& area, int reach)
{
    const int w = area.width();
    const int h = area.height();
    std::vector<int> across(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const auto* line =
            reinterpret_cast<const QRgb*>(text.constScanLine(area.top() + y)) + area.left();
        for (int x = 0; x < w; ++x) {
            int& alpha = across[static_cast<std::size_t>(y) * w + x];
            for (int d = std::max(0, x - reach); d <= std::min(w - 1, x + reach); ++d)
                alpha = std::max(alpha, qAlpha(line[d]));
        }
    }
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(halo.scanLine(area.top() + y)) + area.left();
        for (int x = 0; x < w; ++x) {
            int alpha = 0;
            for (int d = std::max(0, y - reach); d <= std::min(h - 1, y + reach); ++d)
                alpha = std::max(alpha, across[static_cast<std::size_t>(d) * w + x]);
            line[x] = qRgba(alpha, alpha, alpha, alpha);
        }
    }
}

// The boxes of the numbers beside their corners (pixels) within `size`, a box `height` high and
// `digit` wide per digit with a pixel round it: each to the upper right of its corner, flipped to
// the left or below where it would leave `size`, and left out where it would overlap one placed
// before it.
std::vector<std::pair<int, QRect>> PlaceNumbers(const std::vector<QPoint>& corners,
                                                const std::vector<int>& numbers, QSize size,
                                                int digit, int height,
                                                std::vector<std::uint8_t>& taken)
{
    // Every box is as high as the others, so two overlap exactly when one covers a pixel of the
    // other's top or bottom row: those two rows are all a new box needs to look at.
    taken.assign(static_cast<std::size_t>(size.width()) * size.height(), 0);
    auto row = [&](int y, const QRect& box) {
        return &taken[static_cast<std::size_t>(y) * size.width() + box.left()];
    };
    auto unoccupied = [&](int y, const QRect& box) {
        return std::find(row(y, box), row(y, box) + box.width(), 1) == row(y, box) + box.width();
    };
    std::vector<std::pair<int, QRect>> placed;
    const std::size_t count = std::min(corners.size(), numbers.size());
    for (std::size_t j = 0; j < count; ++j) {
        const QPoint at = corners[j];
        int digits = 1;
        for (int rest = numbers[j]; rest >= 10; rest /= 10)
            ++digits;
        QRect box(at.x() + 3, at.y() - 2 - height, digit * digits + 2, height);
        if (box.right() >= size.width())
            box.moveRight(at.x() - 3);
        if (box.top() < 0)
            box.moveTop(at.y() + 3);
        if (!QRect(QPoint(0, 0), size).contains(box) || !unoccupied(box.top(), box) ||
            !unoccupied(box.bottom(), box))
            continue;
        for (int y = box.top(); y <= box.bottom(); ++y)
            std::fill_n(row(y, box), box.width(), 1);
        placed.emplace_back(numbers[j], box);
    }
    return placed;
}

// The numbers beside their corners (pixels), placed as PlaceNumbers does, on a transparent `size`
// image at `ratio` device pixels to the pixel: dark and bold, with a white halo a pixel wide.
// `placed` is set to the numbers written and their boxes, halo included.
QImage NumberImage(const std::vector<QPoint>& corners, const std::vector<int>& numbers, QSize size,
                   qreal ratio, QFont font, TintMemory& memory,
                   std::vector<std::pair<int, QRect>>& placed)
{
    font.setPixelSize(12);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const QRect ink = metrics.tightBoundingRect(QStringLiteral("0123456789"));
    const int digit = metrics.horizontalAdvance(QStringLiteral("0123456789")) / 10 + 1;
    placed = PlaceNumbers(corners, numbers, size, digit, ink.height() + 2, memory.taken);
    QImage text = ImageOver(memory.text, size * ratio, QImage::Format_ARGB32_Premultiplied);
    text.setDevicePixelRatio(ratio);
    text.fill(Qt::transparent);
    {
        QPainter p(&text);
        p.setFont(font);
        p.setPen(QColor(0, 0, 96));
        for (const auto& [number, box] : placed)
            p.drawText(QPoint(box.left() + 1 - ink.left(), box.top() + 1 - ink.top()),
                       QString::number(number));
    }
    QImage halo = ImageOver(memory.numbers, text.size(), QImage::Format_ARGB32_Premultiplied);
    halo.setDevicePixelRatio(ratio);
    halo.fill(Qt::transparent);
    for (const auto& placedNumber : placed)
        Halo(text, halo,
             QRectF(QPointF(placedNumber.second.topLeft()) * ratio,
                    QSizeF(placedNumber.second.size()) * ratio)
                     .toAlignedRect() &
                 text.rect(),
             std::max(1, qRound(ratio)));
    QPainter(&halo).drawImage(QPoint(0, 0), text);
    return halo;
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

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent), tintMemory_(std::make_unique<TintMemory>())
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

void PictureBox::ShowTint(const std::vector<QPointF>& corners, const std::vector<int>& numbers,
                          Shade clockwise, Shade anticlockwise)
{
    HideTint();
    std::vector<QPoint> pixels;
    pixels.reserve(corners.size());
    for (const QPointF& c : corners)
        pixels.emplace_back(ToPixel(c.x()), ToPixel(c.y()));
    // A polygon that covers no pixel's centre tints nothing, and has no numbers.
    tint_ = TintImage(pixels, contentsRect().size(), {clockwise, anticlockwise}, *tintMemory_,
                      tinted_, tintWindings_);
    if (tint_.isNull())
        return;
    numberImage_ = NumberImage(pixels, numbers, contentsRect().size(), devicePixelRatioF(),
                               font(), *tintMemory_, numbers_);
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
            const QPoint from = *cross_ + d * CrossGap;
            const QPoint to = *cross_ + d * CrossArm;
            p.fillRect(QRect(from, to).normalized(), magenta);
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
