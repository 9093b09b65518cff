#include "report_writer.h"

#include "platform/conversions.h"

namespace geometry {

ReportWriter& ReportWriter::operator<<(QStringView text)
{
    out_.append(text);
    return *this;
}

ReportWriter& ReportWriter::operator<<(double value)
{
    platform::AppendNumber(out_, value, decimalPoint_);
    return *this;
}

ReportWriter& ReportWriter::operator<<(int value)
{
    platform::AppendNumber(out_, value);
    return *this;
}

} // namespace geometry
