#include "pixel_record.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace platform {

namespace {

// Tiles of 32 logical pixels: a vertex dot touches one to four of them, a line or an erasure
// of the whole surface all it crosses.
constexpr int Side = 32;
// Below this many bytes of rows, as after a vertex dot, compressing saves too little to pay.
constexpr qsizetype CompressFrom = qsizetype(16) * 1024;

QRect DeviceRect(QRect logical, qreal ratio, QSize limit)
{
    const QRect device(QPoint(static_cast<int>(std::floor(logical.left() * ratio)),
                              static_cast<int>(std::floor(logical.top() * ratio))),
                       QPoint(static_cast<int>(std::ceil((logical.right() + 1) * ratio)) - 1,
                              static_cast<int>(std::ceil((logical.bottom() + 1) * ratio)) - 1));
    return device & QRect(QPoint(0, 0), limit);
}

qsizetype RowBytes(QRect device)
{
    return qsizetype(device.width()) * 4;
}

const uchar* RowOf(const QImage& image, QRect device, int row)
{
    return image.constScanLine(device.top() + row) + qsizetype(device.left()) * 4;
}

} // namespace

void PixelRecord::Save(const QImage& image, QRect area)
{
    const QSizeF logical = image.deviceIndependentSize();
    if (columns_ == 0)
        columns_ = static_cast<int>(std::ceil(logical.width() / Side));
    area &= QRect(QPoint(0, 0), logical.toSize());
    // Once every tile is saved, as after an erasure, the lines that follow need no look.
    if (area.isEmpty() || savedCount_ == columns_ * ((logical.toSize().height() + Side - 1) / Side))
        return;
    const qreal ratio = image.devicePixelRatio();
    for (int row = area.top() / Side; row <= area.bottom() / Side; ++row)
        for (int column = area.left() / Side; column <= std::min(area.right() / Side, columns_ - 1);
             ++column) {
            const std::size_t index =
                std::size_t(row) * std::size_t(columns_) + std::size_t(column);
            if (index >= saved_.size())
                saved_.resize(index + 1);
            if (saved_[index])
                continue;
            saved_[index] = true;
            ++savedCount_;
            if (chunks_.empty() || chunks_.back().compressed)
                chunks_.emplace_back();
            Chunk& chunk = chunks_.back();
            const QRect tileArea(column * Side, row * Side, Side, Side);
            const QRect device = DeviceRect(tileArea, ratio, image.size());
            chunk.tiles.push_back({tileArea, ratio, device, chunk.rows.size()});
            for (int line = 0; line < device.height(); ++line)
                chunk.rows.append(reinterpret_cast<const char*>(RowOf(image, device, line)),
                                  RowBytes(device));
        }
}

// Calls visit(tile, its rows) for every saved tile, each chunk uncompressed once; stops when a
// visit returns false.
template <class Visit> bool PixelRecord::EachTile(Visit visit) const
{
    for (const Chunk& chunk : chunks_) {
        const QByteArray rows = chunk.compressed ? qUncompress(chunk.rows) : chunk.rows;
        for (const Tile& tile : chunk.tiles) {
            // Rows that could not be uncompressed, for want of memory, are not there to read.
            if (tile.offset + RowBytes(tile.device) * tile.device.height() > rows.size())
                return false;
            if (!visit(tile, rows.constData() + tile.offset))
                return false;
        }
    }
    return true;
}

void PixelRecord::RestoreInto(QImage& image) const
{
    std::optional<QPainter> scaling;
    EachTile([&](const Tile& tile, const char* rows) {
        const qsizetype rowBytes = RowBytes(tile.device);
        if (tile.ratio == image.devicePixelRatio() && image.rect().contains(tile.device)) {
            for (int line = 0; line < tile.device.height(); ++line)
                std::memcpy(image.scanLine(tile.device.top() + line) +
                                qsizetype(tile.device.left()) * 4,
                            rows + line * rowBytes, static_cast<std::size_t>(rowBytes));
            return true;
        }
        // Saved at another pixel ratio: drawn scaled, as the drawing itself was.
        QImage pixels(reinterpret_cast<const uchar*>(rows), tile.device.width(),
                      tile.device.height(), rowBytes, QImage::Format_RGB32);
        pixels.setDevicePixelRatio(tile.ratio);
        if (!scaling) {
            scaling.emplace(&image);
            scaling->setCompositionMode(QPainter::CompositionMode_Source);
        }
        scaling->drawImage(QRectF(tile.area), pixels);
        return true;
    });
}

bool PixelRecord::Unchanged(const QImage& image) const
{
    return EachTile([&](const Tile& tile, const char* rows) {
        if (tile.ratio != image.devicePixelRatio() || !image.rect().contains(tile.device))
            return false;
        const qsizetype rowBytes = RowBytes(tile.device);
        for (int line = 0; line < tile.device.height(); ++line)
            if (std::memcmp(RowOf(image, tile.device, line), rows + line * rowBytes,
                            static_cast<std::size_t>(rowBytes)) != 0)
                return false;
        return true;
    });
}

void PixelRecord::Seal()
{
    if (chunks_.empty() || chunks_.back().compressed)
        return;
    Chunk& chunk = chunks_.back();
    if (chunk.rows.size() < CompressFrom)
        return;
    QByteArray compressed = qCompress(chunk.rows, 1);
    if (compressed.isEmpty())
        return;           // kept as they are where memory runs short
    compressed.squeeze(); // the compressor allocates for the worst case
    chunk.rows = std::move(compressed);
    chunk.compressed = true;
}

qsizetype PixelRecord::Bytes() const
{
    qsizetype bytes = 0;
    for (const Chunk& chunk : chunks_)
        bytes += chunk.rows.capacity() + qsizetype(chunk.tiles.size() * sizeof(Tile));
    return bytes + qsizetype(saved_.capacity() / 8);
}

} // namespace platform
