// Editing and reading through the real window, offscreen, each timed from the key or caret move
// until the window has processed its events and painted: taking back the last vertex, and
// lighting a report line's figure, one triangle's and the whole polygon's.

#include "registry.h"
#include "window_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <chrono>
#include <functional>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Runs = 21;

// Times `work` until the window has settled, after an untimed `prepare`; records the median.
void Measure(benchmark::State& state, Volunde& window, const std::function<void()>& prepare,
             const std::function<void()>& work)
{
    std::vector<double> seconds;
    for (auto _ : state) {
        prepare();
        Settle(window);
        const auto start = Clock::now();
        work();
        Settle(window);
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        state.SetIterationTime(seconds.back());
    }
    std::sort(seconds.begin(), seconds.end());
    state.counters["median_s"] = seconds[seconds.size() / 2];
}

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

// The caret moved onto a line of the triangle report, from the report's first line.
void LightLine(benchmark::State& state, int n, bool total)
{
    auto window = OpenWindow(n);
    window->Command1_Click(1);
    Settle(*window);
    platform::TextBox& report = window->Text1(0);
    report.setFocus();
    auto caretTo = [&](int line) {
        report.setTextCursor(QTextCursor(report.document()->findBlockByNumber(line)));
    };
    const int line = total ? 2 * (n - 2) : n - 2; // the total, or a triangle half-way
    Measure(
        state, *window, [&] { caretTo(0); }, [&] { caretTo(line); });
    if (!window->Picture1.TintShown())
        state.SkipWithError("the line lit no figure");
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
    }
}

} // namespace bench
