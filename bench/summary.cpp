#include "summary.h"

#include "registry.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <ostream>

namespace bench {

namespace {

double ToSeconds(benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return 1e-9;
    case benchmark::kMicrosecond:
        return 1e-6;
    case benchmark::kMillisecond:
        return 1e-3;
    case benchmark::kSecond:
        return 1;
    }
    return 1;
}

std::string Fixed(double value, int significant = 3)
{
    if (!std::isfinite(value))
        return "-";
    const int magnitude =
        value == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::abs(value))));
    const int decimals = std::max(0, significant - 1 - magnitude);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Format(double value, const std::string& unit)
{
    if (unit == "ms")
        return Fixed(value * 1e3) + " ms";
    if (unit == "µs")
        return Fixed(value * 1e6) + " µs";
    if (unit == "×")
        return Fixed(value) + " ×";
    return Fixed(value) + " " + unit;
}

std::string Count(int n)
{
    const std::string digits = std::to_string(n);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped.push_back(',');
        grouped.push_back(digits[i]);
    }
    return grouped;
}

struct CommandRow {
    const char* key;
    const char* label;
    bool isCommand; // a button's command, held to its floor and to linear growth
};

constexpr CommandRow Commands[] = {
    {"trapezoids", "\"Трапеци\", Command1_Click(0)", true},
    {"triangles", "\"Триъгълницци\", Command1_Click(1)", true},
    {"replot", "ReplotVertices", false},
    {"clear", "\"Чисти\", Command1_Click(2)", true},
    {"press", "one press on the surface", false},
};

double Seconds(const Results& results, const std::string& name)
{
    const Result* r = results.find(name);
    return r ? r->seconds : NAN;
}

double CounterOf(const Results& results, const std::string& name, const std::string& counter)
{
    const Result* r = results.find(name);
    if (!r)
        return NAN;
    const auto it = r->counters.find(counter);
    return it == r->counters.end() ? NAN : it->second;
}

// The median of a command's timed runs.
double CommandSeconds(const Results& results, const std::string& command, int n)
{
    return CounterOf(results, Name("window", command, n), "median_s");
}

std::string CpuModel()
{
    std::ifstream info("/proc/cpuinfo");
    std::string line;
    while (std::getline(info, line))
        if (line.rfind("model name", 0) == 0)
            return line.substr(line.find(':') + 2);
    return "unknown CPU";
}

} // namespace

void Results::add(const benchmark::BenchmarkReporter::Run& run)
{
    if (run.error_occurred)
        return;
    if (run.run_type == benchmark::BenchmarkReporter::Run::RT_Aggregate &&
        run.aggregate_name != "median")
        return;
    Result result;
    result.seconds = run.GetAdjustedRealTime() * ToSeconds(run.time_unit);
    for (const auto& [name, counter] : run.counters)
        result.counters[name] = counter.value;
    results_[run.run_name.function_name] = std::move(result);
}

const Result* Results::find(const std::string& name) const
{
    const auto it = results_.find(name);
    return it == results_.end() ? nullptr : &it->second;
}

void CollectingReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs)
        results_.add(run);
    ConsoleReporter::ReportRuns(runs);
}

std::vector<Goal> EvaluateGoals(const Results& results)
{
    std::vector<Goal> goals;
    auto add = [&](std::string what, double measured, double limit, std::string unit) {
        if (std::isfinite(measured))
            goals.push_back({std::move(what), measured, limit, std::move(unit)});
    };
    const std::string capacity = Count(Capacity);
    for (const CommandRow& c : Commands) {
        const double atCapacity = CommandSeconds(results, c.key, Capacity);
        if (c.isCommand)
            add(std::string(c.label) + " at " + capacity + " ÷ its floor",
                CounterOf(results, Name("window", c.key, Capacity), "ratio"), 1.2, "×");
        for (const int n : WindowSizes)
            if (n <= 100)
                add(std::string(c.label) + " at " + Count(n) + ", painted",
                    CommandSeconds(results, c.key, n), 5e-3, "ms");
        if (c.isCommand)
            add(std::string(c.label) + ": time at " + capacity + " ÷ at 4,096",
                atCapacity / CommandSeconds(results, c.key, 4096), 9, "×");
    }
    for (const int n : WindowSizes)
        add("one press on the surface at " + Count(n), CommandSeconds(results, "press", n), 1e-3,
            "ms");
    add("\"Чисти\" at " + capacity, CommandSeconds(results, "clear", Capacity), 50e-3, "ms");
    add("core, per trapezoid line at " + capacity,
        CounterOf(results, Name("core", "trapezoids", Capacity), "per_item"), 0.5e-6, "µs");
    add("core, per triangle at " + capacity,
        CounterOf(results, Name("core", "triangles", Capacity), "per_item"), 1.2e-6, "µs");
    for (const char* method : {"trapezoids", "triangles"})
        add(std::string("core ") + method + ": time at " + capacity + " ÷ at 4,096",
            Seconds(results, Name("core", method, Capacity)) /
                Seconds(results, Name("core", method, 4096)),
            9, "×");
    add("taking back the last vertex at " + capacity,
        CounterOf(results, Name("interaction", "take back", Capacity), "median_s"), 16e-3, "ms");
    add("lighting a triangle's line at " + capacity,
        CounterOf(results, Name("interaction", "light triangle", Capacity), "median_s"), 5e-3,
        "ms");
    add("lighting the total line's polygon at " + capacity,
        CounterOf(results, Name("interaction", "light total", Capacity), "median_s"), 16e-3, "ms");
    add("copying the drawing at " + capacity,
        CounterOf(results, Name("interaction", "copy drawing", Capacity), "median_s"), 50e-3, "ms");
    for (const char* what : {"place", "take back"})
        for (const char* way : {"undo", "redo"})
            add(std::string(way) + " of \"" + what + "\" at " + capacity + ", painted",
                CounterOf(results, Name(way, what, Capacity), "median_s"), 16e-3, "ms");
    // An undo shows again the report the change replaced: it is held to the command that made
    // that report, here the other method's for "Трапеци" and "Трапеци" for "Чисти".
    for (const auto& [what, command] :
         {std::pair{"trapezoids", "triangles"}, {"clear", "trapezoids"}})
        add(std::string("undo of \"") + what + "\" at " + capacity + " ÷ \"" + command +
                "\", whose report it shows again",
            CounterOf(results, Name("undo", what, Capacity), "median_s") /
                CommandSeconds(results, command, Capacity),
            1, "×");
    add("undo history at " + capacity + ", largest",
        CounterOf(results, Name("history", "size", Capacity), "history_MB"), 64, "MB");
    add("undo history over 100 runs of the commands at 1,000",
        CounterOf(results, Name("history", "size", 1000), "history_MB"), 64, "MB");
    add("start-up ÷ bare Qt window", CounterOf(results, "startup", "ratio"), 1.5, "×");
    add("peak resident memory at capacity after both commands",
        CounterOf(results, "memory/capacity", "peak_rss_MB"), 150, "MB");
    return goals;
}

