// The pure area cores over vertex texts, and the number and text conversions, per call.

#include "polygon.h"
#include "registry.h"

#include "geometry/trapezoids.h"
#include "geometry/triangles.h"
#include "platform/conversions.h"

namespace bench {

namespace {

// Time per report item (trapezoid line or triangle) as a counter, in seconds.
benchmark::Counter PerItem(int items)
{
    return benchmark::Counter(items, benchmark::Counter::kIsIterationInvariantRate |
                                         benchmark::Counter::kInvert);
}

constexpr float SurfaceHeightTwips = 3000;

} // namespace

void RegisterCoreBenchmarks()
{
    for (const int n : CoreSizes) {
        benchmark::RegisterBenchmark(
            Name("core", "trapezoids", n).c_str(),
            [n](benchmark::State& state) {
                const ListTexts texts = ToListTexts(MakePolygon(n, SurfaceWidth, SurfaceHeight));
                for (auto _ : state) {
                    auto result =
                        geometry::ByTrapezoids({texts.x, texts.y}, n, SurfaceHeightTwips, u'.');
                    benchmark::DoNotOptimize(result);
                }
                state.counters["per_item"] = PerItem(n);
            })
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(0.1)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark(
            Name("core", "triangles", n).c_str(),
            [n](benchmark::State& state) {
                const ListTexts texts = ToListTexts(MakePolygon(n, SurfaceWidth, SurfaceHeight));
                for (auto _ : state) {
                    auto result = geometry::ByTriangles({texts.x, texts.y}, n, u'.');
                    benchmark::DoNotOptimize(result);
                }
                state.counters["per_item"] = PerItem(n - 2);
            })
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(0.1)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
}

void RegisterConversionBenchmarks()
{
    auto configure = [](benchmark::internal::Benchmark* b) {
        b->MinTime(0.1)->Repetitions(5)->ReportAggregatesOnly(true);
    };
    // A list text as a press leaves it, and one with a fraction and an exponent.
    configure(benchmark::RegisterBenchmark("conv/Val(list text)", [](benchmark::State& state) {
        const QString text = QStringLiteral("4815");
        for (auto _ : state)
            benchmark::DoNotOptimize(platform::Val(text));
    }));
    configure(benchmark::RegisterBenchmark("conv/Val(-7.25E1)", [](benchmark::State& state) {
        const QString text = QStringLiteral("-7.25E1");
        for (auto _ : state)
            benchmark::DoNotOptimize(platform::Val(text));
    }));
    // A trapezoid's area: whole, and with all fifteen digits.
    configure(benchmark::RegisterBenchmark("conv/Double to text", [](benchmark::State& state) {
        QString out;
        out.reserve(64);
        double value = 1234567.5;
        for (auto _ : state) {
            out.truncate(0);
            platform::AppendNumber(out, value, u'.');
            benchmark::DoNotOptimize(out.data());
        }
    }));
    configure(benchmark::RegisterBenchmark("conv/Double to text (15 digits)",
                                           [](benchmark::State& state) {
                                               QString out;
                                               out.reserve(64);
                                               double value = 123.456789012345;
                                               for (auto _ : state) {
                                                   out.truncate(0);
                                                   platform::AppendNumber(out, value, u'.');
                                                   benchmark::DoNotOptimize(out.data());
                                               }
                                           }));
    // A press's coordinate into its list text, locale lookup included.
    configure(benchmark::RegisterBenchmark("conv/Single to text", [](benchmark::State& state) {
        float value = 4815;
        for (auto _ : state) {
            QString text = platform::CStr(value);
            benchmark::DoNotOptimize(text.data());
        }
    }));
}

} // namespace bench
