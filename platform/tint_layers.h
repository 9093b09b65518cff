#pragma once

#include <QFont>
#include <QImage>

#include <cstdint>
#include <utility>
#include <vector>

namespace platform {

// How a tint colours where its outline winds round one way: a light hue, and if `hatched` thin
// diagonal lines in a darker shade of it.
struct Shade {
    QRgb hue;
    bool hatched = false;
};

// The ways an outline winds round a point as seen on a surface with y downwards, as flags.
enum Winding { Clockwise = 1, Anticlockwise = 2 };

// Makes the two layers of a tint over a drawing: the polygon coloured by how its outline winds
// round each pixel, and numbers beside its corners. Each image lies in memory kept from one tint
// to the next, and is valid until the next one is made.
class TintLayers {
  public:
    // A `size` image, white but where the polygon through `corners` (pixels) winds round a
    // pixel's centre: there the shade of that winding, shades[0] clockwise and shades[1]
    // anticlockwise, deeper where it winds round twice or more. `changed` is set to the part
    // that is not white and `windings` to the Winding flags met; a null image for none.
    QImage colourLayer(const std::vector<QPoint>& corners, QSize size, const Shade (&shades)[2],
                       QRect& changed, int& windings);

    // numbers[j] beside corners[j] (pixels), on a transparent `size` image at `ratio` device
    // pixels to the pixel: small, dark and bold, with a white halo a pixel wide. Each stands to
    // the upper right of its corner, flipped to the left or below where it would leave the image,
    // and is left out where it would overlap one placed before it. `placed` is set to the numbers
    // written and their boxes, halo included.
    QImage numberLayer(const std::vector<QPoint>& corners, const std::vector<int>& numbers,
                       QSize size, qreal ratio, QFont font,
                       std::vector<std::pair<int, QRect>>& placed);

  private:
    std::vector<std::pair<int, QRect>> place(const std::vector<QPoint>& corners,
                                             const std::vector<int>& numbers, QSize size, int digit,
                                             int height);

    // Fresh memory would cost a page fault per page, each time a figure is lit.
    std::vector<std::int16_t> crossings_;
    std::vector<std::uint8_t> taken_;
    std::vector<QRgb> colours_, text_, numbers_;
};

} // namespace platform
