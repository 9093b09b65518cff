// The report linked to the figure: the line under the report's caret lights up, on the surface,
// the trapezoid, triangle or polygon it describes, with its vertices' numbers, and takes the
// figure's hue itself.

#include "volunde.h"

#include "geometry/figures.h"
#include "platform/colors.h"

#include <QStringList>

using platform::RGB;

namespace {

// Light hues, multiplied with the drawing: blue where a figure adds to the method's total,
// orange, hatched so as to tell it apart in grey too, where it takes away.
constexpr platform::Shade Adds{RGB(165, 205, 255)};
constexpr platform::Shade TakesAway{RGB(255, 195, 130), true};

// Which figure is lit, and whether it adds or takes away, as a screen reader says it.
// `windings` and `adding` are Winding flags: those the tint shows, and the one that adds.
QString Describe(const geometry::Figure& figure, int windings, int adding)
{
    const QString effect = windings == adding ? QStringLiteral("прибавя се")
                           : (windings & adding) == 0
                               ? QStringLiteral("изважда се")
                               : QStringLiteral("части се прибавят, части се изваждат");
    if (figure.shape == geometry::Figure::Shape::Polygon)
        return QStringLiteral("Многоъгълник с %1 върха: %2. ")
            .arg(figure.numbers.size())
            .arg(effect);
    QStringList numbers;
    for (const int number : figure.numbers)
        numbers.append(QString::number(number));
    const QString name = figure.shape == geometry::Figure::Shape::Trapezoid
                             ? QStringLiteral("Трапец с бедро")
                             : QStringLiteral("Триъгълник");
    return QStringLiteral("%1 %2: %3. ").arg(name, numbers.join(u", "), effect);
}

} // namespace

void Volunde::ShowFigureOfLine(int Line)
{
    const std::optional<geometry::Method> method = geometry::MethodOfReport(Text1(0).Text());
    const std::optional<geometry::Figure> figure =
        method ? geometry::FigureOfLine({List1(0).List(), List1(1).List()}, PointCount, *method,
                                        Line, Text1(0).Line(Line))
               : std::nullopt;
    litFigure_.clear();
    Text1(0).setLineBackground(-1, {});
    if (!figure) {
        Picture1.HideTint();
        return;
    }
    Picture1.ShowTint(figure->corners, figure->numbers, figure->clockwiseAdds ? Adds : TakesAway,
                      figure->clockwiseAdds ? TakesAway : Adds);
    const int windings = Picture1.TintWindings();
    if (windings == 0)
        return; // too thin to cover a pixel
    const int adding = figure->clockwiseAdds ? platform::Clockwise : platform::Anticlockwise;
    litFigure_ = Describe(*figure, windings, adding);
    // The line's hue is its figure's; for a polygon partly adding, the adding one.
    Text1(0).setLineBackground(Line, QColor((windings & adding) != 0 ? Adds.hue : TakesAway.hue));
}
