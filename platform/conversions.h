#pragma once

// The conversions between numbers and text that every value crossing a control goes through.

#include <QChar>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace platform {

// Reads the number at the start of `text`: an optional sign, digits, at most one "." and an
// optional exponent (E or D, sign, digits). Blanks, tabs and line feeds are skipped wherever
// they stand; the first other character that does not fit ends the number, so "12,5" reads
// as 12 whatever the locale. A text without a number gives 0. A magnitude beyond a Double
// raises Overflow.
double Val(QStringView text);

// A 16-bit Integer: to the nearest whole number, halves to the even neighbour (2.5 gives 2,
// -2.5 gives -2); Overflow outside -32768..32767.
int16_t CInt(double value);

// The nearest Single; Overflow beyond the Single range.
float CSng(double value);

// Square root; InvalidProcedureCall for a negative argument.
double Sqr(double value);

// The decimal separator of the user's locale (the default QLocale).
QChar DecimalPoint();

// Number to text: the shortest form that shows the value to 15 significant digits for a
// Double, 7 for a Single, plain digits for an Integer. No leading blank, no thousands
// separators, a zero before a bare fraction, "0" for negative zero, `decimalPoint` as the
// separator; magnitudes from 1E+15 (1E+7 for a Single) and below 1E-4 take the exponent form
// "1.5E+20".
void AppendNumber(QString& out, double value, QChar decimalPoint);
void AppendNumber(QString& out, float value, QChar decimalPoint);
void AppendNumber(QString& out, int value);

// The same, as a new text in the user's locale.
QString CStr(double value);
QString CStr(float value);
QString CStr(int value);

} // namespace platform
