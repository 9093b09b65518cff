#include "conversions.h"

#include "runtime_error.h"

#include <QLocale>

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace platform {

namespace {

bool IsSkipped(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Walks a text character by character with the skipped characters left out.
class Scanner {
  public:
    explicit Scanner(QStringView text) : text_(text) {}

    char16_t peek()
    {
        while (pos_ < text_.size() && IsSkipped(text_[pos_].unicode()))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_].unicode() : u'\0';
    }
    void advance() { ++pos_; }

  private:
    QStringView text_;
    qsizetype pos_ = 0;
};

// Moves the digits at the scanner's position to the end of `number`; whether there were any.
bool AppendDigits(Scanner& in, std::string& number)
{
    const std::size_t before = number.size();
    while (IsDigit(in.peek())) {
        number.push_back(static_cast<char>(in.peek()));
        in.advance();
    }
    return number.size() > before;
}

// Decimal exponent of the leading significant digit of the mantissa in `digits` (which holds
// digits and at most one '.'), used only to tell overflow from underflow.
long LeadingExponent(std::string_view digits)
{
    long integerDigits = 0;
    long leadingFractionZeros = 0;
    bool inFraction = false;
    bool significant = false;
    for (char c : digits) {
        if (c == '.') {
            inFraction = true;
        } else if (!inFraction) {
            significant = significant || c != '0';
            integerDigits += significant ? 1 : 0;
        } else if (!significant) {
            if (c != '0')
                significant = true;
            else
                ++leadingFractionZeros;
        }
    }
    return integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1);
}

template <class Number>
void AppendGeneral(QString& out, Number value, int digits, double plainLimit, QChar decimalPoint)
{
    std::array<char, 64> buffer{};
    char* end = nullptr;
    if (value == 0) {
        out.append(u'0'); // negative zero too
        return;
    }
    if (std::abs(value) < plainLimit && value == std::trunc(value)) {
        end = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                            static_cast<long long>(value))
                  .ptr;
    } else {
        end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                            std::chars_format::general, digits)
                  .ptr;
    }
    const qsizetype start = out.size();
    out.resize(start + (end - buffer.data()));
    QChar* dst = out.data() + start;
    for (const char* p = buffer.data(); p != end; ++p, ++dst) {
        if (*p == '.')
            *dst = decimalPoint;
        else if (*p == 'e')
            *dst = u'E';
        else
            *dst = QLatin1Char(*p);
    }
}

} // namespace

double Val(QStringView text)
{
    // The common case, a list text as a press leaves it: a whole number of at most 15 digits,
    // which a Double holds exactly, with nothing else in the text.
    const qsizetype digitsFrom = !text.isEmpty() && text.front() == u'-' ? 1 : 0;
    if (text.size() > digitsFrom && text.size() - digitsFrom <= 15) {
        long long whole = 0;
        for (qsizetype i = digitsFrom; i < text.size() && whole >= 0; ++i)
            whole = IsDigit(text[i].unicode()) ? whole * 10 + (text[i].unicode() - u'0') : -1;
        if (whole >= 0)
            return digitsFrom ? -static_cast<double>(whole) : static_cast<double>(whole);
    }

    Scanner in(text);
    std::string number;
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.advance();
    }
    bool anyDigit = AppendDigits(in, number);
    if (in.peek() == u'.') {
        number.push_back('.');
        in.advance();
        anyDigit = AppendDigits(in, number) || anyDigit;
    }
    if (!anyDigit)
        return 0;
    const std::size_t mantissaLength = number.size();

    long exponent = 0;
    const char16_t marker = in.peek();
    if (marker == u'E' || marker == u'e' || marker == u'D' || marker == u'd') {
        in.advance();
        std::string exponentText = "e";
        if (in.peek() == u'+' || in.peek() == u'-') {
            exponentText.push_back(static_cast<char>(in.peek()));
            in.advance();
        }
        bool exponentDigit = false;
        while (IsDigit(in.peek())) {
            const int digit = in.peek() - u'0';
            exponent = exponent < 100000 ? exponent * 10 + digit : exponent;
            exponentText.push_back(static_cast<char>(in.peek()));
            exponentDigit = true;
            in.advance();
        }
        if (exponentDigit) {
            number += exponentText;
            if (exponentText[1] == '-')
                exponent = -exponent;
        }
    }

    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (LeadingExponent(std::string_view(number).substr(0, mantissaLength)) + exponent > 0) {
            // The largest Double printed to 15 digits, 1.79769313486232E+308, lies just past the
            // Double range; up to that text the number reads back as the largest Double.
            long double wide = 0;
            const auto [end, wideError] =
                std::from_chars(number.data(), number.data() + number.size(), wide);
            if (wideError != std::errc() || wide > 1.79769313486232E+308L)
                Raise(Overflow);
            value = DBL_MAX;
        } else {
            value = 0;
        }
    }
    return negative ? -value : value;
}

int16_t CInt(double value)
{
    const double rounded = std::nearbyint(value); // the default rounding: halves to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        Raise(Overflow);
    return static_cast<int16_t>(rounded);
}

float CSng(double value)
{
    if (!(std::abs(value) <= static_cast<double>(FLT_MAX)))
        Raise(Overflow);
    return static_cast<float>(value);
}

double Sqr(double value)
{
    if (value < 0)
        Raise(InvalidProcedureCall);
    return std::sqrt(value);
}

QChar DecimalPoint()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.front();
}

void AppendNumber(QString& out, double value, QChar decimalPoint)
{
    AppendGeneral(out, value, 15, 1e15, decimalPoint);
}

void AppendNumber(QString& out, float value, QChar decimalPoint)
{
    AppendGeneral(out, value, 7, 1e7, decimalPoint);
}

void AppendNumber(QString& out, int value)
{
    std::array<char, 16> buffer{};
    const char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    out.append(QLatin1StringView(buffer.data(), end - buffer.data()));
}

QString CStr(double value)
{
    QString text;
    AppendNumber(text, value, DecimalPoint());
    return text;
}

QString CStr(float value)
{
    QString text;
    AppendNumber(text, value, DecimalPoint());
    return text;
}

QString CStr(int value)
{
    QString text;
    AppendNumber(text, value);
    return text;
}

} // namespace platform
