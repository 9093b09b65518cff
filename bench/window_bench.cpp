// The commands through the real window, offscreen, each timed from the call until the window has
// processed its events and painted; and, alternating with it run by run so that both meet the
// same load on the machine, the floor each is measured against.

#include "floor_window.h"
#include "registry.h"
#include "window_support.h"

#include "geometry/trapezoids.h"
#include "geometry/triangles.h"

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>
#include <chrono>
#include <functional>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

enum class Command { Trapezoids, Triangles, Replot, Clear, Press };

const char* CommandName(Command command)
{
    switch (command) {
    case Command::Trapezoids:
        return "trapezoids";
    case Command::Triangles:
        return "triangles";
    case Command::Replot:
        return "replot";
    case Command::Clear:
        return "clear";
    case Command::Press:
        return "press";
    }
    return "";
}

// Presses timed per run of the press benchmark; the window starts that many short of N.
constexpr int PressesPerRun = 50;

// Timed runs per benchmark: enough for a steady median, few where one run is long.
int Runs(Command command, int n)
{
    if (command == Command::Press)
        return PressesPerRun;
    return n <= 100 ? 101 : n <= 4096 ? 21 : 11;
}

// One side of a measurement: what puts the window into the state before the run (not timed),
// and the timed work, after which the window settles.
struct Side {
    QWidget* window;
    QWidget* surface; // whose paints are counted
    std::function<void()> prepare;
    std::function<void()> work;
};

struct Timing {
    std::vector<double> seconds;
    int paints = 0;
};

void TimeOnce(Side& side, Timing& timing)
{
    if (side.prepare) {
        side.prepare();
        Settle(*side.window);
    }
    PaintCounter paints(*side.surface);
    const auto start = Clock::now();
    side.work();
    Settle(*side.window);
    timing.seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    timing.paints += paints.count();
}

void PressAt(Volunde& window, int k)
{
    const QPoint inside = window.Picture1.contentsRect().topLeft();
    const QPointF at(inside + QPoint(20 + k % 400, 20 + k % 150));
    QMouseEvent press(QEvent::MouseButtonPress, at, window.Picture1.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window.Picture1, &press);
}

geometry::Construction ConstructionOf(Command command, const ListTexts& texts, int n,
                                      const Volunde& pattern)
{
    if (command == Command::Triangles)
        return geometry::ByTriangles({texts.x, texts.y}, n, u'.');
    return geometry::ByTrapezoids({texts.x, texts.y}, n, pattern.Picture1.Height(), u'.');
}

void Run(benchmark::State& state, Command command, int n)
{
    const int entered = command == Command::Press ? n - PressesPerRun : n;

    // The program's window with the polygon entered; before a clear it is entered anew each run.
    auto window = OpenWindow(command == Command::Clear ? 0 : entered);
    const std::vector<Point> polygon = WindowPolygon(*window, entered);
    Side program{window.get(), &window->Picture1, {}, {}};
    int presses = 0;
    switch (command) {
    case Command::Trapezoids:
    case Command::Triangles: {
        const int index = command == Command::Trapezoids ? 0 : 1;
        program.work = [&, index] { window->Command1_Click(index); };
        // The report box already shows a report, as on a second press.
        program.work();
        break;
    }
    case Command::Replot:
        program.work = [&] { window->ReplotVertices(); };
        break;
    case Command::Clear:
        // A polygon entered and its trapezoids shown, as before a press of the button.
        program.prepare = [&] {
            EnterVertices(*window, polygon);
            window->Command1_Click(0);
        };
        program.work = [&] { window->Command1_Click(2); };
        break;
    case Command::Press:
        program.work = [&] { PressAt(*window, presses++); };
        break;
    }
    Settle(*window);

    // The floor: the same widgets with everything the command shows finished beforehand.
    FloorWindow floor(*window);
    floor.show();
    const ListTexts texts = ToListTexts(polygon);
    // The lists own their texts, as the program's do: clearing them frees every one.
    auto fillLists = [&] {
        for (auto [items, from] : {std::pair{&floor.xItems, &texts.x}, {&floor.yItems, &texts.y}}) {
            QStringList own;
            own.reserve(from->size());
            for (const QString& text : *from)
                own.append(QString(text.constData(), text.size()));
            items->setStringList(own);
        }
    };
    fillLists();
    const geometry::Construction construction = ConstructionOf(command, texts, n, *window);
    Drawing drawing = DotsOf(polygon);
    if (command != Command::Replot && command != Command::Press)
        AddLines(drawing, construction);
    const QString report = ShownReport(construction);
    auto showAll = [&] {
        floor.surface.erase();
        floor.surface.draw(drawing);
        floor.report.setPlainText(report);
    };
    showAll();
    Settle(floor);
    Side least{&floor, &floor.surface, {}, {}};
    Drawing dot;
    int floorPresses = 0;
    switch (command) {
    case Command::Trapezoids:
    case Command::Triangles:
        least.work = showAll;
        break;
    case Command::Replot:
        least.work = [&] { floor.surface.draw(drawing); };
        break;
    case Command::Clear:
        least.prepare = [&] {
            fillLists();
            showAll();
        };
        least.work = [&] {
            floor.xItems.setStringList({});
            floor.yItems.setStringList({});
            floor.surface.erase();
            floor.report.setPlainText({});
        };
        break;
    case Command::Press:
        least.work = [&] {
            const int k = floorPresses++;
            dot.dots.assign(1, QPoint(20 + k % 400, 20 + k % 150));
            floor.surface.draw(dot);
            const QString text = QString::number((20 + k % 400) * 15);
            for (QStringListModel* items : {&floor.xItems, &floor.yItems}) {
                const int row = items->rowCount();
                items->insertRows(row, 1);
                items->setData(items->index(row), text);
            }
        };
        break;
    }

    Timing programTiming, floorTiming;
    for (auto _ : state) {
        TimeOnce(program, programTiming);
        TimeOnce(least, floorTiming);
        state.SetIterationTime(programTiming.seconds.back());
    }
    const double median = Median(programTiming.seconds);
    const double floorMedian = Median(floorTiming.seconds);
    state.counters["median_s"] = median;
    state.counters["floor_s"] = floorMedian;
    state.counters["ratio"] = median / floorMedian;
    state.counters["paints"] =
        benchmark::Counter(programTiming.paints, benchmark::Counter::kAvgIterations);
    state.counters["floor_paints"] =
        benchmark::Counter(floorTiming.paints, benchmark::Counter::kAvgIterations);
    if (command == Command::Press)
        state.counters["vertices_after"] = window->PointCount;
}

} // namespace

void RegisterWindowBenchmarks()
{
    for (const Command command : {Command::Trapezoids, Command::Triangles, Command::Replot,
                                  Command::Clear, Command::Press}) {
        for (const int n : WindowSizes) {
            if (command == Command::Press && n <= PressesPerRun)
                continue;
            benchmark::RegisterBenchmark(Name("window", CommandName(command), n).c_str(),
                                         [=](benchmark::State& state) { Run(state, command, n); })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(Runs(command, n));
        }
    }
}

} // namespace bench
