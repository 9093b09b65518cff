#include "tint_layers.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace platform {

namespace {

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

} // namespace

// Each row adds up where the edges cross it, +1 upwards and -1 downwards, and sums from the left:
// linear in the crossings and the pixels, where a general rasterizer spends per span on a polygon
// of thousands of edges.
QImage TintLayers::colourLayer(const std::vector<QPoint>& corners, QSize size,
                               const Shade (&shades)[2], QRect& changed, int& windings)
{
    const int width = size.width();
    const int height = size.height();
    // Sixteen bits hold any sum: the polygon has at most 32,767 edges.
    crossings_.assign(static_cast<std::size_t>(height) * (width + 1), 0);
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
            crossings_[static_cast<std::size_t>(row) * (width + 1) + column] += upwards;
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
    QImage image = ImageOver(colours_, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPoint least(width, height);
    QPoint most(-1, -1);
    windings = 0;
    for (int row = 0; row < height; ++row) {
        const std::int16_t* marks = &crossings_[static_cast<std::size_t>(row) * (width + 1)];
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
            windings |= winding > 0 ? Clockwise : Anticlockwise;
            least = QPoint(std::min(least.x(), column), std::min(least.y(), row));
            most = QPoint(std::max(most.x(), column), std::max(most.y(), row));
        }
    }
    changed = QRect(least, most);
    return changed.isEmpty() ? QImage() : image;
}

// The boxes of the numbers: `height` high and `digit` wide per digit, with a pixel round them.
std::vector<std::pair<int, QRect>> TintLayers::place(const std::vector<QPoint>& corners,
                                                     const std::vector<int>& numbers, QSize size,
                                                     int digit, int height)
{
    // Every box is as high as the others, so two overlap exactly when one covers a pixel of the
    // other's top or bottom row: those two rows are all a new box needs to look at.
    taken_.assign(static_cast<std::size_t>(size.width()) * size.height(), 0);
    auto row = [&](int y, const QRect& box) {
        return &taken_[static_cast<std::size_t>(y) * size.width() + box.left()];
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

QImage TintLayers::numberLayer(const std::vector<QPoint>& corners, const std::vector<int>& numbers,
                               QSize size, qreal ratio, QFont font,
                               std::vector<std::pair<int, QRect>>& placed)
{
    font.setPixelSize(12);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const QRect ink = metrics.tightBoundingRect(QStringLiteral("0123456789"));
    const int digit = metrics.horizontalAdvance(QStringLiteral("0123456789")) / 10 + 1;
    placed = place(corners, numbers, size, digit, ink.height() + 2);
    QImage text = ImageOver(text_, size * ratio, QImage::Format_ARGB32_Premultiplied);
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
    QImage halo = ImageOver(numbers_, text.size(), QImage::Format_ARGB32_Premultiplied);
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

} // namespace platform
