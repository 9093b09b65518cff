// The drawing surface by keyboard: a cross moved with the arrow keys places vertices as a left
// press there would, and Backspace takes back the last vertex while entry is open.

#include "volunde.h"

#include "platform/colors.h"
#include "platform/conversions.h"
#include "platform/twips.h"

#include <QApplication>

#include <algorithm>
#include <cmath>

using platform::CSng;
using platform::RGB;
using platform::ToPixel;
using platform::TwipsPerPixel;
using platform::Val;

void Volunde::Picture1_KeyDown(int KeyCode, int Shift)
{
    const int step = (Shift & 1 ? 10 : 1) * TwipsPerPixel;
    QPointF move;
    switch (KeyCode) {
    case Qt::Key_Left:
        move = QPointF(-step, 0);
        break;
    case Qt::Key_Right:
        move = QPointF(step, 0);
        break;
    case Qt::Key_Up:
        move = QPointF(0, -step);
        break;
    case Qt::Key_Down:
        move = QPointF(0, step);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // With no cross shown the key only shows it: a vertex goes where the user can see.
        const QPointF at = CrossPoint();
        if (Picture1.CrossShown())
            Picture1_MouseDown(1, 0, at.x(), at.y());
        else
            Picture1.ShowCross(at.x(), at.y());
        return;
    }
    case Qt::Key_Backspace:
        TakeBackVertex();
        return;
    default:
        return;
    }
    const QPointF from = CrossPoint();
    const double right = Picture1.ScaleWidth() - TwipsPerPixel;
    const double bottom = Picture1.ScaleHeight() - TwipsPerPixel;
    Picture1.ShowCross(std::clamp(from.x() + move.x(), 0.0, right),
                       std::clamp(from.y() + move.y(), 0.0, bottom));
}

// Takes back the last vertex while entry is open: its dot goes, the dots it covered are drawn
// again, and the highlight stays red unless it was on that vertex.
void Volunde::TakeBackVertex()
{
    const Change change(*this, [this] { TakeBackVertex(); });
    if (InputState == -1 || PointCount == 0) {
        QApplication::beep();
        return;
    }
    const int last = PointCount - 1;
    const double X = Val(List1(0).List(last));
    const double Y = Val(List1(1).List(last));
    const bool highlighted = SelectedIndex > -1 && SelectedIndex != last && HighlightShown();
    Picture1.setDrawWidth(5);
    Picture1.PSet(CSng(X), CSng(Y), RGB(255, 255, 255));
    // Dots five pixels across may overlap where their pixels lie within four of each other.
    for (int K = 0; K < last; ++K) {
        const double x = Val(List1(0).List(K));
        const double y = Val(List1(1).List(K));
        if (std::abs(ToPixel(x) - ToPixel(X)) <= 4 && std::abs(ToPixel(y) - ToPixel(Y)) <= 4)
            Picture1.PSet(CSng(x), CSng(y));
    }
    Picture1.setDrawWidth(1);
    if (highlighted)
        PlotVertex(SelectedIndex, RGB(255, 0, 0));
    if (SelectedIndex == last)
        SelectedIndex = -1;
    List1(0).RemoveItem(last);
    List1(1).RemoveItem(last);
    PointCount = PointCount - 1;
    // A figure lit from the report would no longer match the vertices.
    Picture1.HideTint();
    if (Picture1.CrossShown()) {
        const QPointF start = CrossStart();
        Picture1.ShowCross(start.x(), start.y());
    }
}

// Where the cross stands, or where it will first show.
QPointF Volunde::CrossPoint() const
{
    return Picture1.Cross().value_or(CrossStart());
}

// Where the cross first shows: at the last vertex entered, or with none at the middle of the
// drawing area.
QPointF Volunde::CrossStart() const
{
    if (PointCount > 0)
        return {Val(List1(0).List(PointCount - 1)), Val(List1(1).List(PointCount - 1))};
    const auto middle = [](float extent) { return double(ToPixel(extent / 2) * TwipsPerPixel); };
    return {middle(Picture1.ScaleWidth()), middle(Picture1.ScaleHeight())};
}

// Tells a screen reader the lit figure, how many vertices there are and where the cross stands,
// in twips.
void Volunde::DescribeSurface()
{
    const QPointF at = CrossPoint();
    const QString description =
        QStringLiteral("Върхове: %1. Кръстче: X %2, Y %3 туипа. Стрелките местят кръстчето "
                       "(с Shift по 10 точки), интервал или Enter поставя връх, Backspace връща "
                       "последния. Ctrl+Z отменя последната промяна, Ctrl+Y я прави отново.")
            .arg(PointCount)
            .arg(at.x())
            .arg(at.y());
    const QString told = Picture1.TintShown() ? litFigure_ + description : description;
    // A screen reader hears every change announced, so only changes are.
    if (told != Picture1.accessibleDescription())
        Picture1.setAccessibleDescription(told);
}
