// Undo and redo: each change to the polygon keeps the window's state before it, and undoing it
// puts that state back, pixel for pixel; redoing makes the change again.

#include "volunde.h"

#include <QApplication>
#include <QScopedValueRollback>

#include <new>

// Records the change that the procedure it is made in carries out, from its start to its end,
// also where a run-time error cuts it short. A change that alters nothing is not recorded, and
// one made inside another belongs to the outer one.
Volunde::Change::Change(Volunde& window, std::function<void()> again, Keep keep)
    : window_(window.change_ ? nullptr : &window)
{
    if (!window_)
        return;
    auto step = std::make_unique<History::Step>();
    step->before = window.CaptureState(keep);
    step->again = std::move(again);
    window.change_ = std::move(step);
    window.Picture1.setRecord(&window.change_->before.drawing);
}

Volunde::Change::~Change()
{
    if (!window_)
        return;
    std::unique_ptr<History::Step> step = std::move(window_->change_);
    window_->Picture1.setRecord(nullptr);
    try {
        if (!window_->Dropped(step->before))
            window_->history_.Add(std::move(step), window_->redoing_);
    } catch (const std::bad_alloc&) {
        // Out of memory the change goes unrecorded rather than ending the program.
    }
    window_->RecordDrawingFor(window_->history_.Newest());
}

WindowState Volunde::CaptureState(Change::Keep keep) const
{
    WindowState state;
    state.pointCount = PointCount;
    state.selectedIndex = SelectedIndex;
    state.inputState = InputState;
    state.highlightShown = HighlightShown();
    state.listIndex = {List1(0).ListIndex(), List1(1).ListIndex()};
    state.drawWidth = Picture1.DrawWidth();
    state.drawStyle = Picture1.DrawStyle();
    if (PointCount > 0) {
        state.lastX = List1(0).List(PointCount - 1);
        state.lastY = List1(1).List(PointCount - 1);
    }
    if (keep == Change::Keep::VertexStore)
        state.vertices = {List1(0).List(), List1(1).List()};
    state.report = Text1(0).Text();
    return state;
}

// After a change: drops from `before` what the change left as it was, and tells whether that
// was everything.
bool Volunde::Dropped(WindowState& before)
{
    // The lists only grow or shrink at their end or are emptied, so equal counts are equal lists.
    if (PointCount == before.pointCount)
        before.vertices.reset();
    if (before.report && (before.report->constData() == Text1(0).Text().constData() ||
                          *before.report == Text1(0).Text()))
        before.report.reset();
    return !before.vertices && !before.report && PointCount == before.pointCount &&
           SelectedIndex == before.selectedIndex && InputState == before.inputState &&
           HighlightShown() == before.highlightShown &&
           before.listIndex == std::array{List1(0).ListIndex(), List1(1).ListIndex()} &&
           Picture1.DrawWidth() == before.drawWidth && Picture1.DrawStyle() == before.drawStyle &&
           before.drawing.Unchanged(Picture1.image());
}

// Later drawing, such as a highlight, is saved with `step`, so that undoing it also undoes that.
void Volunde::RecordDrawingFor(History::Step* step)
{
    Picture1.setRecord(step ? &step->before.drawing : nullptr);
}

void Volunde::RestoreState(const WindowState& state)
{
    ShowFigureOfLine(-1);
    Picture1.HideCross();
    Picture1.Restore(state.drawing);
    Picture1.setDrawWidth(state.drawWidth);
    Picture1.setDrawStyle(state.drawStyle);
    for (int Index = 0; Index < List1.size(); ++Index) {
        platform::ListBox& list = List1(Index);
        if (state.vertices)
            list.setItems((*state.vertices)[static_cast<std::size_t>(Index)]);
        else if (list.ListCount() == state.pointCount + 1)
            list.RemoveItem(state.pointCount);
        else if (list.ListCount() == state.pointCount - 1)
            list.AddItem(Index == 0 ? state.lastX : state.lastY);
        list.Select(state.listIndex[static_cast<std::size_t>(Index)]);
    }
    PointCount = state.pointCount;
    SelectedIndex = state.selectedIndex;
    InputState = state.inputState;
    highlightDrawn_ = state.highlightShown ? Picture1.Erasures() : -1;
    if (state.report)
        Text1(0).setText(*state.report);
}

void Volunde::Undo()
{
    const std::unique_ptr<History::Step> step = history_.TakeUndo();
    if (!step) {
        QApplication::beep();
        return;
    }
    Picture1.setRecord(nullptr);
    RestoreState(step->before);
    RecordDrawingFor(history_.Newest());
}

void Volunde::Redo()
{
    const std::function<void()> again = history_.TakeRedo();
    if (!again) {
        QApplication::beep();
        return;
    }
    ShowFigureOfLine(-1);
    Picture1.HideCross();
    const QScopedValueRollback redoing(redoing_, true);
    again();
}
