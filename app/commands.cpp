// The three commands: area by trapezoids, area by triangles, clear.

#include "volunde.h"

#include "geometry/trapezoids.h"
#include "geometry/triangles.h"
#include "platform/colors.h"
#include "platform/conversions.h"

using platform::CSng;
using platform::Val;

void Volunde::Command1_Click(int Index)
{
    const Change change(
        *this, [=, this] { Command1_Click(Index); }, Change::Keep::VertexStore);
    switch (Index) {
    case 0:
        ClearOutput();
        ReplotVertices();
        ComputeByTrapezoids();
        break;
    case 1:
        ClearOutput();
        ReplotVertices();
        ComputeByTriangles();
        break;
    case 2:
        ResetPolygon();
        Text1(0).setText(QString());
        break;
    default:
        break;
    }
}

void Volunde::ClearOutput()
{
    Picture1.Cls();
    Text1(0).setText(QString());
    Picture1.setDrawWidth(1);
}

void Volunde::ReplotVertices()
{
    const int N = List1(0).ListCount();
    Picture1.setDrawWidth(5);
    for (int K = 1; K <= N; ++K) {
        const double X = Val(List1(0).List(K - 1));
        const double Y = Val(List1(1).List(K - 1));
        Picture1.PSet(CSng(X), CSng(Y));
    }
    Picture1.setDrawWidth(1);
}

void Volunde::ComputeByTrapezoids()
{
    if (PointCount - 1 < 2)
        return;
    Text1(0).setText(QString());
    DrawConstruction(geometry::ByTrapezoids({List1(0).List(), List1(1).List()}, PointCount,
                                            Picture1.Height(), platform::DecimalPoint()));
    InputState = -1;
}

void Volunde::ComputeByTriangles()
{
    if (PointCount - 1 < 2)
        return;
    DrawConstruction(geometry::ByTriangles({List1(0).List(), List1(1).List()}, PointCount,
                                           platform::DecimalPoint()));
    InputState = -1;
}

// Draws the method's lines, appends its report to the report box and, where the run stopped on
// a run-time error, raises that error after what came before it has been shown.
void Volunde::DrawConstruction(const geometry::Construction& construction)
{
    for (const geometry::Segment& line : construction.segments) {
        Picture1.setDrawStyle(line.style);
        Picture1.Line(line.x1, line.y1, line.x2, line.y2, platform::RGB(0, 0, 0));
    }
    Picture1.setDrawStyle(construction.styleAfter);
    Text1(0).setText(Text1(0).Text() + construction.report);
    if (construction.failure)
        throw *construction.failure;
}
