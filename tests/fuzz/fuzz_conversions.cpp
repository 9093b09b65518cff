// Val and the number-to-text conversions on any bytes: no crash, no undefined behaviour, no
// value outside what the conversions promise, and every printed Double or Single reads back
// within the digits it was printed with.

#include "platform/conversions.h"
#include "platform/runtime_error.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

using platform::AppendNumber;
using platform::RunTimeError;
using platform::Val;

namespace {

[[noreturn]] void Fail(const char* what, const QString& text)
{
    std::fprintf(stderr, "%s: \"%s\"\n", what, text.toUtf8().constData());
    std::abort();
}

// Val either gives a finite Double or raises Overflow; nothing else.
void CheckVal(QStringView text)
{
    try {
        const double value = Val(text);
        if (!std::isfinite(value))
            Fail("Val gave a value that is not finite", text.toString());
    } catch (const RunTimeError& error) {
        if (error.number() != platform::Overflow)
            Fail("Val raised an error other than Overflow", text.toString());
    }
}

// The largest distance from `value` that a text with `digits` significant digits may have, plus
// one step of the Double the text is read into.
double Tolerance(double value, int digits)
{
    const double step =
        std::nextafter(std::abs(value), std::numeric_limits<double>::infinity()) - std::abs(value);
    return 0.5 * std::pow(10.0, 1 - digits) * std::abs(value) + step;
}

void CheckDoubleRoundTrip(double value)
{
    QString text;
    AppendNumber(text, value, QChar(u'.'));
    double back = 0;
    try {
        back = Val(text);
    } catch (const RunTimeError&) {
        Fail("the text of a finite Double does not read back", text);
    }
    if (!(std::abs(back - value) <= Tolerance(value, 15)))
        Fail("the text of a Double reads back beyond 15 significant digits", text);
    // Fifteen digits fit a Double, so the value read back prints as the same text.
    QString again;
    AppendNumber(again, back, QChar(u'.'));
    if (again != text)
        Fail("the text of a Double does not print the same when read back", text);

    QString comma;
    AppendNumber(comma, value, QChar(u','));
    if (comma != QString(text).replace(u'.', u','))
        Fail("the decimal separator changed more than the separator", comma);
}

void CheckSingleRoundTrip(float value)
{
    QString text;
    AppendNumber(text, value, QChar(u'.'));
    double back = 0;
    try {
        back = Val(text);
    } catch (const RunTimeError&) {
        Fail("the text of a finite Single does not read back", text);
    }
    if (!(std::abs(back - value) <= Tolerance(value, 7)))
        Fail("the text of a Single reads back beyond 7 significant digits", text);
}

void CheckInteger(int value)
{
    QString text;
    AppendNumber(text, value);
    if (Val(text) != value)
        Fail("the text of an Integer does not read back", text);
}

void CheckRounding(double value)
{
    try {
        const int16_t rounded = platform::CInt(value);
        if (std::abs(rounded - value) > 0.5)
            Fail("CInt moved a value by more than a half", QString::number(value, 'g', 17));
    } catch (const RunTimeError& error) {
        if (error.number() != platform::Overflow || std::abs(value) < 32767.5)
            Fail("CInt raised on a value in range", QString::number(value, 'g', 17));
    }
    try {
        const float single = platform::CSng(value);
        if (std::isnan(value) != std::isnan(single))
            Fail("CSng lost or made a NaN", QString::number(value, 'g', 17));
    } catch (const RunTimeError& error) {
        if (error.number() != platform::Overflow)
            Fail("CSng raised an error other than Overflow", QString::number(value, 'g', 17));
    }
    try {
        platform::Sqr(value);
    } catch (const RunTimeError& error) {
        if (error.number() != platform::InvalidProcedureCall || !(value < 0))
            Fail("Sqr raised on a value that is not negative", QString::number(value, 'g', 17));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto* bytes = reinterpret_cast<const char*>(data);
    const auto length = static_cast<qsizetype>(size);
    CheckVal(QString::fromUtf8(bytes, length));
    CheckVal(QString::fromLatin1(bytes, length));
    // The same bytes as UTF-16 code units, unpaired surrogates and all.
    QString units(length / 2, Qt::Uninitialized);
    std::memcpy(units.data(), bytes, static_cast<std::size_t>(units.size()) * 2);
    CheckVal(units);

    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        CheckRounding(value);
        if (std::isfinite(value))
            CheckDoubleRoundTrip(value);
    }
    if (size >= sizeof(float)) {
        float value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value))
            CheckSingleRoundTrip(value);
        int whole = 0;
        std::memcpy(&whole, data, sizeof whole);
        CheckInteger(whole);
    }
    return 0;
}
