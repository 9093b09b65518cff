#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <vector>

namespace platform {

// The pixels of a drawing as they were before some drawing into it: each square tile is saved
// the first time anything is drawn into it, so that the record costs what the drawing touched,
// and putting the tiles back returns the drawing to how it was.
class PixelRecord {
  public:
    // Saves the tiles of `image` that `area` (logical pixels) reaches and that are not saved yet.
    void Save(const QImage& image, QRect area);
    // Puts the saved tiles back into `image`; scaled where its pixel ratio has changed since.
    void RestoreInto(QImage& image) const;
    // Whether every saved tile still holds in `image` the pixels it held when it was saved.
    bool Unchanged(const QImage& image) const;
    // Compresses the tiles saved so far, unless they are few; later drawing may save more.
    void Seal();
    // The memory the saved tiles take.
    qsizetype Bytes() const;

  private:
    struct Tile {
        QRect area; // logical pixels
        qreal ratio;
        QRect device;
        qsizetype offset; // of its rows in its chunk, uncompressed
    };
    // Tiles saved between two seals, their rows one after another.
    struct Chunk {
        std::vector<Tile> tiles;
        QByteArray rows;
        bool compressed = false;
    };
    template <class Visit> bool EachTile(Visit visit) const;

    std::vector<Chunk> chunks_;
    // Which tiles of the grid are saved, row by row.
    std::vector<bool> saved_;
    int columns_ = 0;
    int savedCount_ = 0;
};

} // namespace platform
