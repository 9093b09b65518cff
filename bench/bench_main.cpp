// The benchmarks' entry: a QApplication, offscreen unless a display platform is set, the same
// style as the program, a pinned locale; then every benchmark and the summary tables.

#include "registry.h"
#include "summary.h"

#include <QApplication>
#include <QLocale>

#include <iostream>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QLocale::setDefault(QLocale::c());

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bench::RegisterCoreBenchmarks();
    bench::RegisterConversionBenchmarks();
    bench::RegisterWindowBenchmarks();
    bench::RegisterInteractionBenchmarks();
    bench::RegisterUndoBenchmarks();
    bench::RegisterStartupBenchmarks();

    bench::CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    bench::PrintSummary(reporter.results(), std::cout);
    return 0;
}
