// The area core on any list texts and any vertex count: no crash, no undefined behaviour; a
// run either ends cleanly with the whole report (N + 1 trapezoid lines or 2 (N - 2) + 1
// triangle lines, a finite total) and the whole construction, or stops on Overflow or an
// invalid argument with only what came before the failure.

#include "geometry/report_writer.h"
#include "geometry/trapezoids.h"
#include "geometry/triangles.h"
#include "platform/conversions.h"

#include <QString>
#include <QStringList>

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const char* method, const char* what, const QString& report)
{
    std::fprintf(stderr, "%s: %s\n%s\n", method, what, report.toUtf8().constData());
    std::abort();
}

QString Item(FuzzedDataProvider& in)
{
    QString text;
    switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0: // what vertex entry lists: whole twips inside the surface
        platform::AppendNumber(text, in.ConsumeIntegralInRange(0, 7500));
        break;
    case 1: // a Single as vertex entry would print it
        platform::AppendNumber(text, in.ConsumeFloatingPoint<float>(), QChar(u'.'));
        break;
    case 2:
        platform::AppendNumber(text, in.ConsumeFloatingPoint<double>(), QChar(u'.'));
        break;
    case 3:
        platform::AppendNumber(text, in.ConsumeIntegral<int>());
        break;
    default:
        text = QString::fromLatin1(in.ConsumeRandomLengthString(24));
        break;
    }
    return text;
}

QStringList Items(FuzzedDataProvider& in, int count)
{
    QStringList items;
    for (int k = 0; k < count && in.remaining_bytes() > 0; ++k)
        items.append(Item(in));
    return items;
}

void Check(const char* method, const geometry::Construction& run, int pointCount, int linesPerRun,
           std::size_t segmentsPerRun, geometry::LineStyle styleAfter)
{
    if (pointCount < 3) {
        if (!run.report.isEmpty() || !run.segments.empty() || run.failure)
            Fail(method, "fewer than three vertices, yet something was produced", run.report);
        return;
    }
    for (const geometry::Segment& s : run.segments) {
        if (!std::isfinite(s.x1) || !std::isfinite(s.y1) || !std::isfinite(s.x2) ||
            !std::isfinite(s.y2))
            Fail(method, "a segment with a coordinate that is not finite", run.report);
    }
    const qsizetype lines = run.report.count(u"\r\n");
    if (run.report.count(u'\n') != lines || run.report.count(u'\r') != lines ||
        (!run.report.isEmpty() && !run.report.endsWith(u"\r\n")))
        Fail(method, "a line not ended by CR LF", run.report);

    if (run.failure) {
        const int number = run.failure->number();
        if (number != platform::Overflow && number != platform::InvalidProcedureCall)
            Fail(method, "an unexpected run-time error", run.report);
        if (lines >= linesPerRun || run.segments.size() > segmentsPerRun)
            Fail(method, "a failed run produced a whole report", run.report);
        return;
    }
    if (lines != linesPerRun)
        Fail(method, "wrong number of report lines", run.report);
    if (run.segments.size() != segmentsPerRun)
        Fail(method, "wrong number of segments", run.report);
    if (run.styleAfter != styleAfter)
        Fail(method, "wrong line style left set", run.report);

    const qsizetype lastLine = run.report.lastIndexOf(u"\r\n", run.report.size() - 3) + 2;
    const QStringView total = QStringView(run.report).mid(lastLine);
    if (!total.startsWith(geometry::TotalLabel))
        Fail(method, "the last line is not the total line", run.report);
    QString number = total.mid(geometry::TotalLabel.size()).chopped(2).toString();
    number.replace(u',', u'.');
    if (number.contains(u"inf", Qt::CaseInsensitive) ||
        number.contains(u"nan", Qt::CaseInsensitive) || number.startsWith(u'-') ||
        !std::isfinite(platform::Val(number)))
        Fail(method, "the total is not a finite, non-negative number", run.report);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QChar decimalPoint = in.ConsumeBool() ? QChar(u',') : QChar(u'.');
    const int pointCount = in.ConsumeIntegralInRange(-2, 400);
    // Mostly lists in step with the count; sometimes shorter or longer lists, whose missing
    // items read as the empty text.
    const bool inStep = in.ConsumeIntegralInRange(0, 7) != 0;
    const int xCount = inStep ? pointCount : in.ConsumeIntegralInRange(0, 400);
    const int yCount = inStep ? pointCount : in.ConsumeIntegralInRange(0, 400);
    const float height = in.ConsumeBool() ? 3000.0F : in.ConsumeFloatingPoint<float>();
    const QStringList x = Items(in, xCount);
    const QStringList y = Items(in, yCount);
    const geometry::VertexTexts vertices{x, y};

    const std::size_t n = pointCount > 0 ? static_cast<std::size_t>(pointCount) : 0;
    Check("trapezoids", geometry::ByTrapezoids(vertices, pointCount, height, decimalPoint),
          pointCount, pointCount + 1, 2 * n, geometry::Dotted);
    Check("triangles", geometry::ByTriangles(vertices, pointCount, decimalPoint), pointCount,
          2 * (pointCount - 2) + 1, n + (n >= 2 ? n - 2 : 0), geometry::Solid);
    return 0;
}
