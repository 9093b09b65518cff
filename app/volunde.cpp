// The window's start-up, the vertex store and its reset, vertex entry and selection.

#include "volunde.h"

#include "platform/colors.h"
#include "platform/conversions.h"
#include "platform/run_handler.h"

#include <QAction>
#include <QApplication>
#include <QShortcut>

using platform::CInt;
using platform::CSng;
using platform::CStr;
using platform::RGB;
using platform::Val;

Volunde::Volunde(QWidget* parent) : QWidget(parent), Picture1(*new platform::PictureBox(this))
{
    CreateControls();
    ConnectEvents();
    platform::RunHandler(this, [this] { Form_Load(); });
    DescribeSurface();
}

// Qt destroys the controls after this class is gone, and a control losing its focus then still
// raises events: they must no longer reach the handlers.
Volunde::~Volunde()
{
    for (QObject* control : children())
        control->disconnect(this);
    Picture1.setRecord(nullptr); // the history goes before the surface
}

void Volunde::ConnectEvents()
{
    // Every handler runs under the run-time error handling, and the surface's description for
    // screen readers follows what it changed.
    auto handle = [this](auto handler) {
        return [this, handler](auto... arguments) {
            platform::RunHandler(this, [&] { handler(arguments...); });
            DescribeSurface();
        };
    };
    connect(&Picture1, &platform::PictureBox::MouseDown, this,
            handle([this](int Button, int Shift, float X, float Y) {
                Picture1_MouseDown(Button, Shift, X, Y);
            }));
    for (int Index = 0; Index < List1.size(); ++Index)
        connect(&List1(Index), &platform::ListBox::Click, this,
                handle([this, Index] { List1_Click(Index); }));
    connect(&Picture1, &platform::PictureBox::KeyDown, this,
            handle([this](int KeyCode, int Shift) { Picture1_KeyDown(KeyCode, Shift); }));
    connect(&Text1(0), &platform::TextBox::CaretLine, this,
            handle([this](int Line) { ShowFigureOfLine(Line); }));
    auto* copyDrawing = new QAction(QStringLiteral("Копирай &чертежа"), &Text1(0));
    Text1(0).addAction(copyDrawing);
    connect(copyDrawing, &QAction::triggered, &Picture1, &platform::PictureBox::CopyPicture);
    auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    connect(undo, &QShortcut::activated, this, handle([this] { Undo(); }));
    auto* redo = new QShortcut(this);
    redo->setKeys(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QShortcut::activated, this, handle([this] { Redo(); }));
    for (int Index = 0; Index < Command1.size(); ++Index)
        connect(&Command1(Index), &platform::CommandButton::Click, this,
                handle([this, Index] { Command1_Click(Index); }));
}

void Volunde::Form_Load()
{
    Picture1.setAutoRedraw(true);
    ResetPolygon();
}

void Volunde::ResetPolygon()
{
    PointCount = 0;
    Picture1.Cls();
    Picture1.setDrawWidth(5);
    List1(0).Clear();
    List1(1).Clear();
    List2(0).Clear();
    List2(1).Clear();
    SelectedIndex = -1;
    InputState = 0;
}

void Volunde::Picture1_MouseDown(int Button, int Shift, float X, float Y)
{
    const Change change(*this, [=, this] { Picture1_MouseDown(Button, Shift, X, Y); });
    if (InputState == -1)
        return;
    if (PointCount == MaxVertices) {
        QApplication::beep();
        return;
    }
    Picture1.setDrawWidth(5);
    Picture1.PSet(X, Y);
    Picture1.setDrawWidth(1);
    PointCount = PointCount + 1;
    List1(0).AddItem(CStr(X));
    List1(1).AddItem(CStr(Y));
}

void Volunde::List1_Click(int Index)
{
    const int New = List1(Index).ListIndex();
    if (New == -1)
        return; // nothing is selected, so there is no vertex to highlight
    if (SelectedIndex > -1)
        PlotVertex(SelectedIndex, RGB(0, 0, 0));
    SelectedIndex = static_cast<int16_t>(New);
    List1(0).setListIndex(New);
    List1(1).setListIndex(New);
    PlotVertex(SelectedIndex, RGB(255, 0, 0));
}

// Draws vertex `index` as a thick dot in `colour`, its coordinates read back from the lists.
void Volunde::PlotVertex(int index, QRgb colour)
{
    const double X = Val(List1(0).List(index));
    const int16_t Y = CInt(Val(List1(1).List(index)));
    Picture1.setDrawWidth(5);
    Picture1.PSet(CSng(X), Y, colour);
    Picture1.setDrawWidth(1);
    highlightDrawn_ = colour == RGB(255, 0, 0) ? Picture1.Erasures() : -1;
}

// Whether the highlighted vertex shows red: an area command erases the surface and draws every
// vertex in the foreground colour, keeping SelectedIndex.
bool Volunde::HighlightShown() const
{
    return highlightDrawn_ == Picture1.Erasures();
}
