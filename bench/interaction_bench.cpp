// Editing and reading through the real window, offscreen, each timed from the key, caret move or
// menu command until the window has processed its events and painted: taking back the last
// vertex, lighting a report line's figure, one triangle's and the whole polygon's, and copying
// the drawing with the polygon lit.

#include "measure.h"
#include "registry.h"
#include "window_support.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <functional>
#include <memory>

namespace bench {

namespace {

constexpr int Runs = 21;

// Backspace on the surface takes back the last vertex; the same press puts it back, untimed.
void TakeBack(benchmark::State& state, int n)
{
    auto window = OpenWindow(n);
    const Point last = WindowPolygon(*window, n).back();
    window->Picture1.setFocus();
    Measure(
        state, *window,
        [&] {
            if (window->PointCount < n)
                window->Picture1_MouseDown(1, 0, last.x, last.y);
        },
        [&] {
            QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
            QApplication::sendEvent(&window->Picture1, &backspace);
        });
    state.counters["vertices_after"] = window->PointCount;
}

// The window after "Триъгълницци", the caret on the report's first line.
std::unique_ptr<Volunde> TriangleReport(int n)
{
    auto window = OpenWindow(n);
    window->Command1_Click(1);
    Settle(*window);
    window->Text1(0).setFocus();
    return window;
}

void CaretTo(platform::TextBox& report, int line)
{
    report.setTextCursor(QTextCursor(report.document()->findBlockByNumber(line)));
}

// The caret moved onto a line of the triangle report, from the report's first line.
void LightLine(benchmark::State& state, int n, bool total)
{
    auto window = TriangleReport(n);
    platform::TextBox& report = window->Text1(0);
    const int line = total ? 2 * (n - 2) : n - 2; // the total, or a triangle half-way
    Measure(
        state, *window, [&] { CaretTo(report, 0); }, [&] { CaretTo(report, line); });
    if (!window->Picture1.TintShown())
        state.SkipWithError("the line lit no figure");
}

// "Копирай чертежа" from the report's menu, the total line lighting the polygon.
void CopyDrawing(benchmark::State& state, int n)
{
    auto window = TriangleReport(n);
    CaretTo(window->Text1(0), 2 * (n - 2));
    QGuiApplication::clipboard()->clear();
    Measure(
        state, *window, [] {}, [&] { window->Text1(0).actions().value(0)->trigger(); });
    if (!window->Picture1.TintShown() || QGuiApplication::clipboard()->image().isNull())
        state.SkipWithError("no lit drawing copied");
}

} // namespace

void RegisterInteractionBenchmarks()
{
    for (const int n : {100, 4096, Capacity}) {
        benchmark::RegisterBenchmark(Name("interaction", "take back", n).c_str(),
                                     [=](benchmark::State& state) { TakeBack(state, n); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(Runs);
        for (const bool total : {false, true})
            benchmark::RegisterBenchmark(
                Name("interaction", total ? "light total" : "light triangle", n).c_str(),
                [=](benchmark::State& state) { LightLine(state, n, total); })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(Runs);
        benchmark::RegisterBenchmark(Name("interaction", "copy drawing", n).c_str(),
                                     [=](benchmark::State& state) { CopyDrawing(state, n); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(Runs);
    }
}

} // namespace bench
