#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

namespace geometry {

// Appends report fragments: literal texts as they stand, numbers by the number-to-text
// conversion with the given decimal separator.
class ReportWriter {
  public:
    ReportWriter(QString& out, QChar decimalPoint) : out_(out), decimalPoint_(decimalPoint) {}

    ReportWriter& operator<<(QStringView text);
    ReportWriter& operator<<(double value);
    ReportWriter& operator<<(int value);

  private:
    QString& out_;
    QChar decimalPoint_;
};

inline constexpr QStringView EndOfLine = u"\r\n";
// How the lines of the reports begin.
inline constexpr QStringView TrapezoidLabel = u"Координати бедро: ";
inline constexpr QStringView TriangleLabel = u"Върхове 1";
inline constexpr QStringView TotalLabel = u"Лице на изпъкнал многоъгълник = ";

} // namespace geometry
