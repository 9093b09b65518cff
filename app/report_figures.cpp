// The report linked to the figure: the line under the report's caret lights up, on the surface,
// the trapezoid, triangle or polygon it describes.

#include "volunde.h"

#include "geometry/figures.h"
#include "platform/colors.h"

using platform::RGB;

// Light hues, multiplied with the drawing: blue where a figure adds to the method's total,
// orange where it takes away.
constexpr QRgb AddsHue = RGB(165, 205, 255);
constexpr QRgb TakesAwayHue = RGB(255, 195, 130);

void Volunde::ShowFigureOfLine(int Line)
{
    const std::optional<geometry::Method> method = geometry::MethodOfReport(Text1(0).Text());
    const std::optional<geometry::Figure> figure =
        method ? geometry::FigureOfLine({List1(0).List(), List1(1).List()}, PointCount, *method,
                                        Line, Text1(0).Line(Line))
               : std::nullopt;
    if (figure)
        Picture1.ShowTint(figure->corners, figure->addsToTotal ? AddsHue : TakesAwayHue);
    else
        Picture1.HideTint();
}
