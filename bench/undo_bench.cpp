// Undo and redo through the real window, offscreen, each timed from the call until the window
// has processed its events and painted: of a vertex placed and taken back, of an area command
// and of "Чисти"; and what the history holds at the lists' capacity.

#include "measure.h"
#include "registry.h"
#include "window_support.h"

#include <algorithm>

namespace bench {

namespace {

enum class Change { Place, TakeBack, Trapezoids, Clear };

// The window with `n` vertices once the change is made; the change made once before timing.
std::unique_ptr<Volunde> Changed(Change change, int n)
{
    auto window = OpenWindow(change == Change::Place ? n - 1 : n);
    switch (change) {
    case Change::Place:
        window->Picture1_MouseDown(1, 0, 150, 150);
        break;
    case Change::TakeBack:
        window->TakeBackVertex();
        break;
    case Change::Trapezoids:
        // Over the report of the other method, which the undo must show again.
        window->Command1_Click(1);
        window->Command1_Click(0);
        break;
    case Change::Clear:
        window->Command1_Click(0);
        window->Command1_Click(2);
        break;
    }
    Settle(*window);
    return window;
}

// Undo timed after the change made again, or redo timed after the change undone.
void UndoOrRedo(benchmark::State& state, Change change, int n, bool undo)
{
    auto window = Changed(change, n);
    Volunde& w = *window;
    Measure(
        state, w, [&] { undo ? w.Redo() : w.Undo(); }, [&] { undo ? w.Undo() : w.Redo(); });
    if (w.history().Redoable() != (undo ? 1 : 0))
        state.SkipWithError("undo and redo did not alternate over the one change");
}

// The history's largest size over `rounds` of the two commands in turn, each but at 1,000
// vertices followed by "Чисти" and its undoing.
void HistorySize(benchmark::State& state, int n, int rounds)
{
    for (auto _ : state) {
        auto window = OpenWindow(n);
        std::int64_t peak = 0;
        for (int round = 0; round < rounds; ++round) {
            window->Command1_Click(round % 2);
            Settle(*window);
            if (n == Capacity) {
                window->Command1_Click(2);
                peak = std::max(peak, window->history().Bytes());
                window->Undo();
            }
            peak = std::max(peak, window->history().Bytes());
        }
        state.counters["history_MB"] = double(peak) / (1 << 20);
        state.counters["changes"] = window->history().Undoable();
    }
}

} // namespace

void RegisterUndoBenchmarks()
{
    const std::pair<Change, const char*> changes[] = {{Change::Place, "place"},
                                                      {Change::TakeBack, "take back"},
                                                      {Change::Trapezoids, "trapezoids"},
                                                      {Change::Clear, "clear"}};
    for (const int n : {100, 4096, Capacity})
        for (const auto& [change, name] : changes)
            for (const bool undo : {true, false})
                benchmark::RegisterBenchmark(
                    Name(undo ? "undo" : "redo", name, n).c_str(),
                    [=](benchmark::State& state) { UndoOrRedo(state, change, n, undo); })
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(n == Capacity && change >= Change::Trapezoids ? 11 : 21);
    for (const auto& [n, rounds] : {std::pair{1000, 100}, {Capacity, 12}})
        benchmark::RegisterBenchmark(
            Name("history", "size", n).c_str(),
            [=](benchmark::State& state) { HistorySize(state, n, rounds); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
}

} // namespace bench