std::string FormatSeconds(double seconds)
{
    if (!std::isfinite(seconds))
        return "-";
    if (seconds < 1e-6)
        return Fixed(seconds * 1e9) + " ns";
    if (seconds < 1e-3)
        return Fixed(seconds * 1e6) + " µs";
    if (seconds < 1)
        return Fixed(seconds * 1e3) + " ms";
    return Fixed(seconds) + " s";
}

void PrintSummary(const Results& results, std::ostream& out)
{
    out << "\n## Results (medians; Release, offscreen; " << CpuModel() << ")\n\n";
    out << "| measure | N | time | floor | ÷ floor |\n|---|---:|---:|---:|---:|\n";
    for (const CommandRow& c : Commands)
        for (const int n : WindowSizes) {
            const std::string name = Name("window", c.key, n);
            if (!results.find(name))
                continue;
            out << "| " << c.label << " | " << Count(n) << " | "
                << FormatSeconds(CounterOf(results, name, "median_s")) << " | "
                << FormatSeconds(CounterOf(results, name, "floor_s")) << " | "
                << Fixed(CounterOf(results, name, "ratio")) << " |\n";
        }

    out << "\n| core | N | time | per item |\n|---|---:|---:|---:|\n";
    for (const char* method : {"trapezoids", "triangles"})
        for (const int n : CoreSizes) {
            const std::string name = Name("core", method, n);
            if (!results.find(name))
                continue;
            out << "| " << method << " | " << Count(n) << " | "
                << FormatSeconds(Seconds(results, name)) << " | "
                << FormatSeconds(CounterOf(results, name, "per_item")) << " |\n";
        }
    out << "\n| interaction | N | time |\n|---|---:|---:|\n";
    for (const char* what : {"take back", "light triangle", "light total", "copy drawing"})
        for (const int n : {100, 4096, Capacity}) {
            const std::string name = Name("interaction", what, n);
            if (results.find(name))
                out << "| " << what << " | " << Count(n) << " | "
                    << FormatSeconds(CounterOf(results, name, "median_s")) << " |\n";
        }
    out << "\n| undo and redo | N | undo | redo |\n|---|---:|---:|---:|\n";
    for (const char* what : {"place", "take back", "trapezoids", "clear"})
        for (const int n : {100, 4096, Capacity})
            if (results.find(Name("undo", what, n)))
                out << "| " << what << " | " << Count(n) << " | "
                    << FormatSeconds(CounterOf(results, Name("undo", what, n), "median_s")) << " | "
                    << FormatSeconds(CounterOf(results, Name("redo", what, n), "median_s"))
                    << " |\n";
    for (const int n : {1000, Capacity})
        if (results.find(Name("history", "size", n)))
            out << "\nUndo history at " << Count(n) << " vertices: at most "
                << Fixed(CounterOf(results, Name("history", "size", n), "history_MB")) << " MB, "
                << Fixed(CounterOf(results, Name("history", "size", n), "changes"))
                << " changes kept.\n";
    for (const char* name : {"conv/Val(list text)", "conv/Val(-7.25E1)", "conv/Double to text",
                             "conv/Double to text (15 digits)", "conv/Single to text"})
        if (results.find(name))
            out << "| " << (name + 5) << " | 1 | " << FormatSeconds(Seconds(results, name))
                << " | per call |\n";

    if (results.find("startup"))
        out << "\nStart-up to the first painted window: "
            << FormatSeconds(Seconds(results, "startup")) << "; bare Qt window with one button: "
            << FormatSeconds(CounterOf(results, "startup", "bare_s")) << ".\n";
    if (results.find("memory/capacity"))
        out << "Peak resident memory, "
            << Count(static_cast<int>(CounterOf(results, "memory/capacity", "vertices")))
            << " vertices after both commands: "
            << Fixed(CounterOf(results, "memory/capacity", "peak_rss_MB")) << " MB.\n";

    out << "\n## Goals\n\n| goal | measured | limit | met |\n|---|---:|---:|:---:|\n";
    int missed = 0;
    for (const Goal& g : EvaluateGoals(results)) {
        missed += g.met() ? 0 : 1;
        out << "| " << g.what << " | " << Format(g.measured, g.unit) << " | "
            << Format(g.limit, g.unit) << " | " << (g.met() ? "yes" : "**no**") << " |\n";
    }
    out << "\n"
        << (missed ? std::to_string(missed) + " goal(s) missed." : "No goal missed.") << "\n";
}

} // namespace bench
