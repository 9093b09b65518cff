#pragma once

#include "history.h"

#include "platform/command_button.h"
#include "platform/control_array.h"
#include "platform/label.h"
#include "platform/list_box.h"
#include "platform/picture_box.h"
#include "platform/text_box.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

namespace geometry {
struct Construction;
}

// The program's one window: the polygon editor with its drawing surface, coordinate lists,
// report box and commands. Its whole state is the controls and the three members below.
class Volunde : public QWidget {
    Q_OBJECT

  public:
    explicit Volunde(QWidget* parent = nullptr);
    ~Volunde() override;

    // The lists take 16-bit indices, so they hold at most this many vertices.
    static constexpr int MaxVertices = 32767;

    // Controls, by their names in the layout.
    platform::ControlArray<platform::CommandButton, 3> Command1;
    platform::ControlArray<platform::ListBox, 2> List1;
    platform::ControlArray<platform::ListBox, 4> List2;
    platform::ControlArray<platform::TextBox, 2> Text1;
    platform::ControlArray<platform::Label, 3> Label1;
    platform::PictureBox& Picture1;

    // Number of vertices entered since the last reset.
    int PointCount = 0;
    // The vertex highlighted in red; -1 for none.
    int16_t SelectedIndex = -1;
    // 0 while presses on the surface add vertices, -1 once an area command has closed the polygon.
    int16_t InputState = 0;

    // Event handlers.
    void Form_Load();
    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void List1_Click(int Index);
    void Command1_Click(int Index);
    void Picture1_KeyDown(int KeyCode, int Shift);

    // Editor procedures.
    void ResetPolygon();
    void ClearOutput();
    void ReplotVertices();
    void ComputeByTrapezoids();
    void ComputeByTriangles();
    void TakeBackVertex();
    // Tints the figure that report line `Line` describes, or nothing for another line or -1.
    void ShowFigureOfLine(int Line);
    // Undoes the newest change to the polygon, or makes the change undone last again; with
    // nothing to undo or redo, a beep.
    void Undo();
    void Redo();
    const History& history() const { return history_; }

  private:
    // Records one change to the polygon for undoing, from its construction to its destruction.
    class Change {
      public:
        // What of the vertex store the change may need back: its last vertex, or all of it.
        enum class Keep { LastVertex, VertexStore };
        Change(Volunde& window, std::function<void()> again, Keep keep = Keep::LastVertex);
        ~Change();
        Change(const Change&) = delete;
        Change& operator=(const Change&) = delete;

      private:
        Volunde* window_;
    };

    History history_;
    // The change being made, while one is.
    std::unique_ptr<History::Step> change_;
    bool redoing_ = false;

    WindowState CaptureState(Change::Keep keep) const;
    bool Dropped(WindowState& before);
    void RecordDrawingFor(History::Step* step);
    void RestoreState(const WindowState& state);

    // The erasure of the surface after which the highlight was last drawn red: it shows until
    // the next erasure.
    int highlightDrawn_ = -1;
    // What the lit figure is and does, for a screen reader; empty for none.
    QString litFigure_;

    void CreateControls();
    void ConnectEvents();
    void PlotVertex(int index, QRgb colour);
    QPointF CrossPoint() const;
    QPointF CrossStart() const;
    bool HighlightShown() const;
    void DescribeSurface();
    void DrawConstruction(const geometry::Construction& construction);
};
